#include "persistence/DataClass.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/ui/ListControl.h"
#include "shared/Files.h"
#include "shared/TextCodec.h"

namespace {

QString withoutTrailingBlanks(QStringView line) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == u' ')
        --end;
    return line.left(end).toString();
}

}  // namespace

void DataClass::IncarcaData(const QString& TheFile, ui::ListControl& TheListBox) {
    if (TheFile.isEmpty()) return;
    QFile file(TheFile);
    if (QFileInfo(TheFile).isDir() || !file.open(QIODevice::ReadOnly)) return;
    const QString text = shared::decodeText(file.readAll());
    file.close();
    const QStringView view(text);
    qsizetype start = 0;
    while (start < view.size()) {
        qsizetype end = view.indexOf(u'\r', start);
        if (end < 0) end = view.size();
        TheListBox.AddItem(withoutTrailingBlanks(view.mid(start, end - start)));
        start = end + 1;
        if (end < view.size() && start < view.size() && view[start] == u'\n') ++start;
    }
}

bool DataClass::SalveazaData(const QString& TheFile, const ui::ListControl& TheListBox) {
    const QFileInfo target(TheFile);
    if (TheFile.isEmpty() || target.isDir() || shared::isReadOnly(target)) return false;
    QString text;
    const int count = TheListBox.ListCount();
    for (int i = 0; i < count; ++i) {
        text += TheListBox.List(i);
        text += QLatin1String("\r\n");
    }
    QSaveFile file(TheFile);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(shared::encodeText(text));
    return file.commit();
}

QString readRow(ui::ListControl& list, int row) {
    if (row < 0 || row >= list.ListCount()) return {};
    list.setListIndex(row);
    return list.Text();
}
