#include "core/BassSeek.h"

#include <cmath>

#include "app/PlenkApp.h"
#include "platform/audio/Bass.h"
#include "platform/ui/RuntimeError.h"

namespace BassSeek {

std::uint64_t bytePosition(double sliderValue) {
    const double bytes = std::nearbyint(sliderValue * 100000);
    if (!(bytes >= 0 && bytes < 9.2e18)) throw ui::RuntimeError(ui::kOverflow);
    return static_cast<std::uint64_t>(bytes);
}

void seek(PlenkApp& app, const QString& channel, double sliderValue) {
    bool ok = false;
    const qlonglong handle = channel.trimmed().toLongLong(&ok);
    if (!ok) throw ui::RuntimeError(ui::kTypeMismatch);
    const std::uint64_t position = bytePosition(sliderValue);
    app.bass().BASS_ChannelSetPosition(static_cast<std::uint32_t>(handle), position,
                                       audio::BASS_POS_BYTE);
}

}  // namespace BassSeek
