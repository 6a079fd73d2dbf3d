#include "platform/ui/PopupMenuWidget.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "platform/ui/Colors.h"
#include "platform/ui/Menu.h"

namespace ui {

Menu* PopupMenuWidget::exec(Menu& menu, QPoint globalPos) {
    QEventLoop loop;
    PopupMenuWidget popup(menu, nullptr, &loop);
    popup.showAt(globalPos);
    loop.exec();
    return popup.chosen_;
}

PopupMenuWidget::PopupMenuWidget(Menu& menu, PopupMenuWidget* parentLevel, QEventLoop* loop)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint),
      parentLevel_(parentLevel),
      loop_(loop) {
    PainterCanvas measuring(nullptr, toQFont(FontSpec()));
    panel_ = std::make_unique<MenuPanel>(menu, measuring);
    setMouseTracking(true);
    setFixedSize(panel_->size());
}

// Keeps the menu on the screen: it opens left or up from the point when it
// would otherwise cross the right or bottom edge.
void PopupMenuWidget::showAt(QPoint globalPos) {
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    const QRect room = screen ? screen->availableGeometry() : QRect(globalPos, size());
    QPoint at = globalPos;
    if (at.x() + width() > room.right() + 1) at.rx() = std::max(room.left(), at.x() - width());
    if (at.y() + height() > room.bottom() + 1) at.ry() = std::max(room.top(), at.y() - height());
    move(at);
    show();
}

PopupMenuWidget* PopupMenuWidget::root() {
    return parentLevel_ ? parentLevel_->root() : this;
}

PopupMenuWidget* PopupMenuWidget::levelAt(QPoint globalPos) {
    if (child_ && child_->isVisible())
        if (PopupMenuWidget* deeper = child_->levelAt(globalPos)) return deeper;
    return geometry().contains(globalPos) ? this : nullptr;
}

void PopupMenuWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    panel_->paint(painter, highlighted_);
}

void PopupMenuWidget::highlight(int index) {
    if (index == highlighted_) return;
    highlighted_ = index;
    closeSubMenu();
    update();
}

void PopupMenuWidget::openSubMenu() {
    if (highlighted_ < 0 || child_) return;
    const MenuPanel::Item& item = panel_->items()[static_cast<std::size_t>(highlighted_)];
    if (!item.menu->hasVisibleItems() || !item.menu->Enabled()) return;
    child_.reset(new PopupMenuWidget(*item.menu, this, loop_));
    child_->showAt(mapToGlobal(QPoint(width() - MenuPanel::kFrame, item.rect.top)));
}

// A level may close from inside its own key handler: it goes once that returns.
void PopupMenuWidget::closeSubMenu() {
    if (!child_) return;
    child_->hide();
    child_.release()->deleteLater();
}

void PopupMenuWidget::choose(Menu* item) {
    PopupMenuWidget* top = root();
    top->chosen_ = item;
    top->close();
}

void PopupMenuWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    PopupMenuWidget* level = root()->levelAt(global);
    if (!level) return;
    const int index = level->panel_->itemAt(level->mapFromGlobal(global));
    level->highlight(level->panel_->selectable(index) ? index : -1);
    level->openSubMenu();
}

// A press outside every level dismisses the menu, as the desktop's do.
void PopupMenuWidget::mousePressEvent(QMouseEvent* event) {
    if (!root()->levelAt(event->globalPosition().toPoint())) root()->close();
}

void PopupMenuWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    PopupMenuWidget* level = root()->levelAt(global);
    if (!level) return;
    const int index = level->panel_->itemAt(level->mapFromGlobal(global));
    if (!level->panel_->selectable(index)) return;
    Menu* item = level->panel_->items()[static_cast<std::size_t>(index)].menu;
    if (item->Enabled() && !item->hasVisibleItems()) choose(item);
}

void PopupMenuWidget::moveHighlight(int direction) {
    const int count = static_cast<int>(panel_->items().size());
    int index = highlighted_;
    for (int tried = 0; tried < count; ++tried) {
        index = (index + direction + count) % count;
        if (panel_->selectable(index)) {
            highlight(index);
            return;
        }
    }
}

void PopupMenuWidget::keyPressEvent(QKeyEvent* event) {
    PopupMenuWidget* level = this;
    while (level->child_)
        level = level->child_.get();
    switch (event->key()) {
        case Qt::Key_Down:
            level->moveHighlight(1);
            break;
        case Qt::Key_Up:
            level->moveHighlight(-1);
            break;
        case Qt::Key_Right:
            level->openSubMenu();
            if (level->child_) level->child_->moveHighlight(1);
            break;
        case Qt::Key_Left:
        case Qt::Key_Escape:
            if (level->parentLevel_)
                level->parentLevel_->closeSubMenu();
            else
                close();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            level->activateHighlighted();
            break;
        default:
            break;
    }
}

void PopupMenuWidget::activateHighlighted() {
    if (highlighted_ < 0) return;
    Menu* item = panel_->items()[static_cast<std::size_t>(highlighted_)].menu;
    if (item->Enabled() && !item->hasVisibleItems())
        choose(item);
    else
        openSubMenu();
}

void PopupMenuWidget::hideEvent(QHideEvent*) {
    if (!parentLevel_ && loop_) loop_->quit();
}

}  // namespace ui
