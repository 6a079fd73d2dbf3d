#include "platform/ui/TextQuery.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/ui/Application.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/TextBox.h"

namespace ui {

namespace {

// The rows a list answers with: a window's worth, never a whole long list.
constexpr int kListedRows = 40;

// The text a user reads on a control; empty for controls that show none.
std::optional<QString> shownText(const Control& c) {
    if (auto* label = dynamic_cast<const Label*>(&c)) return label->Caption();
    if (auto* box = dynamic_cast<const TextBox*>(&c)) return box->Text();
    return std::nullopt;
}

QString controlName(const Form& form, const Control& c) {
    QString name = form.Name() + "." + c.Name();
    if (c.Index() >= 0) name += "(" + QString::number(c.Index()) + ")";
    return name;
}

QString textLine(const QString& name, const QString& text) {
    QString escaped = text;
    escaped.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n");
    return name + "=" + escaped + "\n";
}

QString listLines(const Form& form, const Control& c) {
    auto* list = dynamic_cast<const ListControl*>(&c);
    if (!list) return {};
    const QString name = controlName(form, c);
    QString lines = textLine(name + ".ListIndex", QString::number(list->ListIndex())) +
                    textLine(name + ".TopIndex", QString::number(list->TopIndex()));
    for (int i = 0; i < std::min(list->ListCount(), kListedRows); ++i)
        lines += textLine(name + "[" + QString::number(i) + "]", list->List(i));
    return lines;
}

// The row the list's view draws at the top of its rows area, which may
// differ from the list's own top row.
QString firstShownLine(const QString& name, const QWidget& area) {
    const auto* view = qobject_cast<const QAbstractItemView*>(area.parentWidget());
    if (!view) return {};
    return textLine(name + ".FirstShown", QString::number(view->indexAt(QPoint(0, 0)).row()));
}

}  // namespace

std::unique_ptr<TextQuery> TextQuery::fromEnvironment(Application& app) {
    const char* folder = std::getenv("PLENK_TEST_QUERY");
    if (!folder || !*folder) return nullptr;
    return std::make_unique<TextQuery>(app, QString::fromLocal8Bit(folder));
}

TextQuery::TextQuery(Application& app, const QString& folder)
    : app_(app), folder_(folder), watcher_(std::make_unique<QFileSystemWatcher>()) {
    QDir().mkpath(folder_);
    watcher_->addPath(folder_);
    QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged,
                     [this](const QString&) { answer(); });
    answer();
}

TextQuery::~TextQuery() = default;

void TextQuery::answer() {
    QFile request(folder_ + "/request");
    if (!request.open(QIODevice::ReadOnly)) return;
    const QList<QByteArray> lines = request.readAll().split('\n');
    request.close();
    request.remove();
    QString pictures;
    for (const QByteArray& name : lines.mid(1))
        pictures += drawList(QString::fromUtf8(name.trimmed()));
    QSaveFile out(folder_ + "/texts.txt");
    if (!out.open(QIODevice::WriteOnly)) return;
    out.write(lines.value(0).trimmed() + "\n" + snapshot().toUtf8() + pictures.toUtf8());
    out.commit();
}

QString TextQuery::drawList(const QString& name) const {
    for (const Form* form : app_.createdForms()) {
        if (!form->isLoaded()) continue;
        for (const Control* c : form->controls()) {
            QWidget* area = c->clientWidget();
            if (!dynamic_cast<const ListControl*>(c) || controlName(*form, *c) != name ||
                !area->isVisible())
                continue;
            QImage drawn = area->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            QImage shown(drawn.size(), QImage::Format_ARGB32);
            shown.fill(Qt::transparent);
            QPainter painter(&shown);
            painter.setClipRegion(area->visibleRegion());
            painter.drawImage(0, 0, drawn);
            painter.end();
            shown.save(folder_ + "/" + name + ".png");
            const QPoint at = area->mapToGlobal(QPoint(0, 0));
            return textLine(name + ".Origin", QString("%1,%2").arg(at.x()).arg(at.y())) +
                   firstShownLine(name, *area);
        }
    }
    return {};
}

QString TextQuery::snapshot() const {
    QString text;
    const QWidget* focused = QApplication::focusWidget();
    for (const Form* form : app_.createdForms()) {
        if (!form->isLoaded()) continue;
        // The window itself: whether it shows, and its state (1 minimized).
        text += form->Name() + ".Visible=" + (form->Visible() ? "True" : "False") + "\n";
        text += form->Name() + ".WindowState=" + QString::number(form->WindowState()) + "\n";
        for (const Control* c : form->controls()) {
            if (auto shown = shownText(*c)) text += textLine(controlName(*form, *c), *shown);
            text += listLines(*form, *c);
            if (focused && c->widget() == focused) text += "focus=" + controlName(*form, *c) + "\n";
        }
    }
    return text;
}

}  // namespace ui
