#pragma once

#include "controls/ctlScrollbar.h"
#include "platform/ui/Frame.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The playlist window: the display texts of the entries, row for row with the
// paths in DataForm.ListaCale.
class Playlist : public PlayerForm {
  public:
    explicit Playlist(ui::Application& app);

    // Lays the window's contents out again, keeping the window at least
    // 4530 x 4000 twips.
    void ResizePlaylist();
    void Form_Resize() override { ResizePlaylist(); }

    ui::ListBox PicList{*this, "PicList"};
    ui::Frame FrameScroll{*this, "FrameScroll"};
    ctlScrollbar ScrollBar{*this, "ScrollBar", ctlScrollbar::vertical};
    ui::ListBox L1{*this, "L1"};
    ui::Timer ScrollTimer{*this, "ScrollTimer"};
};
