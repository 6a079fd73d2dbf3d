// The audio host's once-a-second tick: position, times, status, the rotating
// information line and the end of the track; and the per-track display that
// the first tick of each stream brings.
#include <algorithm>

#include "controls/ctlScrollbar.h"
#include "core/Id3Module.h"
#include "core/frmBass.h"
#include "platform/audio/Bass.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "playlist/Top10.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "windows/Main.h"

using ui::step;

namespace {

// The seek slider counts in units of this many bytes while a stream plays.
constexpr double kSliderUnit = 100000;

// A byte count as the engine gives it, -1 when it fails.
QString bytesText(audio::QWORD bytes) {
    return QString::number(static_cast<std::int64_t>(bytes));
}

}  // namespace

QString frmBass::TimeText(double seconds) {
    const auto whole =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(shared::roundHalfEven(seconds)));
    return QString("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QChar('0'));
}

void frmBass::Timer1_Timer() {
    audio::Bass& bass = app().bass();
    Main& m = form<Main>();
    if (bass.BASS_ChannelIsActive(channel()) == audio::BASS_ACTIVE_STOPPED) {
        step([&] { m.LbStatus(0).setCaption("stopped"); });
        // The channel has played to its end.  The hand-over releases this host
        // and may start the next entry in a new one: nothing is left to show.
        step([&] { MainCtl.get().EndOfSong(); });
        return;
    }
    step([&] {
        Pozitie.setCaption(
            bytesText(bass.BASS_ChannelGetPosition(channel(), audio::BASS_POS_BYTE)));
    });
    // The first write of a stream changes the text and brings the per-track display.
    step([&] {
        StreamLength.setCaption(
            bytesText(bass.BASS_ChannelGetLength(channel(), audio::BASS_POS_BYTE)));
    });
    // Left alone while the user drags it.
    step([&] {
        if (Scrolling.Caption() == "False")
            m.SliderMoveMultimedia(0).setValue(shared::toDouble(Pozitie.Caption()) / kSliderUnit);
    });
    auto seconds = [&](const ui::Label& bytes) {
        const auto count = static_cast<std::int64_t>(shared::toDouble(bytes.Caption()));
        return bass.BASS_ChannelBytes2Seconds(channel(), static_cast<audio::QWORD>(count));
    };
    step([&] { m.TimeCounter.setEnabled(false); });
    step([&] { m.TSec.setCaption(TimeText(seconds(Pozitie))); });
    step([&] { m.TotalTime.setCaption(TimeText(seconds(StreamLength))); });
    step([&] { m.LbStatus(0).setCaption("Playing"); });
    step([&] { showInformationLine(); });
}

// Artist for three ticks, then album, year and ranking for four each.
void frmBass::showInformationLine() {
    Main& m = form<Main>();
    MediaLibrary& library = form<MediaLibrary>();
    const int count = static_cast<int>(shared::toDouble(SwitchIDTag.Caption())) + 1;
    SwitchIDTag.setCaption(QString::number(count));
    switch (count) {
        case 1:
            return m.InfoIDTag.setCaption("Artist: " + library.Text2T.Text());
        case 4:
            return m.InfoIDTag.setCaption("Album: " + library.Text3T.Text());
        case 8:
            return m.InfoIDTag.setCaption("Year: " + library.Text4T.Text());
        case 12:
            app().module<Top10>().ShowTopPosition();
            return m.InfoIDTag.setCaption(m.PozInTop.Caption());
        case 15:
            return SwitchIDTag.setCaption("0");
    }
}

void frmBass::StreamLength_Change() {
    Main& m = form<Main>();
    step([&] { m.TimerMisc(0).setEnabled(false); });
    step([&] {
        m.SliderMoveMultimedia(0).setMax(shared::toDouble(StreamLength.Caption()) / kSliderUnit);
    });
    step([&] { form<MediaLibrary>().LbCurrentTime(0).setCaption("0"); });
    step([&] { showTitle(); });
    step([&] { m.PiesaCurenta.setCaption(form<Playlist>().PicList.Text()); });
    step([&] { m.LbFileName(0).setCaption(FileToPlay.Text()); });
    step([&] { form<MediaLibrary>().readTag(m.LbFileName(0).Caption()); });
    step([&] { MainCtl.get().GetMP3Inf(); });
}

// The selected playlist row's text: with the marquee's gap when the file came
// from the playlist, as it is when the program was started without a file,
// else the title line stays.
void frmBass::showTitle() {
    const QString row = form<Playlist>().PicList.Text();
    Main& m = form<Main>();
    if (form<DataForm>().FromPlaylist.Caption() == "True")
        m.Titlu.setCaption(row + QString(9, ' '));
    else if (app().commandLine().isEmpty())
        m.Titlu.setCaption(row);
}
