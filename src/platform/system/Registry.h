#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace sys {

using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_DWORD = 4;

// The root keys the registry holds, by the names full key paths begin with.
struct RootKey {
    const char* name;
    HKEY key;
};
inline constexpr RootKey kRootKeys[] = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                                        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER}};

// The registry the player writes (file associations, a few per-user values),
// kept in one text file of our own in the per-user settings folder.  Key
// paths are matched without regard to case, as the Windows registry does.
// A folder, pipe or device in the file's place (links followed) is neither
// read nor saved over: the values then hold for the run.
class Registry {
  public:
    explicit Registry(QString file);

    long RegCreateKeyA(HKEY key, const QString& subKey, HKEY* result);
    long RegOpenKeyA(HKEY key, const QString& subKey, HKEY* result);
    long RegCloseKey(HKEY key);
    // Sets the default value of key\subKey (created when missing).
    long RegSetValueA(HKEY key, const QString& subKey, std::uint32_t type, const QString& data);
    // Sets a named value of the key itself.
    long RegSetValueExA(HKEY key, const QString& valueName, std::uint32_t type,
                        const QVariant& data);
    // Deletes key\subKey; a key that still has subkeys cannot be deleted.
    long RegDeleteKeyA(HKEY key, const QString& subKey);
    // Deletes one named value (the empty name: the default value).
    long RegDeleteValueA(HKEY key, const QString& valueName);

    // Reading, by full path such as "HKEY_CLASSES_ROOT\.mp3".
    bool keyExists(const QString& path) const;
    std::optional<QVariant> value(const QString& path, const QString& name = {}) const;
    bool hasSubkeys(const QString& path) const;
    // Every key path, in order.
    QStringList keys() const;
    // Told the key path of every named value set, after it is stored: what
    // reads its settings from the registry follows them this way.
    void setValueWatcher(std::function<void(const QString& keyPath)> watcher) {
        watcher_ = std::move(watcher);
    }

  private:
    struct Key {
        QString path;
        std::map<QString, std::pair<QString, QVariant>> values;  // lower-case name -> name, data
    };
    std::optional<QString> pathOf(HKEY key, const QString& subKey) const;
    Key& create(const QString& path);
    void load();
    void save() const;

    QString file_;
    std::map<QString, Key> keys_;  // lower-case path -> key
    std::map<HKEY, QString> open_;
    HKEY nextHandle_ = 0x1000;
    std::function<void(const QString&)> watcher_;
};

}  // namespace sys
