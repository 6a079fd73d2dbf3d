#include "platform/system/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include "platform/files/Files.h"

namespace sys {

namespace {

QString rootName(HKEY key) {
    for (const RootKey& root : kRootKeys)
        if (root.key == key) return root.name;
    return {};
}

QString normalise(QString path) {
    path.replace('/', '\\');
    while (path.contains("\\\\"))
        path.replace("\\\\", "\\");
    while (path.endsWith('\\'))
        path.chop(1);
    while (path.startsWith('\\'))
        path.remove(0, 1);
    return path;
}

// One line of the file: `"name"=` then `"text"` or `dword:n`; the empty name is the default value.
QString escaped(const QString& text) {
    return QString(text)
        .replace('\\', "\\\\")
        .replace('"', "\\\"")
        .replace('\n', "\\n")
        .replace('\r', "\\r");
}

QString unescaped(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar c = text[++i];
        out += c == 'n' ? QChar('\n') : c == 'r' ? QChar('\r') : c;
    }
    return out;
}

}  // namespace

Registry::Registry(QString file) : file_(std::move(file)) {
    load();
}

std::optional<QString> Registry::pathOf(HKEY key, const QString& subKey) const {
    QString base = rootName(key);
    if (base.isEmpty()) {
        auto it = open_.find(key);
        if (it == open_.end()) return std::nullopt;
        base = it->second;
    }
    const QString sub = normalise(subKey);
    return sub.isEmpty() ? base : base + "\\" + sub;
}

Registry::Key& Registry::create(const QString& path) {
    // Every parent exists too, as in the Windows registry.
    const QStringList parts = path.split('\\');
    QString at;
    Key* key = nullptr;
    for (const QString& part : parts) {
        at = at.isEmpty() ? part : at + "\\" + part;
        Key& k = keys_[at.toLower()];
        if (k.path.isEmpty()) k.path = at;
        key = &k;
    }
    return *key;
}

long Registry::RegCreateKeyA(HKEY key, const QString& subKey, HKEY* result) {
    const auto path = pathOf(key, subKey);
    if (!path) return ERROR_INVALID_HANDLE;
    create(*path);
    save();
    if (result) {
        *result = nextHandle_++;
        open_[*result] = *path;
    }
    return ERROR_SUCCESS;
}

long Registry::RegOpenKeyA(HKEY key, const QString& subKey, HKEY* result) {
    const auto path = pathOf(key, subKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!keys_.count(path->toLower())) return ERROR_FILE_NOT_FOUND;
    if (result) {
        *result = nextHandle_++;
        open_[*result] = keys_.at(path->toLower()).path;
    }
    return ERROR_SUCCESS;
}

long Registry::RegCloseKey(HKEY key) {
    return open_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

long Registry::RegSetValueA(HKEY key, const QString& subKey, std::uint32_t type,
                            const QString& data) {
    const auto path = pathOf(key, subKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (type != REG_SZ) return 87;  // Windows takes text only here
    create(*path).values[QString()] = {QString(), data};
    save();
    return ERROR_SUCCESS;
}

long Registry::RegSetValueExA(HKEY key, const QString& valueName, std::uint32_t type,
                              const QVariant& data) {
    const auto path = pathOf(key, {});
    if (!path) return ERROR_INVALID_HANDLE;
    const QVariant stored = type == REG_DWORD ? QVariant(data.toUInt()) : QVariant(data.toString());
    create(*path).values[valueName.toLower()] = {valueName, stored};
    save();
    if (watcher_) watcher_(*path);
    return ERROR_SUCCESS;
}

long Registry::RegDeleteKeyA(HKEY key, const QString& subKey) {
    const auto path = pathOf(key, subKey);
    if (!path || normalise(subKey).isEmpty()) return ERROR_INVALID_HANDLE;
    if (!keys_.count(path->toLower())) return ERROR_FILE_NOT_FOUND;
    if (hasSubkeys(*path)) return ERROR_ACCESS_DENIED;
    keys_.erase(path->toLower());
    save();
    return ERROR_SUCCESS;
}

long Registry::RegDeleteValueA(HKEY key, const QString& valueName) {
    const auto path = pathOf(key, {});
    if (!path) return ERROR_INVALID_HANDLE;
    auto it = keys_.find(path->toLower());
    if (it == keys_.end() || !it->second.values.erase(valueName.toLower()))
        return ERROR_FILE_NOT_FOUND;
    save();
    return ERROR_SUCCESS;
}

bool Registry::keyExists(const QString& path) const {
    return keys_.count(normalise(path).toLower()) != 0;
}

std::optional<QVariant> Registry::value(const QString& path, const QString& name) const {
    auto it = keys_.find(normalise(path).toLower());
    if (it == keys_.end()) return std::nullopt;
    auto v = it->second.values.find(name.toLower());
    if (v == it->second.values.end()) return std::nullopt;
    return v->second.second;
}

bool Registry::hasSubkeys(const QString& path) const {
    const QString prefix = normalise(path).toLower() + "\\";
    auto it = keys_.lower_bound(prefix);
    return it != keys_.end() && it->first.startsWith(prefix);
}

QStringList Registry::keys() const {
    QStringList all;
    for (const auto& [lower, key] : keys_)
        all << key.path;
    return all;
}

void Registry::load() {
    QFile f(file_);
    if (files::passedOver(file_) ||
        !files::openRegularFile(f, QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&f);
    Key* current = nullptr;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith('[') && line.endsWith(']')) {
            current = &create(line.mid(1, line.size() - 2));
            continue;
        }
        const qsizetype eq = line.indexOf("\"=");
        if (!current || eq < 0 || !line.startsWith('"')) continue;
        const QString name = unescaped(line.mid(1, eq - 1));
        const QString data = line.mid(eq + 2);
        const QVariant v = data.startsWith("dword:")
                               ? QVariant(data.mid(6).toUInt())
                               : QVariant(unescaped(data.mid(1, data.size() - 2)));
        current->values[name.toLower()] = {name, v};
    }
}

void Registry::save() const {
    QDir().mkpath(QFileInfo(file_).path());
    QSaveFile f(file_);
    if (!files::openReplacing(f, QIODevice::WriteOnly | QIODevice::Text)) return;
    QTextStream out(&f);
    for (const auto& [lower, key] : keys_) {
        out << '[' << key.path << "]\n";
        for (const auto& [n, value] : key.values) {
            const auto& [name, data] = value;
            out << '"' << escaped(name) << "\"=";
            if (data.typeId() == QMetaType::UInt)
                out << "dword:" << data.toUInt() << '\n';
            else
                out << '"' << escaped(data.toString()) << "\"\n";
        }
    }
    out.flush();
    f.commit();
}

}  // namespace sys
