#include "platform/media/MpvBackend.h"

#include <QGuiApplication>
#include <filesystem>

#include "platform/media/MpvDevice.h"

namespace media {

MpvSettings MpvBackend::settingsForPlatform() {
    const QString platform = QGuiApplication::platformName();
    if (platform == "offscreen" || platform == "minimal") return {"null", "null"};
    return {"gpu,x11", ""};
}

OpenOutcome MpvBackend::open(const OpenParams& params) {
    std::error_code error;
    if (params.kind == MediumKind::CdAudio) {
        if (!std::filesystem::exists(settings_.cdDevice, error))
            return {MciError::NoCdDrive, nullptr};
        return MpvDevice::open("cdda://", params.videos->makeSurface(params.parent), settings_,
                               MciError::NoCdDrive);
    }
    const auto status = std::filesystem::status(params.path, error);
    if (!std::filesystem::exists(status)) return {MciError::FileNotFound, nullptr};
    // mpv would read a folder as a playlist; a folder is no medium here.
    if (!std::filesystem::is_regular_file(status)) return {MciError::InvalidFile, nullptr};
    return MpvDevice::open(params.path, params.videos->makeSurface(params.parent), settings_,
                           MciError::InvalidFile);
}

}  // namespace media
