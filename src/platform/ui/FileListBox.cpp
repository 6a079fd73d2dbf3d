#include "platform/ui/FileListBox.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>

namespace ui {

namespace {

// A regular file, also through links: no pipe, socket or device (hidden
// names are left out by the listing itself).
bool isOrdinaryFile(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

FileListBox::FileListBox(Form& form, QString name) : ListBox(form, std::move(name)) {
    keepDesign(state_);
}

QString FileListBox::Path() const {
    return touch(), state_.path;
}

void FileListBox::setPath(const QString& path) {
    touch();
    if (!QDir(path).exists()) throw RuntimeError(76, "Path not found");
    state_.path = path;
    Refresh();
}

QString FileListBox::Pattern() const {
    return touch(), state_.pattern;
}

void FileListBox::setPattern(const QString& pattern) {
    touch();
    state_.pattern = pattern;
    Refresh();
}

void FileListBox::Refresh() {
    touch();
    Clear();
    if (state_.path.isEmpty()) return;
    QStringList patterns = state_.pattern.split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns)
        p = p == "*.*" ? "*" : p.trimmed();
    const QDir dir(state_.path);
    const QStringList files = dir.entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& f : files)
        if (isOrdinaryFile(dir.filePath(f))) AddItem(f);
}

}  // namespace ui
