#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "core/ClsMain.h"
#include "core/Id3v1Tag.h"
#include "core/frmBass.h"
#include "platform/audio/Bass.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/AudioFiles.h"
#include "support/PlayerFixture.h"
#include "support/TempDir.h"
#include "windows/Main.h"

namespace bashost {

// The host's controller: tells of every end of a track it is handed, then
// does what the controller does.
class EndWatcher : public ClsMain {
  public:
    EndWatcher(PlenkApp& app, std::function<void()> seen) : ClsMain(app), seen_(std::move(seen)) {}
    void EndOfSong() override {
        seen_();
        ClsMain::EndOfSong();
    }

  private:
    std::function<void()> seen_;
};

// A started player on the manual clock and the null output, its files in a
// folder of their own.
class BassHostTest : public ::testing::Test {
  protected:
    explicit BassHostTest(const testsupport::PlayerOptions& options = {}) : p(options) {
        watchEnds();
    }

    void watchEnds() {
        host().MainCtl.set(std::make_unique<EndWatcher>(*p.app, [this] {
            ++ends;
            positionAtEnd = bass().BASS_ChannelGetPosition(channel(), audio::BASS_POS_BYTE);
            lengthAtEnd = bass().BASS_ChannelGetLength(channel(), audio::BASS_POS_BYTE);
        }));
    }

    frmBass& host() { return p.form<frmBass>(); }
    Main& main() { return p.form<Main>(); }
    DataForm& data() { return p.form<DataForm>(); }
    audio::Bass& bass() { return p.app->bass(); }
    audio::DWORD channel() { return static_cast<audio::DWORD>(host().Chan.Caption().toInt()); }

    QString tone(const QString& name, const testsupport::Tone& tone = {}) {
        return testsupport::writeTone(media.file(name), testsupport::kWav, tone);
    }
    // The file with an ID3v1 tag after its audio.
    QString tagged(const QString& path, const QString& artist) {
        Id3v1Tag tag = Id3v1Tag::blank();
        tag.Title = "Title";
        tag.Artist = artist;
        tag.Album = "Album";
        tag.Year = "2024";
        EXPECT_TRUE(tag.writeTo(path));
        return path;
    }
    // As a file from the open dialog: named in the main window, not from the playlist.
    void play(const QString& path) {
        main().LbFileName(0).setCaption(path);
        data().FromPlaylist.setCaption("False");
        main().controller().Play();
    }
    void addToPlaylist(const QString& path, const QString& title) {
        data().ListaCale.AddItem(path);
        p.form<Playlist>().PicList.AddItem(title);
    }
    // As a double-click on a playlist row.
    void playRow(int row) {
        p.form<Playlist>().PicList.setListIndex(row);
        data().ListaCale.setListIndex(row);
        data().SongNumber.setCaption(QString::number(row));
        data().FromPlaylist.setCaption("True");
        main().controller().Play();
    }

    testsupport::TempDir media;
    testsupport::PlayerFixture p;
    int ends = 0;
    audio::QWORD positionAtEnd = 0;
    audio::QWORD lengthAtEnd = 0;
};

}  // namespace bashost
