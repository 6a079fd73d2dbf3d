#pragma once

#include <QPoint>

#include "platform/ui/ListControl.h"

class QListView;

namespace ui {

// The list box message the program sends to a list's window.
inline constexpr int LB_GETITEMHEIGHT = 0x1A1;

// A list of rows of one height, each drawn cut to the width of the list: no
// row's whole text is ever measured, so a row may be megabytes long.
//
// The user's press selects the row under it before MouseDown and raises
// Click before MouseUp; the arrows, Page Up/Down, Home and End move ListIndex
// and raise Click; the right button selects nothing.
class ListBox : public ListControl {
  public:
    ListBox(Form& form, QString name, int multiSelect = vbMultiSelectNone, bool sorted = false);

    // The list's answer to a window message: the row height in pixels; other
    // messages answer 0.
    int SendMessageA(int message, int wParam, int lParam) const;
    // The row at a point of the client area in pixels, any row of the list;
    // -1 when the point is on no row.
    int rowAtPoint(QPoint at) const;
    // Height of every row, in pixels.
    int ItemHeight() const;
    // A list whose marks only code sets: the user's press and the arrow keys
    // move the current row, and neither a press nor Space turns a mark over.
    void setMarksByCode(bool on) { marksByCode_ = on; }
    bool MarksByCode() const { return marksByCode_; }
    // Check boxes (a multi-selection list's style 1): each row shows its mark
    // in a check box, and only the current row is highlighted.
    void setCheckBoxes(bool on);

    Event<> Scroll{"Scroll"};

    QWidget* clientWidget() const override;
    bool keyAction(int keyCode, int shift) override;

  protected:
    void showSelection() override;
    void bringIntoView(int row) override;
    int lastTopRow() const override;
    void pressed(int button, float x, float y) override;
    void releasing() override;

  private:
    QListView* view() const;
    QSize clientSize() const;
    int rowsPerPage() const;
    // The row at a height of the client area in pixels, or -1 below the rows.
    int rowAt(int y) const;
    int rowAfterKey(int keyCode) const;
    // Scrolls the view so that its first row is TopIndex.
    void showTopRow();

    bool clickPending_ = false;
    bool scrollingByCode_ = false;
    bool marksByCode_ = false;
    bool checkBoxes_ = false;
};

}  // namespace ui
