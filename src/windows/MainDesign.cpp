#include "windows/Main.h"

#include "options/Options.h"
#include "playlist/Playlist.h"
#include "shared/SizeGrip.h"

void Main::designChrome() {
    ImgTopLeft.Move(0, 0, 1500, 285);
    ImgTopCenter.Move(1440, 0, 3690, 285);
    ImgTopCenter.setStretch(true);
    ImgTopRight.Move(4920, 0, 1500, 285);
    Meniu1.Move(240, 0, 735, 255);
    Label1.Move(360, 0, 375, 255);
    Label1.setCaption("File");
    Meniu2.Move(1080, 0, 855, 255);
    Label3.Move(1200, 0, 615, 255);
    Label3.setCaption("Options");
    Meniu3.Move(2040, 0, 855, 255);
    Label4.Move(2160, 0, 615, 255);
    Label4.setCaption("Help");
    for (ui::Label* l : {&Label1, &Label3, &Label4})
        l->setBackStyle(0);
    LabelVideo.Move(2985, 30, 1815, 195);
    LabelVideo.setBackStyle(0);
    LabelVideo.setForeColor(0xE0E0E0);
    MinimizeButton.Move(5040, 0, 330, 255);
    CloseButton.Move(5400, 0, 330, 255);
    ImgLeft.Move(0, 280, 165, 3675);
    ImgLeft.setStretch(true);
    ImgRight.Move(6360, 120, 165, 3675);
    ImgRight.setStretch(true);
    ImgBottomLeft.Move(0, 3720, 1500, 165);
    ImgBottomCenter.Move(1440, 3720, 3690, 165);
    ImgBottomCenter.setStretch(true);
    ImgBottomRight.Move(5040, 3720, 1500, 165);
}

void Main::designAudioPanel() {
    ui::Frame& panel = MainFrame.add(1);
    panel.Move(120, 360, 4695, 3015);
    panel.setBorderStyle(0);
    ui::Control* inside[] = {
        &Image1,      &TSec,       &TotalTime,           &Titlu,      &InfoIDTag,
        &StarePlayer, &labBitRate, &Visualisation,       &ImgButton2, &ImgButton3,
        &ImgButton4,  &ImgButton5, &MultimediaInfoLabel, &labSize,    &labLength,
        &labLayer,    &labFreqChan};
    for (ui::Control* c : inside)
        c->setContainer(&panel);
    // Not stretched: the skin's main picture gives the panel its width.
    Image1.Move(0, 0, 4695, 3015);
    TSec.Move(240, 75, 975, 255);
    TSec.setCaption("00:00");
    TotalTime.Move(1335, 105, 495, 210);
    TotalTime.setCaption("00:00");
    Titlu.Move(2040, 120, 2535, 255);
    Titlu.setCaption("Plenk Player");
    InfoIDTag.Move(2040, 480, 2535, 240);
    InfoIDTag.setCaption("No media");
    StarePlayer.Move(120, 450, 915, 255);
    StarePlayer.setCaption("Waiting");
    labBitRate.Move(1080, 450, 810, 195);
    labBitRate.setCaption("0 Kbps");
    Visualisation.Move(2040, 720, 2535, 615);
    Visualisation.setBorderStyle(0);
    ImgButton5.Move(120, 840, 615, 255);
    ImgButton4.Move(960, 840, 615, 255);
    ImgButton2.Move(120, 1080, 615, 255);
    ImgButton3.Move(960, 1080, 615, 255);
    MultimediaInfoLabel.Move(120, 1425, 1455, 255);
    MultimediaInfoLabel.setCaption("MPEG info");
    labSize.Move(120, 1665, 1425, 195);
    labSize.setCaption("Size: 0");
    labLength.Move(120, 1845, 1395, 195);
    labLength.setCaption("Length: 0");
    labLayer.Move(120, 2040, 1410, 195);
    labLayer.setCaption("Not playing");
    labFreqChan.Move(120, 2265, 1410, 195);
    labFreqChan.setCaption("0 Frequency");
    for (ui::Label* l : {&TSec, &TotalTime, &Titlu, &InfoIDTag, &StarePlayer, &labBitRate,
                         &MultimediaInfoLabel, &labSize, &labLength, &labLayer, &labFreqChan})
        l->setBackStyle(0);
    // Titles and tags show every "&" they have.
    for (ui::Label* l : {&Titlu, &InfoIDTag, &LabelVideo})
        l->setUseMnemonic(false);
    for (int i = 0; i <= 10; ++i) {
        ctlScrollbar& band = sldEQR.add(i, ctlScrollbar::vertical);
        band.setContainer(&panel);
        band.Move(i == 10 ? 1680 : 2160 + 240 * i, 1440, 210, 1215);
    }
}

