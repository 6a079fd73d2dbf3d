#pragma once

#include <set>

#include "platform/ui/FileListBox.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "shared/PlayerForm.h"

// The hidden window whose controls are the program's shared state: lists,
// text flags and counters, and the store of button pictures.
class DataForm : public PlayerForm {
  public:
    explicit DataForm(ui::Application& app);

    // A file of the program folder (the selected item of CalePlenkPlayer)
    // named by a relative part such as "\\Data\\plst.data".
    QString programFile(const QString& relative) const;

    // Lists.
    ui::ListBox ListaCale{*this, "ListaCale"};
    ui::ListBox ListaProgramate{*this, "ListaProgramate"};
    ui::ListBox ListaClasament{*this, "ListaClasament"};
    ui::ListBox ListaManelisti{*this, "ListaManelisti"};
    ui::ListBox MSettings{*this, "MSettings"};
    ui::ListBox SkinSettings{*this, "SkinSettings"};
    ui::ListBox SkinValues{*this, "SkinValues"};
    ui::ListBox KeyboardSettings{*this, "KeyboardSettings"};
    ui::ListBox LangList{*this, "LangList"};
    ui::ListBox CalePlenkPlayer{*this, "CalePlenkPlayer"};
    ui::ListBox lstFoundWords{*this, "lstFoundWords"};
    ui::ListBox Foldere{*this, "Foldere"};
    ui::FileListBox File1{*this, "File1"};

    // Text flags and numbers.
    ui::Label FromPlaylist{*this, "FromPlaylist"};
    ui::Label FullScreenStat{*this, "FullScreenStat"};
    ui::Label MiniMode{*this, "MiniMode"};
    ui::Label MainMode{*this, "MainMode"};
    ui::Label PlaylistON{*this, "PlaylistON"};
    ui::Label MediaOn{*this, "MediaOn"};
    ui::Label Magnet{*this, "Magnet"};
    ui::Label SongNumber{*this, "SongNumber"};
    ui::Label Sn1{*this, "Sn1"};
    ui::Label Sn2{*this, "Sn2"};
    ui::Label Sn3{*this, "Sn3"};
    ui::Label Sn4{*this, "Sn4"};
    ui::Label VideoSizeLeft{*this, "VideoSizeLeft"};
    ui::Label VideoSizeTop{*this, "VideoSizeTop"};
    ui::Label VideoSizeWidth{*this, "VideoSizeWidth"};
    ui::Label VideoSizeHeight{*this, "VideoSizeHeight"};
    ui::Label VideoSizeWidth2{*this, "VideoSizeWidth2"};
    ui::Label VideoSizeHeight2{*this, "VideoSizeHeight2"};
    ui::Label AddToIndex{*this, "AddToIndex"};
    ui::Label NrFisier{*this, "NrFisier"};
    ui::Label CuvinteCheieManele{*this, "CuvinteCheieManele"};

    // The playlist rows that failed to start since a file last started, in
    // the paths list as it stood at its change count listChanges.
    struct FailedRowsRecord {
        std::set<int> rows;
        unsigned listChanges = 0;
    } FailedRows;

    // Picture store of the skinned buttons.
    ui::Image MeniuNormal{*this, "MeniuNormal"};
    ui::Image MeniuHover{*this, "MeniuHover"};
    ui::Image CloseNormal{*this, "CloseNormal"};
    ui::Image CloseFocus{*this, "CloseFocus"};
    ui::Image MinimizeNormal{*this, "MinimizeNormal"};
    ui::Image MinimizeFocus{*this, "MinimizeFocus"};
    ui::Image ImgButton{*this, "ImgButton"};
    ui::Image ImgButtonFocus{*this, "ImgButtonFocus"};
    ui::Image ImgButton1{*this, "ImgButton1"};
    ui::Image ImgButton2{*this, "ImgButton2"};
    ui::Image ImgButton3{*this, "ImgButton3"};
    ui::Image ImgButton4{*this, "ImgButton4"};
    ui::Image ImgButton5{*this, "ImgButton5"};
    ui::Image ImgButton6{*this, "ImgButton6"};
    ui::Image ImgButton1Hover{*this, "ImgButton1Hover"};
    ui::Image ImgButton2Hover{*this, "ImgButton2Hover"};
    ui::Image ImgButton3Hover{*this, "ImgButton3Hover"};
    ui::Image ImgButton4Hover{*this, "ImgButton4Hover"};
    ui::Image ImgButton5Hover{*this, "ImgButton5Hover"};
    ui::Image ImgButton6Hover{*this, "ImgButton6Hover"};
    // The off look of the equalizer, playlist, Top 20 and options buttons.
    ui::Image ImgButton2b{*this, "ImgButton2b"};
    ui::Image ImgButton4b{*this, "ImgButton4b"};
    ui::Image ImgButton5b{*this, "ImgButton5b"};
    ui::Image ImgButton6b{*this, "ImgButton6b"};
};
