#include "playlist/Playlist.h"

#include "playlist/ClsPl.h"

Playlist::Playlist(ui::Application& app) : PlayerForm(app, "Playlist") {
    setBorderStyle(vbBSNone);
    setShowInTaskbar(false);
    Move(500, 4100, 6100, 4500);
    PicList.Move(120, 360, 5640, 3720);
    PicList.setFont({"Verdana", 8.25f});
    FrameScroll.Move(5520, 360, 450, 3720);
    FrameScroll.setBorderStyle(0);
    ScrollBar.setContainer(&FrameScroll);
    ScrollBar.Move(0, 0, 450, 3720);
    L1.setVisible(false);
    ScrollTimer.setInterval(1000);
    connectList();
}

Playlist::~Playlist() = default;

ClsPl& Playlist::pl() {
    if (!PlaylistOps) PlaylistOps = std::make_unique<ClsPl>(app());
    return *PlaylistOps;
}

void Playlist::ResizePlaylist() {
    if (Width() < 4530) setWidth(4530);
    if (Height() < 4000) setHeight(4000);
    PicList.Move(120, 360, Width() - 240, Height() - 600);
    FrameScroll.Move(Width() - 570, 360, 450, Height() - 600);
    ScrollBar.Move(0, 0, 450, Height() - 600);
}
