#pragma once

#include <memory>

#include "controls/ctlScrollbar.h"
#include "core/ClsMain.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Shape.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

class ClsPl;

// The playlist window: the display texts of the entries, row for row with the
// paths in DataForm.ListaCale.
class Playlist : public PlayerForm {
  public:
    explicit Playlist(ui::Application& app);
    ~Playlist() override;

    // Lays the window's contents out again, keeping the window at least
    // 4000 wide and 4530 high (twips); the scrollbar's thumb goes to the top.
    void ResizePlaylist();
    // Hands a window to the move loop, as a drag of its caption would; only
    // in the normal window state.
    void FormMove(ui::Form& frm);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override { ResizePlaylist(); }
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void CloseButton_Click();
    void ResizeArea_MouseMove(int Button);
    // Copies the list's top row into the scrollbar and shows the count.
    void ScrollTimer_Timer();
    // Scrolls the list to the scrollbar's position.
    void ScrollBar_Scroll();

    // The row under a height of the list (twips from its top): the last row
    // below the rows, -1 on an empty list.
    int ListRowCalc(const ui::ListBox& list, float Y) const;
    // Moves one row's text, shifting the rows between by one.
    static void ListRowMove(ui::ListControl& pobjLB, int pintOldRow, int pintNewRow);

    void PicList_Click();
    void PicList_DblClick();
    // Plays the selected row through a holder's controller as the double-click
    // does: from the playlist, its row remembered for Next and Back.
    void playSelectedRow(ClsMain& main);
    void PicList_MouseMove(int Button, int Shift, float X, float Y);
    void PicList_DragOver(ui::Control& Source, float X, float Y, int State);
    void PicList_DragDrop(ui::Control& Source, float X, float Y);
    void PicList_KeyDown(int& KeyCode, int Shift);
    void PicList_MouseUp(int Button, int Shift, float X, float Y);
    void PicList_OLEDragOver(ui::DataObject& Data, int& Effect, int Button, int Shift, float X,
                             float Y, int State);
    void PicList_OLEDragDrop(ui::DataObject& Data, int& Effect, int Button, int Shift, float X,
                             float Y);

    ui::Image ImgTopLeft{*this, "ImgTopLeft"};
    ui::Image ImgTopCenter{*this, "ImgTopCenter"};
    ui::Image ImgTopRight{*this, "ImgTopRight"};
    ui::Image ImgLeft{*this, "ImgLeft"};
    ui::Image ImgRight{*this, "ImgRight"};
    ui::Image ImgBottomLeft{*this, "ImgBottomLeft"};
    ui::Image ImgBottomCenter{*this, "ImgBottomCenter"};
    ui::Image ImgBottomRight{*this, "ImgBottomRight"};
    ui::Image CloseButton{*this, "CloseButton"};
    ui::Image Meniu1{*this, "Meniu1"};
    ui::Label Label1{*this, "Label1"};
    ui::Image Meniu2{*this, "Meniu2"};
    ui::Label Label3{*this, "Label3"};
    ui::Image Meniu3{*this, "Meniu3"};
    ui::Label ItemsLabel{*this, "ItemsLabel"};
    ui::Shape Shape1{*this, "Shape1"};
    ui::Label ResizeArea{*this, "ResizeArea"};
    ui::ListBox PicList{*this, "PicList"};
    ui::Frame FrameScroll{*this, "FrameScroll"};
    ctlScrollbar ScrollBar{*this, "ScrollBar", ctlScrollbar::vertical};
    // The media files of the desktop drop in progress, in the drop's order.
    ui::ListBox L1{*this, "L1"};
    ui::Timer ScrollTimer{*this, "ScrollTimer"};

    // The row picked up when a list drag begins.
    int DragRow = -1;
    // True while the resize grip is held: no list drag begins.
    bool Resizing = false;

  private:
    void design();
    void connectFrame();
    void connectList();
    // The hover looks: the menu button hovered (0 none) and the close button.
    void hover(ui::Image* menu, bool overClose = false);
    // The row under a height of the list, not bounded by the rows.
    int rowUnder(const ui::ListBox& list, float Y) const;
    // Inserts the paths of L1 in order at row at of both lists (at the
    // count: after the last entry).
    void insertDropped(int at);
    ClsPl& pl();

    ControllerSlot MainCtl{app()};
    std::unique_ptr<ClsPl> PlaylistOps;
};
