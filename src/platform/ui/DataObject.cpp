#include "platform/ui/DataObject.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "platform/ui/RuntimeError.h"

namespace ui {

DataObject::DataObject(const QMimeData* data) {
    if (!data) return;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) local_ << url.toLocalFile();
    hasText_ = data->hasText();
    if (hasText_) text_ = data->text();
    *this = recheck();
}

// A file removed between the drag and the drop is not offered.
DataObject DataObject::recheck() const {
    DataObject now = *this;
    now.files_.clear();
    for (const QString& path : local_)
        if (QFileInfo::exists(path)) now.files_ << path;
    return now;
}

bool DataObject::GetFormat(int format) const {
    if (format == vbCFFiles) return !files_.isEmpty();
    if (format == vbCFText) return hasText_;
    return false;
}

QString DataObject::Files(int index) const {
    if (index < 1 || index > files_.size()) throw RuntimeError(kSubscriptOutOfRange);
    return files_[index - 1];
}

}  // namespace ui
