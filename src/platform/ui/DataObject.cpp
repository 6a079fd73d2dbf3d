#include "platform/ui/DataObject.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "platform/ui/RuntimeError.h"

namespace ui {

DataObject::DataObject(const QMimeData* data) {
    if (!data) return;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        // A file removed between the drag and the drop is not offered.
        if (QFileInfo::exists(path)) files_ << path;
    }
    hasText_ = data->hasText();
    if (hasText_) text_ = data->text();
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
