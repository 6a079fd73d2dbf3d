#pragma once

#include <QWidget>
#include <memory>

#include "platform/ui/MenuPanel.h"

class QEventLoop;

namespace ui {

class Menu;

// A pop-up menu the runtime shows and runs itself, one widget per level: the
// pointer highlights items and opens sub-menus, a release on an enabled item
// chooses it, a press outside every level or Escape on the first dismisses the
// menu; Up, Down, Right, Left and Enter work the highlight.
class PopupMenuWidget : public QWidget {
  public:
    // Shows the menu at a point of the screen and returns the chosen item, or
    // nullptr when dismissed.
    static Menu* exec(Menu& menu, QPoint globalPos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    PopupMenuWidget(Menu& menu, PopupMenuWidget* parentLevel, QEventLoop* loop);
    void showAt(QPoint globalPos);
    // The deepest open level under a point of the screen.
    PopupMenuWidget* levelAt(QPoint globalPos);
    void highlight(int index);
    void openSubMenu();
    void closeSubMenu();
    void choose(Menu* item);
    void moveHighlight(int direction);
    void activateHighlighted();
    PopupMenuWidget* root();

    PopupMenuWidget* parentLevel_;
    QEventLoop* loop_;
    std::unique_ptr<MenuPanel> panel_;
    std::unique_ptr<PopupMenuWidget> child_;
    int highlighted_ = -1;
    Menu* chosen_ = nullptr;
};

}  // namespace ui
