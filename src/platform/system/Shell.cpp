#include "platform/system/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include "platform/files/Files.h"
#include "platform/system/Registry.h"

namespace sys {

namespace {

const QString kEntryName = "plenk-player.desktop";

QByteArray readFile(const QString& path) {
    QFile f(path);
    return files::openRegularFile(f, QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A folder, pipe or device in the file's place is left as it is.
bool writeIfChanged(const QString& path, const QByteArray& bytes) {
    if (files::passedOver(path) || (QFileInfo::exists(path) && readFile(path) == bytes))
        return false;
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(bytes);
    return f.commit();
}

// The "[Default Applications]" lines of mimeapps.list with ours set and
// stale ones of ours dropped; every other line and section stays as it was.
// One "[Default Applications]" line: a type and its ";"-separated entries,
// without this program's entry.  Empty when nothing else is left.
QString withoutOurs(const QString& line) {
    const QString type = line.section('=', 0, 0);
    QStringList entries = line.section('=', 1).split(';', Qt::SkipEmptyParts);
    entries.removeAll(kEntryName);
    return entries.isEmpty() ? QString() : type + "=" + entries.join(';') + ";";
}

// The default-application lines with ours set for our types (a registration
// replaces the type's default, as in the registry) and taken out of every
// other line; other lines and sections stay as they were.
QByteArray mergedDefaults(const QByteArray& old, const QStringList& mimeTypes) {
    QStringList lines = QString::fromUtf8(old).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    qsizetype section = lines.indexOf("[Default Applications]");
    if (section < 0) {
        if (mimeTypes.isEmpty()) return old;
        lines << "[Default Applications]";
        section = lines.size() - 1;
    }
    qsizetype end = section + 1;
    while (end < lines.size() && !lines[end].startsWith('['))
        ++end;
    QStringList kept;
    for (qsizetype i = section + 1; i < end; ++i) {
        if (mimeTypes.contains(lines[i].section('=', 0, 0))) continue;
        const QString line = lines[i].contains('=') ? withoutOurs(lines[i]) : lines[i];
        if (!line.isEmpty()) kept << line;
    }
    for (const QString& type : mimeTypes)
        kept << type + "=" + kEntryName + ";";
    lines = lines.mid(0, section + 1) + kept + lines.mid(end);
    return (lines.join('\n') + '\n').toUtf8();
}

// A value as a desktop entry's string type writes it.
QString escapedValue(QString text) {
    return text.replace('\\', "\\\\")
        .replace('\n', "\\n")
        .replace('\t', "\\t")
        .replace('\r', "\\r");
}

// The program as the first word of an Exec line: in quotes, with the four
// characters that stay special inside quotes escaped and a literal "%"
// doubled; the value's own escapes apply on top.
QString execWord(const QString& program) {
    QString word = "\"";
    for (const QChar c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') word += '\\';
        word += c;
        if (c == '%') word += c;
    }
    return escapedValue(word + '"');
}

}  // namespace

Shell::Shell(Registry& registry, QString programPath, Places places)
    : registry_(registry), programPath_(std::move(programPath)), places_(std::move(places)) {}

QString Shell::desktopEntryPath() const {
    return places_.dataHome + "/applications/" + kEntryName;
}
QString Shell::mimeAppsPath() const {
    return places_.configHome + "/mimeapps.list";
}

QStringList Shell::mimeTypesOf(const QString& extension) {
    QStringList types;
    for (const QMimeType& t : QMimeDatabase().mimeTypesForFileName("file" + extension)) {
        if (t.name() == "application/octet-stream" || t.name().startsWith("text/")) continue;
        types << t.name();
    }
    return types;
}

// Types whose extension's class opens with this program, less the types of
// any offered extension that opens elsewhere.
QStringList Shell::ownedMimeTypes() const {
    QStringList types;
    for (const QString& path : registry_.keys()) {
        const QString name = path.section('\\', 1);
        if (path.count('\\') != 1 || !name.startsWith('.') || !opensWithThisProgram(name)) continue;
        for (const QString& t : mimeTypesOf(name))
            if (!types.contains(t)) types << t;
    }
    for (const QString& extension : offered_) {
        if (opensWithThisProgram(extension)) continue;
        for (const QString& t : mimeTypesOf(extension))
            types.removeAll(t);
    }
    return types;
}

bool Shell::opensWithThisProgram(const QString& extension) const {
    const auto cls = registry_.value("HKEY_CLASSES_ROOT\\" + extension);
    if (!cls) return false;
    const auto command =
        registry_.value("HKEY_CLASSES_ROOT\\" + cls->toString() + "\\shell\\open\\command");
    return command && command->toString().contains(programPath_);
}

bool Shell::writeDesktopEntry(const QStringList& mimeTypes) {
    if (mimeTypes.isEmpty()) return QFile::remove(desktopEntryPath());
    const QString entry = QString(
                              "[Desktop Entry]\nType=Application\nName=Plenk Player\n"
                              "Exec=%1 %f\nTerminal=false\nNoDisplay=false\nMimeType=%2;\n")
                              .arg(execWord(programPath_), mimeTypes.join(';'));
    return writeIfChanged(desktopEntryPath(), entry.toUtf8());
}

bool Shell::writeDefaults(const QStringList& mimeTypes) {
    return writeIfChanged(mimeAppsPath(), mergedDefaults(readFile(mimeAppsPath()), mimeTypes));
}

void Shell::SHChangeNotify(std::uint32_t eventId, std::uint32_t, const void*, const void*) {
    if (eventId != SHCNE_ASSOCCHANGED) return;
    const QStringList types = ownedMimeTypes();
    const bool entryChanged = writeDesktopEntry(types);
    const bool defaultsChanged = writeDefaults(types);
    if (entryChanged || defaultsChanged) refreshCaches();
}

void Shell::refreshCaches() const {
    const QString tool = QStandardPaths::findExecutable("update-desktop-database");
    if (!tool.isEmpty()) QProcess::startDetached(tool, {places_.dataHome + "/applications"});
}

bool Shell::ShellExecute(const QString& target) {
    if (opener_) return opener_(target);
    return QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

}  // namespace sys
