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
    virtual ~modAssociate() = default;

    // The three calls are the seam the association page works through: tests
    // provide a subclass that records them in order instead of registering.
    // Makes the type open with this program (nothing for an empty identifier).
    virtual void CreateAssociation(const QString& identifier, const QString& extension,
                                   const QString& description, const QString& iconPath,
                                   const QString& arguments);
    // Takes the type back, leaving an extension another program has taken
    // over to it; tells the shell.
    virtual void RemoveAssociation(const QString& identifier, const QString& extension);
    // Tells the shell that the program a type opens with has changed.
    virtual void NotifyAssociationChanged();

    // The command that opens a file of a registered type.
    QString openCommand(const QString& arguments) const;

  private:
    PlenkApp& app_;
};
