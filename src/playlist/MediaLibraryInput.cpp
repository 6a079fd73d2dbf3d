// The media library window's mouse handling, the Top 20 clicks and the tag save.
#include <QCursor>
#include <QWidget>

#include "core/Id3Module.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowMessages.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/WindowDrag.h"

namespace {

constexpr ui::OleColor kWhite = 0xFFFFFF;
constexpr ui::OleColor kRed = 0x0000FF;
constexpr int kHandPointer = 2;

}  // namespace

void MediaLibrary::connectEvents() {
    Command6.Click.connect([this] { Command6_Click(); });
    TimerClasament.TimerEvent.connect([this] { TimerClasament_Timer(); });
    CloseButton.Click.connect([this] { CloseButton_Click(); });
    CloseButton.MouseMove.connect(
        [this](int b, int s, float x, float y) { CloseButton_MouseMove(b, s, x, y); });
    for (ui::Image* edge : {&ImgRight, &ImgTopRight})
        edge->MouseMove.connect(
            [this](int b, int s, float x, float y) { ImgRight_MouseMove(b, s, x, y); });
    for (ui::Control* handle : std::initializer_list<ui::Control*>{
             &Label7, &ImgTopLeft, &ImgTopCenter, &ImgTopRight, &ImgLeft, &ImgRight, &ImgBottomLeft,
             &ImgBottomCenter, &ImgBottomRight})
        handle->MouseDown.connect([this](int, int, float, float) { FormMove(); });
    FrameLibrary.MouseMove.connect(
        [this](int b, int s, float x, float y) { FrameLibrary_MouseMove(b, s, x, y); });
    ResizeArea.MouseMove.connect(
        [this](int b, int s, float x, float y) { ResizeArea_MouseMove(b, s, x, y); });
    FrameTop10.MouseMove.connect(
        [this](int b, int s, float x, float y) { FrameTop10_MouseMove(b, s, x, y); });
    for (int i = 0; i < 20; ++i) {
        Song(i).MouseMove.connect(
            [this, i](int b, int s, float x, float y) { Song_MouseMove(i, b, s, x, y); });
        Song(i).Click.connect([this, i] { Song_Click(i); });
    }
}

void MediaLibrary::FormMove() {
    dragWindow(*this, ui::HTCAPTION);
}

void MediaLibrary::Form_MouseDown(int, int, float, float) {
    FormMove();
}

void MediaLibrary::Form_Activate() {
    ResizeArea.setVisible(FrameLibrary.Visible());
}

void MediaLibrary::CloseButton_Click() {
    Hide();
    form<DataForm>().MediaOn.setCaption("0");
}

void MediaLibrary::CloseButton_MouseMove(int, int, float, float) {
    CloseButton.setPicture(form<DataForm>().CloseFocus.picture());
}

void MediaLibrary::ImgRight_MouseMove(int, int, float, float) {
    CloseButton.setPicture(form<DataForm>().CloseNormal.picture());
}

void MediaLibrary::Form_MouseMove(int, int, float, float) {
    CloseButton.setPicture(form<DataForm>().CloseNormal.picture());
    app().screen().setMousePointer(ui::vbDefault);
}

void MediaLibrary::FrameLibrary_MouseMove(int, int, float, float) {
    app().screen().setMousePointer(ui::vbDefault);
}

void MediaLibrary::ResizeArea_MouseMove(int Button, int, float, float) {
    app().screen().setMousePointer(ui::vbSizeNWSE);
    if (Button != 1) return;
    handDragToSystem(*this, ui::HTBOTTOMRIGHT);
}

void MediaLibrary::whiteTitles() {
    for (int i = 0; i < 20; ++i)
        Song(i).setForeColor(kWhite);
}

void MediaLibrary::FrameTop10_MouseMove(int, int, float, float) {
    whiteTitles();
    setMousePointer(ui::vbDefault);
}

void MediaLibrary::Song_MouseMove(int Index, int, int, float, float) {
    whiteTitles();
    Song(Index).setForeColor(kRed);
    setMousePointer(kHandPointer);
}

void MediaLibrary::setMousePointer(int value) {
    mousePointer_ = value;
    if (QWidget* w = widget())
        w->setCursor(value == kHandPointer ? QCursor(Qt::PointingHandCursor) : QCursor());
}

void MediaLibrary::Song_Click(int Index) {
    const QString title = Song(Index).Caption();
    if (title.isEmpty()) return;
    ui::ListBox& rows = form<Playlist>().PicList;
    const int row = rows.items().indexOf(title);
    if (row < 0) {
        app().dialogs().MsgBox("Sorry, the song that you have selected is no longer in Playlist",
                               ui::vbOKOnly, PlenkApp::title());
        return;
    }
    DataForm& data = form<DataForm>();
    ui::step([&] { rows.setListIndex(row); });
    ui::step([&] { data.ListaCale.setListIndex(row); });
    // As the playlist's double-click: the entry, not a file opened directly.
    data.FromPlaylist.setCaption("True");
    ui::step([&] { MainCtl.get().SStop(); });
    ui::step([&] { MainCtl.get().Play(); });
}

void MediaLibrary::Command6_Click() {
    Id3Module& id3 = app().module<Id3Module>();
    id3.Tag.Title = Text1T.Text();
    id3.Tag.Artist = Text2T.Text();
    id3.Tag.Album = Text3T.Text();
    id3.Tag.Year = Text4T.Text();
    id3.Tag.Comment = Text5T.Text();
    if (Combo1T.ListIndex() >= 0) id3.Tag.Genre = static_cast<std::uint8_t>(Combo1T.ListIndex());
    const QString path = ID3Path.Caption();
    if (!id3.WriteId3v1Tag(path, id3.Tag))
        app().dialogs().MsgBox("The tag could not be saved to \"" + path + "\".",
                               ui::vbOKOnly | ui::vbExclamation, PlenkApp::title());
}
