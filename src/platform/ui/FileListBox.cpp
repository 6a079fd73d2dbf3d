#include "platform/ui/FileListBox.h"

#include <QDir>

namespace ui {

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
    // Ordinary files only: no hidden names, pipes, sockets or devices.
    const QStringList files =
        QDir(state_.path).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& f : files)
        AddItem(f);
}

}  // namespace ui
