#pragma once

#include <QString>
#include <array>

namespace ui {
class Application;
}
class PlenkApp;

// Registers the player as the program that opens a media file type, and
// removes that registration again.
class modAssociate {
  public:
    struct FileType {
        const char* extension;
        const char* identifier;
        const char* description;
    };
    // The types of the association page: 11 audio types, then 18 video types.
    static const std::array<FileType, 11> kAudioTypes;
    static const std::array<FileType, 18> kVideoTypes;

    explicit modAssociate(ui::Application& app);

    void CreateAssociation(const QString& identifier, const QString& extension,
                           const QString& description, const QString& iconPath,
                           const QString& arguments);
    void RemoveAssociation(const QString& identifier, const QString& extension);
    void NotifyAssociationChanged();

    // The command that opens a file of a registered type.
    QString openCommand(const QString& arguments) const;

  private:
    PlenkApp& app_;
};
