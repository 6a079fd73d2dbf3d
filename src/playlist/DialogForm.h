#pragma once

#include <memory>

#include "core/ClsMain.h"
#include "persistence/DataClass.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/FileListBox.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "shared/PlayerForm.h"

class ClsPl;

// The dialog window that loads, saves and deletes playlist files (.mpl: one
// full path per line, in playlist order, under the program folder's
// Playlists) and closes the CD door.  Whoever shows it names the page in
// Fereastra; the page is chosen when the window is activated, so the name may
// be written after the window was made visible.
//
// Playlist names are refused when empty, beginning with "." (a hidden file the
// lists never show) or holding "/" or "\" (a file outside Playlists); a save
// or load that fails says so and leaves the window and the playlist as they
// were.
class DialogForm : public PlayerForm {
  public:
    explicit DialogForm(ui::Application& app);
    ~DialogForm() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void TitluMesaj_MouseDown(int Button, int Shift, float X, float Y);
    // Drags the window, while it is in its normal state and no video fills
    // the screen.
    void FormMove();

    void Command2_Click();
    void File1_DblClick();
    void File1_Click();
    void Command6_Click();
    void Command4_Click();
    void PlaylistName_KeyPress(int& KeyAscii);
    void File2_Click();
    void Command7_Click();
    void Command3_Click();
    void Command5_Click();
    void ImageClose_Click();
    void Command1_Click();

    // The page to show: "LoadPlaylist", "SavePlaylist" or "CDFrame".
    ui::Label Fereastra{*this, "Fereastra"};
    ui::Label TitluMesaj{*this, "TitluMesaj"};
    ui::Image ImageClose{*this, "ImageClose"};

    ui::Frame LoadPlaylistFrame{*this, "LoadPlaylistFrame"};
    ui::FileListBox File1{*this, "File1"};
    ui::CommandButton Command2{*this, "Command2"};
    ui::CommandButton Command3{*this, "Command3"};
    ui::CommandButton Command6{*this, "Command6"};

    ui::Frame SavePlaylistFrame{*this, "SavePlaylistFrame"};
    ui::Label Label3{*this, "Label3"};
    ui::TextBox PlaylistName{*this, "PlaylistName"};
    ui::Label Label4{*this, "Label4"};
    ui::FileListBox File2{*this, "File2"};
    ui::CommandButton Command4{*this, "Command4"};
    ui::CommandButton Command5{*this, "Command5"};
    ui::CommandButton Command7{*this, "Command7"};
    ui::Label Label2{*this, "Label2"};

    ui::Frame CdFrame{*this, "CdFrame"};
    ui::Label Label1{*this, "Label1"};
    ui::CommandButton Command1{*this, "Command1"};

    ControllerSlot MainCtl{app()};

  private:
    void designLoadPage();
    void designSavePage();
    void designCdPage();
    void connectHandlers();
    void showPage(const QString& name);
    QString playlistsFolder() const;
    void loadPlaylist();
    void rebuildDisplayTexts();
    void savePlaylist();
    void deletePlaylist(ui::FileListBox& list);
    void tell(const QString& message);
    DataClass& store();

    std::unique_ptr<DataClass> Data;
    std::unique_ptr<ClsPl> PlaylistOps;
};
