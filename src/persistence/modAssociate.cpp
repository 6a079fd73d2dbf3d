#include "persistence/modAssociate.h"

#include "app/PlenkApp.h"
#include "platform/system/Registry.h"
#include "platform/system/Shell.h"

using namespace sys;

const std::array<modAssociate::FileType, 11> modAssociate::kAudioTypes = {{
    {".mp3", "Plenk Player Mp3", "Mp3 File"},
    {".wav", "Plenk Player Wav", "Wav File"},
    {".wma", "Plenk Player Wma", "Wma File"},
    {".cda", "Plenk Player Cda", "cda File"},
    {".midi", "Plenk Player Midi", "midi File"},
    {".mid", "Plenk Player Mid", "mid File"},
    {".mpa", "Plenk Player Mpa", "mpa File"},
    {".ac3", "Plenk Player Ac3", "ac3 File"},
    {".ogg", "Plenk Player Ogg", "ogg File"},
    {".snd", "Plenk Player Snd", "snd File"},
    {".rmi", "Plenk Player Rmi", "rmi File"},
}};

const std::array<modAssociate::FileType, 18> modAssociate::kVideoTypes = {{
    {".mpg", "Plenk Player Mpg", "mpg File"},
    {".avi", "Plenk Player Avi", "avi File"},
    {".mov", "Plenk Player Mov", "mov File"},
    {".wmv", "Plenk Player Wmv", "wmv File"},
    {".mp2", "Plenk Player Mp2", "mp2 File"},
    {".mpeg", "Plenk Player Mpeg", "mpeg File"},
    {".mpe", "Plenk Player Mpe", "mpe File"},
    {".asf", "Plenk Player Asf", "asf File"},
    {".dat", "Plenk Player Dat", "dat File"},
    {".divx", "Plenk Player Divx", "divx File"},
    {".m2v", "Plenk Player M2v", "m2v File"},
    {".vob", "Plenk Player Vob", "vob File"},
    {".mpv", "Plenk Player Mpv", "mpv File"},
    {".qt", "Plenk Player Qt", "qt File"},
    {".ogm", "Plenk Player Ogm", "ogm File"},
    {".mp4", "Plenk Player Mp4", "MPEG4 File"},
    {".flv", "Plenk Player FLV", "FLV File"},
    {".3gp", "Plenk Player 3GP", "3GP File"},
}};

// A desktop type shared by several of the page's types is the player's only
// while every one of them is ticked.
modAssociate::modAssociate(ui::Application& app) : app_(static_cast<PlenkApp&>(app)) {
    QStringList extensions;
    for (const FileType& type : kAudioTypes)
        extensions << type.extension;
    for (const FileType& type : kVideoTypes)
        extensions << type.extension;
    app_.shell().setOfferedExtensions(extensions);
}

// The program file itself, quoted so a folder with blanks in its name works.
// (Where the program folder is a per-user copy, the program is not in it.)
QString modAssociate::openCommand(const QString& arguments) const {
    const QString args = arguments.trimmed();
    return "\"" + app_.setup().executable + "\" " + (args.isEmpty() ? QString("%1") : args);
}

void modAssociate::CreateAssociation(const QString& identifier, const QString& extension,
                                     const QString& description, const QString& iconPath,
                                     const QString& arguments) {
    if (identifier.isEmpty()) return;
    Registry& reg = app_.registry();
    reg.RegSetValueA(HKEY_CLASSES_ROOT, identifier, REG_SZ, description);
    reg.RegSetValueA(HKEY_CLASSES_ROOT, extension, REG_SZ, identifier);
    reg.RegSetValueA(HKEY_CLASSES_ROOT, identifier + "\\shell\\open\\command", REG_SZ,
                     openCommand(arguments));
    if (!iconPath.isEmpty())
        reg.RegSetValueA(HKEY_CLASSES_ROOT, identifier + "\\DefaultIcon", REG_SZ, iconPath);
}

// The extension key is shared with other programs: it goes only while it
// still names our class, and then only its default value when other
// programs keep subkeys under it.
void modAssociate::RemoveAssociation(const QString& identifier, const QString& extension) {
    Registry& reg = app_.registry();
    const QString extensionPath = "HKEY_CLASSES_ROOT\\" + extension;
    const auto owner = reg.value(extensionPath);
    if (owner && owner->toString().compare(identifier, Qt::CaseInsensitive) == 0) {
        if (reg.hasSubkeys(extensionPath)) {
            HKEY key = 0;
            reg.RegOpenKeyA(HKEY_CLASSES_ROOT, extension, &key);
            reg.RegDeleteValueA(key, {});
            reg.RegCloseKey(key);
        } else {
            reg.RegDeleteKeyA(HKEY_CLASSES_ROOT, extension);
        }
    }
    for (const char* sub :
         {"\\DefaultIcon", "\\Shell\\Open\\Command", "\\Shell\\Open", "\\Shell", ""})
        reg.RegDeleteKeyA(HKEY_CLASSES_ROOT, identifier + sub);
    NotifyAssociationChanged();
}

void modAssociate::NotifyAssociationChanged() {
    app_.shell().SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
