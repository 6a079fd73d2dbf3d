#include <gtest/gtest.h>

#include "core/AntiManea.h"
#include "core/frmBass.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

namespace {

const QString kPath = "/music/Artist/song.mp3";

class AntiManeaTest : public ::testing::Test {
  protected:
    PlayerFixture p;
    AntiManea& filter = p.app->module<AntiManea>();
    DataForm& data = p.form<DataForm>();
    QStringList calls;
    int exits = 0;

    AntiManeaTest() {
        filter.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*p.app, calls));
        p.app->setProcessEnd([this](int code) {
            ++exits;
            throw ui::ProcessExit{code};
        });
        p.form<Main>().LbFileName(0).setCaption(kPath);
        p.form<Main>().Titlu.setCaption("song         ");
        Playlist& playlist = p.form<Playlist>();
        playlist.PicList.AddItem("first row");
        playlist.PicList.AddItem("song");
        playlist.PicList.setListIndex(1);
        p.form<MediaLibrary>().Text1T.setText("Clean title");
        p.form<MediaLibrary>().Text2T.setText("Clean artist");
    }

    void words(const QStringList& list) {
        for (const QString& w : list)
            data.ListaManelisti.AddItem(w);
    }
    // True when the check refused the file (and so ended the program).
    bool refused() {
        try {
            filter.CheckManea(kPath);
        } catch (const ui::ProcessExit& exit) {
            EXPECT_EQ(exit.code, 0);
            return true;
        }
        return false;
    }
};

TEST_F(AntiManeaTest, RefusalStopsTellsAndClosesOnce) {
    words({"ignored", "clean ARTIST"});
    p.form<frmBass>().BassON.setCaption("True");
    ASSERT_TRUE(refused());
    EXPECT_EQ(calls, QStringList({"SStop", "ClosePlenk"}));
    EXPECT_FALSE(p.app->isLoaded<frmBass>()) << "the audio host is released";
    EXPECT_EQ(exits, 1);
    ASSERT_EQ(p.dialogs->count("MsgBox"), 1);
    const auto& box = p.dialogs->shown.back();
    EXPECT_EQ(box.text, "Manea detectata! Plenk Player nu poate deschide fisierul " + kPath);
    EXPECT_EQ(box.title, "Plenk Player");
    EXPECT_EQ(box.buttons, ui::vbOKOnly);
}

TEST_F(AntiManeaTest, SearchedTextJoinsTheFivePiecesWithBlanks) {
    p.form<Main>().Titlu.setCaption("");
    words({"artist"});
    ASSERT_TRUE(refused());
    EXPECT_EQ(data.CuvinteCheieManele.Caption(), kPath + "  song Clean title Clean artist");
    EXPECT_EQ(data.lstFoundWords.items(), QStringList({"Artist", "artist"}));
}

TEST_F(AntiManeaTest, WordMatchesWhateverItsCase) {
    p.form<MediaLibrary>().Text1T.setText("Best of ABC");
    words({"abc"});
    EXPECT_TRUE(refused());
}

TEST_F(AntiManeaTest, WordMatchesUpperCasedNonAsciiLetters) {
    p.form<MediaLibrary>().Text2T.setText("Ștefan și Élodie");
    words({"ȘI ÉLODIE"});
    EXPECT_TRUE(refused());
}

TEST_F(AntiManeaTest, WordMatchesAcrossTheJoiningBlank) {
    p.form<MediaLibrary>().Text1T.setText("ends in x");
    p.form<MediaLibrary>().Text2T.setText("y begins");
    words({"x y"});
    EXPECT_TRUE(refused());
}

TEST_F(AntiManeaTest, WordOnlyInThePlaylistRowRefuses) {
    p.form<Playlist>().PicList.setList(1, "Forbidden tune");
    words({"forbidden"});
    EXPECT_TRUE(refused());
}

TEST_F(AntiManeaTest, WordAtTheStartOfThePathRefuses) {
    words({"/MUSIC/"});
    EXPECT_TRUE(refused());
}

TEST_F(AntiManeaTest, CleanFileGoesOnWithAnEmptySearchedText) {
    words({"", "nothing here", "", "song.mp4"});
    EXPECT_FALSE(refused());
    EXPECT_EQ(data.CuvinteCheieManele.Caption(), "");
    EXPECT_EQ(data.lstFoundWords.ListCount(), 0);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0);
    EXPECT_EQ(exits, 0);
}

TEST_F(AntiManeaTest, EmptyOrBlankListRefusesNothing) {
    EXPECT_FALSE(refused());
    words({"", ""});
    EXPECT_FALSE(refused());
}

}  // namespace