void Main::designRightPanel() {
    RightFrame.Move(4920, 360, 1095, 2175);
    RightFrame.setBorderStyle(0);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Image3, &Image4, &InfoLabel,
                                                              &PlaylistLabel, &Butoane1})
        c->setContainer(&RightFrame);
    Butoane1.Move(60, 120, 975, 930);
    Image3.Move(0, 1200, 1065, 195);
    InfoLabel.Move(0, 1200, 1095, 255);
    InfoLabel.setCaption("Top 20");
    Image4.Move(0, 1440, 1065, 195);
    PlaylistLabel.Move(0, 1440, 1095, 255);
    PlaylistLabel.setCaption("Playlist");
    InfoLabel.setBackStyle(0);
    PlaylistLabel.setBackStyle(0);
    Logo.Move(4920, 2760, 1095, 585);
}

void Main::designBottomRow() {
    ctlScrollbar& seek = SliderMoveMultimedia.add(0, ctlScrollbar::horizontal);
    seek.Move(120, 3480, 3135, 255);
    seek.setDesign(ctlScrollbar::design(ctlScrollbar::horizontal, 1));
    ImagineVolum.Move(3240, 3480, 195, 165);
    Volum.Move(3480, 3480, 1395, 255);
    Volum.setDesign(ctlScrollbar::design(ctlScrollbar::horizontal, 5));
    ResizeArea.Move(6360, 3720, 195, 195);
    shared::lookLikeSizeGrip(ResizeArea);
    ui::Frame& video = FrameVideo.add(0);
    video.Move(120, 4080, 5175, 3045);
    video.setBorderStyle(0);
    video.setBackColor(0);
    ImgButton1.Move(5640, 4680, 615, 255);
    ImgButton6.Move(5640, 4920, 615, 255);
}

void Main::designStatePanel() {
    // The state panel only holds values; it never shows, whatever the window's width.
    ui::Frame& state = MainFrame.add(0);
    state.Move(6600, 0, 4000, 6000);
    state.setBorderStyle(0);
    state.setVisible(false);
    float top = 0;
    auto place = [&](ui::Control& c, const QString& caption = {}) {
        c.setContainer(&state);
        c.Move(0, top, 3900, 255);
        top += 270;
        if (auto* label = dynamic_cast<ui::Label*>(&c)) label->setCaption(caption);
    };
    place(LbActualCx.add(0), "-1");
    place(LbActualCy.add(0), "-1");
    for (auto* array : {&LbCurrentCx, &LbCurrentCy, &LbCurrentRate, &LbCurrPos, &LbProgress,
                        &LbStatus, &LbResult, &LbFileName})
        place(array->add(0));
    place(txtFrom.add(0));
    place(TxtTo.add(0));
    place(Label7, "Current rate:");
    place(PiesaCurenta);
    place(PozInTop);
    place(FullScreenSec, "0");
    place(StartMoveSlider, "False");
    // The key sink must be able to hold the focus, so it sits on the window
    // itself; the load moves it above the top edge. Locked, it keeps no typed
    // text and blinks no caret nobody sees.
    KeyFocus.Move(0, 0, 255, 255);
    KeyFocus.setLocked(true);
}

void Main::designTimers() {
    TimeCounter.setInterval(1000);
    FixImages.setInterval(1000);
    FixWindows.setInterval(100);
    ScrollTextTimer.setInterval(300);
    FullScreenTimer.setInterval(1000);
    FullScreenTimer.setEnabled(false);
    VersionCheck.setInterval(1000);
    VersionCheck.setEnabled(false);
    ui::Timer& misc = TimerMisc.add(0);
    misc.setInterval(500);
    misc.setEnabled(false);
}
