#pragma once

#include <memory>

#include "controls/ctlScrollbar.h"
#include "core/ClsMain.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/Frame.h"
#include "platform/ui/ListBox.h"
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
    // 4530 x 4000 twips.
    void ResizePlaylist();
    void Form_Resize() override { ResizePlaylist(); }

    // The row under a height of the list (twips from its top): the last row
    // below the rows, -1 on an empty list.
    int ListRowCalc(const ui::ListBox& list, float Y) const;
    // Moves one row's text, shifting the rows between by one.
    static void ListRowMove(ui::ListControl& pobjLB, int pintOldRow, int pintNewRow);

    void PicList_Click();
    void PicList_DblClick();
    void PicList_MouseMove(int Button, int Shift, float X, float Y);
    void PicList_DragOver(ui::Control& Source, float X, float Y, int State);
    void PicList_DragDrop(ui::Control& Source, float X, float Y);
    void PicList_KeyDown(int& KeyCode, int Shift);
    void PicList_MouseUp(int Button, int Shift, float X, float Y);
    void PicList_OLEDragOver(ui::DataObject& Data, int& Effect, int Button, int Shift, float X,
                             float Y, int State);
    void PicList_OLEDragDrop(ui::DataObject& Data, int& Effect, int Button, int Shift, float X,
                             float Y);

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
    void connectList();
    // The row under a height of the list, not bounded by the rows.
    int rowUnder(const ui::ListBox& list, float Y) const;
    // Inserts the paths of L1 in order before the row under Y, or after the
    // last entry below the rows.
    void insertDropped(float Y);
    ClsPl& pl();

    ControllerSlot MainCtl{app()};
    std::unique_ptr<ClsPl> PlaylistOps;
};
