#include "shared/DataForm.h"

#include "shared/ProgramFolder.h"

DataForm::DataForm(ui::Application& app) : PlayerForm(app, "DataForm") {
    setBorderStyle(vbBSNone);
    FromPlaylist.setCaption("True");
    FullScreenStat.setCaption("False");
    MiniMode.setCaption("False");
    MainMode.setCaption("Full");
    PlaylistON.setCaption("1");
    MediaOn.setCaption("0");
    Magnet.setCaption("0");
    SongNumber.setCaption("-1");
    for (ui::Label* offset : {&Sn1, &Sn2, &Sn3, &Sn4})
        offset->setCaption("0");
    VideoSizeWidth2.setCaption("9000");
    VideoSizeHeight2.setCaption("7000");
    AddToIndex.setCaption("0");
    NrFisier.setCaption("0");
    File1.setPattern(
        "*.mp3;*.mp4;*.wav;*.mpg;*.avi;*.mov;*.wmv;*.mpv;*.mpe;*.mpa;*.qt;*.ogm;*.snd;*rmi;*.divx;*"
        ".wma;"
        "*.mpeg;*.cda;*.mp2;*.mp1;*.mid;*.midi;*.vob;*.dat;*.asf;*.flv;*.M2V;*3gp");
}

QString DataForm::programFile(const QString& relative) const {
    return shared::joinPath(CalePlenkPlayer.Text(), relative);
}
