#include "core/ClsMain.h"

#include "core/Mp3InfoMod.h"
#include "playlist/MediaLibrary.h"
#include "shared/PlenkApp.h"
#include "windows/Main.h"

ClsMain::ClsMain(PlenkApp& app) : app_(app) {}

ClsMain::~ClsMain() = default;

void ClsMain::Play() {
    // filled in by the playback issue
}

void ClsMain::SStop() {
    // filled in by the playback issue
}

void ClsMain::ClosePlenk() {
    // the saving steps are filled in by the playback issue
    app_.endProcess(0);
}

void ClsMain::GetMP3Inf() {
    Mp3InfoMod& reader = app_.module<Mp3InfoMod>();
    Mp3Info info;
    reader.ReadMp3Info(reader.Mp3FileName, info);
    Main& main = app_.form<Main>();
    main.labSize.setCaption(info.FileSize + " Bytes");
    main.labLength.setCaption(info.Length + " Sec");
    main.labLayer.setCaption(info.Version + " " + info.Layer);
    main.labBitRate.setCaption(info.Bitrate + " Kbps");
    main.labFreqChan.setCaption(info.Frequency + " " + info.ChannelMode);
    MediaLibrary& library = app_.form<MediaLibrary>();
    library.labCRC.setCaption(info.Crc);
    library.labCopy.setCaption(info.Copyright);
    library.labEmphasis.setCaption(info.Emphasis);
    library.labOriginal.setCaption(info.Original);
}

ClsMain& ControllerSlot::get() {
    if (!controller_) controller_ = std::make_unique<ClsMain>(app_);
    return *controller_;
}
