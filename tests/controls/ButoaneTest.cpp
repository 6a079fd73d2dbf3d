#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "controls/Butoane.h"
#include "options/Options.h"
#include "platform/ui/Twips.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

namespace {

constexpr const char* kStripFiles[] = {
    "controls-background.bmp", "pause-hover.bmp",    "stop-hover.bmp",      "next-hover.bmp",
    "back-hover.bmp",          "play-hover.bmp",     "pause-mousedown.bmp", "stop-mousedown.bmp",
    "next-mousedown.bmp",      "back-mousedown.bmp", "play-mousedown.bmp",  "plenkplayer.bmp"};

class Strip : public ::testing::Test {
  protected:
    testsupport::PlayerFixture p;
    Main& main = p.form<Main>();
    Butoane& strip = main.Butoane1;
    QStringList calls;

    void SetUp() override {
        strip.Controller().set(std::make_unique<testsupport::RecordingMain>(*p.app, calls));
    }
    // A skin folder with every strip bitmap, each of its own width.
    void makeSkin(const QString& name, int width) {
        const QString folder = p.program.file("Skins/" + name);
        QDir().mkpath(folder);
        for (const char* file : kStripFiles) {
            QImage image(width, 7, QImage::Format_RGB32);
            image.fill(Qt::gray);
            image.save(folder + "/" + file, "BMP");
        }
    }
    void useSkin(const QString& name) { p.form<Options>().SkinName.setText(name); }
    void setState(const QString& text) { main.StarePlayer.setCaption(text); }
};

TEST_F(Strip, PlayDecidesByTheExactStateText) {
    for (const char* state : {"Playing", "Paused", "Stopped", "Waiting", "playing"}) {
        calls.clear();
        strip.PlayPressed.setTop(1000);
        setState(state);
        strip.ButtonDown(Butoane::kPlay);
        const bool playing = QString(state) == "Playing";
        EXPECT_EQ(calls, QStringList({playing ? "Pause" : "Play"})) << state;
        EXPECT_EQ(strip.PlayPressed.Top(), playing ? 1000 : 240) << state;
    }
    EXPECT_EQ(strip.PlayPressed.Left(), 260);
}

TEST_F(Strip, EveryButtonPressesWithAnyMouseButtonAndADoubleClickIsTwoPresses) {
    strip.NextButon.MouseDown.raise(ui::vbRightButton, 0, 10, 10);
    strip.BackButon.MouseDown.raise(ui::vbLeftButton, 0, 10, 10);
    strip.BackButon.DblClick.raise();
    strip.PauzaButon.MouseDown.raise(ui::vbLeftButton, 0, 10, 10);
    EXPECT_EQ(calls, QStringList({"PlayNext", "PlayPrevious", "PlayPrevious", "Pause"}));
    EXPECT_EQ(strip.BackPressed.Top(), 190);
    strip.BackButon.MouseUp.raise(ui::vbRightButton, 0, 10, 10);
    EXPECT_EQ(strip.BackPressed.Top(), 1000);
    EXPECT_EQ(strip.BackPressed.Left(), 1) << "hiding keeps the left";
}

TEST_F(Strip, StopStopsAndShowsItsPressedPicture) {
    strip.ButtonDown(Butoane::kStop);
    EXPECT_EQ(calls, QStringList({"SStop"}));
    EXPECT_EQ(strip.StopPressed.Top(), 720);
}

TEST_F(Strip, HoverLastsUntilTheNextSecondTick) {
    strip.PauzaButon.MouseMove.raise(0, 0, 5, 5);
    EXPECT_EQ(strip.PauzaFocus.Top(), 1);
    EXPECT_EQ(strip.PauzaFocus.Left(), 210);
    p.clock->advance(1000);
    EXPECT_EQ(strip.PauzaFocus.Top(), 1000);
}

TEST_F(Strip, SkinChangesReloadAllElevenPictures) {
    makeSkin("One", 11);
    makeSkin("Two", 22);
    useSkin("One");
    p.clock->advance(1500);
    EXPECT_EQ(strip.NextPressed.picture().pixmap().width(), 11);
    EXPECT_EQ(strip.Background.picture().pixmap().width(), 11);
    useSkin("Two");
    p.clock->advance(1500);
    for (ui::Image* image : {&strip.Background, &strip.PlayFocus, &strip.StopPressed})
        EXPECT_EQ(image->picture().pixmap().width(), 22) << image->Name().toStdString();
    EXPECT_EQ(strip.LastSkin(), "Two");
}

TEST_F(Strip, AMissingBitmapLeavesTheOthersLoaded) {
    makeSkin("Gap", 13);
    QFile::remove(p.program.file("Skins/Gap/next-mousedown.bmp"));
    QFile(p.program.file("Skins/Gap/back-hover.bmp")).resize(10);
    useSkin("Gap");
    p.clock->advance(3000);
    EXPECT_TRUE(strip.NextPressed.picture().isEmpty());
    EXPECT_TRUE(strip.BackFocus.picture().isEmpty());
    EXPECT_EQ(strip.PlayPressed.picture().pixmap().width(), 13);
}

TEST_F(Strip, NoProgramFolderDefersTheLoad) {
    makeSkin("Later", 17);
    useSkin("Later");
    const QString folder = p.form<DataForm>().CalePlenkPlayer.List(0);
    p.form<DataForm>().CalePlenkPlayer.Clear();
    p.clock->advance(2000);
    EXPECT_TRUE(strip.Background.picture().isEmpty());
    p.form<DataForm>().CalePlenkPlayer.AddItem(folder);
    p.form<DataForm>().CalePlenkPlayer.setListIndex(0);
    p.clock->advance(500);
    EXPECT_EQ(strip.Background.picture().pixmap().width(), 17);
}

}  // namespace
