#include "playlist/MediaLibrary.h"

MediaLibrary::MediaLibrary(ui::Application& app) : PlayerForm(app, "MediaLibrary") {
    setBorderStyle(vbBSNone);
    setShowInTaskbar(false);
    Move(6700, 500, 5400, 5200);
    for (ui::Frame* page : {&FrameLibrary, &FrameTop10, &FrameIDTag}) {
        page->Move(120, 360, 5160, 4680);
        page->setBorderStyle(0);
    }
    FrameTop10.setVisible(false);
    FrameIDTag.setVisible(false);
    designInformationPage();
    designTopPage();
    designTagPage();
}

void MediaLibrary::designInformationPage() {
    float top = 120;
    auto place = [&](ui::Label& label, const QString& caption) {
        label.setContainer(&FrameLibrary);
        label.Move(2400, top, 2640, 255);
        label.setCaption(caption);
        top += 300;
    };
    place(LbFramesPerSecond.add(0), "0");
    place(LbTotalFrames.add(0), "0");
    place(LbTotalTime.add(0), "0");
    place(LbCurrentTime.add(0), "0");
    place(labCRC, "");
    place(labCopy, "");
    place(labOriginal, "");
    place(labEmphasis, "");
}

void MediaLibrary::designTopPage() {
    for (int i = 0; i < 20; ++i) {
        ui::Label& song = Song.add(i);
        song.setContainer(&FrameTop10);
        song.Move(120, 120 + 225 * i, 4200, 225);
        ui::Label& count = CountPlayed.add(i);
        count.setContainer(&FrameTop10);
        count.Move(4440, 120 + 225 * i, 600, 225);
    }
    ListaAsteptare.setContainer(&FrameTop10);
    ListaAsteptare.setVisible(false);
    TimerClasament.setInterval(100);
}

void MediaLibrary::designTagPage() {
    float top = 120;
    for (auto [box, width] :
         {std::pair{&Text1T, 30}, {&Text2T, 30}, {&Text3T, 30}, {&Text4T, 4}, {&Text5T, 30}}) {
        box->setContainer(&FrameIDTag);
        box->Move(1200, top, 3840, 315);
        box->setMaxLength(width);
        top += 420;
    }
    Combo1T.setContainer(&FrameIDTag);
    Combo1T.Move(1200, top, 3840, 315);
    ID3Path.setContainer(&FrameIDTag);
    ID3Path.Move(120, top + 480, 4920, 255);
}
