#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace sys {

class Registry;

inline constexpr std::uint32_t SHCNE_ASSOCCHANGED = 0x08000000u;
inline constexpr std::uint32_t SHCNF_IDLIST = 0;

// The desktop shell as the player meets it.  On Linux a file association
// takes effect through the desktop's own files (freedesktop.org): a desktop
// entry for the program and per-user default applications by MIME type.
// When told that associations changed, the shell makes those files reflect
// the registry: every extension whose class opens with this program gets the
// program as its default; this program's entry is taken out of the defaults
// of types no longer registered, leaving other programs' entries there.
class Shell {
  public:
    struct Places {
        QString dataHome;    // $XDG_DATA_HOME: applications/<entry>.desktop
        QString configHome;  // $XDG_CONFIG_HOME: mimeapps.list
    };
    // programPath: the executable that the associations start.
    Shell(Registry& registry, QString programPath, Places places);

    void SHChangeNotify(std::uint32_t eventId, std::uint32_t flags, const void* item1,
                        const void* item2);
    // Opens a web address or file with the desktop's default handler; false
    // when nothing could open it.
    bool ShellExecute(const QString& target);
    // What ShellExecute hands the target to; tests record it instead.
    using Opener = std::function<bool(const QString& target)>;
    void setOpener(Opener opener) { opener_ = std::move(opener); }
    // The extensions the program offers to open (".mp3"): a MIME type that one of
    // them does not open with this program is left to the desktop, though others
    // sharing it do.
    void setOfferedExtensions(QStringList extensions) { offered_ = std::move(extensions); }

    QString desktopEntryPath() const;
    QString mimeAppsPath() const;
    // The MIME types of an extension (".mp3"), as the desktop's MIME database knows them.
    static QStringList mimeTypesOf(const QString& extension);

  private:
    QStringList ownedMimeTypes() const;
    bool opensWithThisProgram(const QString& extension) const;
    bool writeDesktopEntry(const QStringList& mimeTypes);
    bool writeDefaults(const QStringList& mimeTypes);
    void refreshCaches() const;

    Registry& registry_;
    QString programPath_;
    Places places_;
    Opener opener_;
    QStringList offered_;
};

}  // namespace sys
