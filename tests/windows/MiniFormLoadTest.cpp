// The mini window's design and what each load takes from the skin and Main.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/ui/Twips.h"
#include "support/TempDir.h"
#include "windows/MiniFixture.h"

namespace {

using testsupport::builtPicture;
using testsupport::MiniFixture;
using testsupport::shown;
using testsupport::skinSliderPictures;
using testsupport::sliderPictures;

// Main's volume slider as a skin with slider pictures leaves it.
void giveMainVolumPictures(MiniFixture& f, const QString& skin) {
    ctlScrollbar& v = f.form<Main>().Volum;
    const auto load = [&](const char* file) {
        return ui::LoadPicture(QStringLiteral(PLENK_BUILT_SKINS "/") + skin + "/" + file);
    };
    v.setBackgroundPicture(load("h-scrollbar-background.bmp"));
    for (int look = 0; look < 3; ++look) {
        v.setButtonPicture(0, look, load("h-scrollbar-left.bmp"));
        v.setButtonPicture(1, look, load("h-scrollbar-right.bmp"));
        v.setButtonPicture(2, look,
                           load(look ? "h-scrollbar-thumb-focus.bmp" : "h-scrollbar-thumb.bmp"));
    }
}

TEST(MiniFormDesign, TheSlidersAndTheIconCarryPicturesOfTheirOwn) {
    MiniFixture f;
    MiniForm& w = f.mini();
    // The volume icon's own picture gives the image its size.
    EXPECT_EQ(w.ImagineVolum.picture().image().size(), QSize(13, 11));
    EXPECT_EQ(w.ImagineVolum.Width(), 13 * ui::kTwipsPerPixel);
    for (ctlScrollbar* s : {&w.Volum, &w.SliderMoveMultimedia(0)}) {
        EXPECT_EQ(s->Orientation(), ctlScrollbar::horizontal);
        EXPECT_TRUE(s->UsePictureUp() && s->UsePictureDown() && s->UsePictureThumb());
        EXPECT_EQ(s->TrackColor(), 0x80000014u);
    }
    EXPECT_EQ(w.Volum.LargeChange(), 5);
    EXPECT_EQ(w.SliderMoveMultimedia(0).LargeChange(), 1);
}

TEST(MiniFormLoad, CompleteSkinGivesEveryPicture) {
    MiniFixture f;
    giveMainVolumPictures(f, "Silver");
    Main& m = f.form<Main>();
    m.Move(900, 700);
    MiniForm& w = f.mini();
    EXPECT_EQ(shown(w.ImgTopLeft.picture()), builtPicture("Default", "top-left.bmp"));
    EXPECT_EQ(shown(w.ImgLeft.picture()), builtPicture("Default", "left.bmp"));
    EXPECT_EQ(shown(w.CloseButton.picture()), builtPicture("Default", "close-normal.bmp"));
    EXPECT_EQ(shown(w.Image1.picture()), builtPicture("Default", "main-mini.jpg"));
    EXPECT_EQ(w.Image1.Width(), 193 * ui::kTwipsPerPixel);
    EXPECT_EQ(shown(w.Meniu3.picture()), shown(f.form<DataForm>().MeniuNormal.picture()));
    EXPECT_EQ(sliderPictures(w.Volum), skinSliderPictures("Default"));
    EXPECT_EQ(sliderPictures(w.SliderMoveMultimedia(0)), skinSliderPictures("Default"));
    EXPECT_EQ(shown(w.ImagineVolum.picture()), shown(m.ImagineVolum.picture()));
    EXPECT_EQ(w.BackColor(), m.BackColor());
    EXPECT_EQ(w.Visualisation.BackColor(), m.BackColor());
    EXPECT_EQ(w.TSec.ForeColor(), m.TSec.ForeColor());
    EXPECT_EQ(w.Label4.ForeColor(), m.Label4.ForeColor());
    EXPECT_EQ(w.LabelVideo.ForeColor(), 0xE0E0E0u);
    EXPECT_EQ(w.Label1.Caption(), m.Label1.Caption());
    // The key sink out of sight; caption, size and place as designed.
    EXPECT_EQ(w.KeyFocus.Top(), -2000);
    EXPECT_EQ(w.KeyFocus.Left(), 4440);
    EXPECT_EQ(w.Caption(), "Plenk Player");
    EXPECT_EQ(w.Width(), 6105);
    EXPECT_EQ(w.Height(), 1485);
    EXPECT_EQ(w.Left(), 0);
    EXPECT_FALSE(w.Visible());
}

TEST(MiniFormLoad, LabelVideoKeepsItsColourWhateverTheSkin) {
    MiniFixture f;
    f.pick("Silver");
    f.form<Main>().LabelVideo.setForeColor(0x123456);
    MiniForm& w = f.mini();
    EXPECT_EQ(w.LabelVideo.ForeColor(), 0xE0E0E0u);
    EXPECT_EQ(w.Titlu.ForeColor(), f.form<Main>().Titlu.ForeColor());
}

TEST(MiniFormLoad, MissingFilesLeaveTheirPropertyAsDesigned) {
    MiniFixture f;
    f.copySkin("Silver", "Partial");
    QFile::remove(f.skinFile("Partial", "main-mini.jpg"));
    for (const QString& name : QDir(f.program.file("Skins/Partial")).entryList({"h-scrollbar-*"}))
        QFile::remove(f.skinFile("Partial", name));
    giveMainVolumPictures(f, "Silver");
    f.form<::Options>().SkinName.setText("Partial");
    MiniForm& w = f.mini();
    EXPECT_TRUE(w.Image1.picture().isEmpty());
    EXPECT_EQ(shown(w.ImgTopRight.picture()), builtPicture("Silver", "top-right.bmp"));
    // The volume slider keeps its design (the Default's pictures); the seek
    // slider shows what Main's volume slider shows.
    EXPECT_EQ(sliderPictures(w.Volum), skinSliderPictures("Default"));
    EXPECT_EQ(sliderPictures(w.SliderMoveMultimedia(0)), skinSliderPictures("Silver"));
}

TEST(MiniFormLoad, MainVolumWithoutPicturesLeavesTheSeekSliderItsDesign) {
    MiniFixture f;
    f.copySkin("Silver", "Partial");
    for (const QString& name : QDir(f.program.file("Skins/Partial")).entryList({"h-scrollbar-*"}))
        QFile::remove(f.skinFile("Partial", name));
    f.form<::Options>().SkinName.setText("Partial");
    EXPECT_EQ(sliderPictures(f.mini().SliderMoveMultimedia(0)), skinSliderPictures("Default"));
}

TEST(MiniFormLoad, UnusableSkinNamesAndFoldersSkipEveryFile) {
    MiniFixture f;
    f.program.write("Skins/PlainFile", "not a folder");
    QDir(f.program.path()).mkpath("Skins/Empty");
    for (const char* name : {"", "../x", "Nowhere", "PlainFile", "Empty"}) {
        SCOPED_TRACE(name);
        f.form<::Options>().SkinName.setText(name);
        MiniForm& w = f.mini();
        EXPECT_TRUE(w.ImgTopLeft.picture().isEmpty());
        EXPECT_TRUE(w.MinimizeButton.picture().isEmpty());
        EXPECT_TRUE(w.Image1.picture().isEmpty());
        EXPECT_EQ(sliderPictures(w.Volum), skinSliderPictures("Default"));
        // What comes from Main still came.
        EXPECT_FALSE(w.Meniu1.picture().isEmpty());
        EXPECT_EQ(w.KeyFocus.Top(), -2000);
        EXPECT_TRUE(f.snapped(w));
        w.Unload();
    }
}

TEST(MiniFormLoad, BrokenPicturesAreSkippedOneByOne) {
    MiniFixture f;
    f.spoiledSkin(
        {"top.bmp", "left.bmp", "close-normal.bmp", "main-mini.jpg", "h-scrollbar-thumb.bmp"});
    // A JPEG under a ".bmp" name is a picture all the same.
    QFile::remove(f.skinFile("Broken", "bottom.bmp"));
    builtPicture("Silver", "bottom.bmp").save(f.skinFile("Broken", "bottom.bmp"), "JPEG");
    f.form<::Options>().SkinName.setText("Broken");

    MiniForm& w = f.mini();
    EXPECT_TRUE(w.ImgTopCenter.picture().isEmpty());
    EXPECT_TRUE(w.ImgLeft.picture().isEmpty());
    EXPECT_TRUE(w.CloseButton.picture().isEmpty());
    EXPECT_TRUE(w.Image1.picture().isEmpty());
    EXPECT_FALSE(w.ImgBottomCenter.picture().isEmpty());
    EXPECT_EQ(shown(w.Volum.ButtonPicture(2, 0)), builtPicture("Default", "h-scrollbar-thumb.bmp"));
    EXPECT_EQ(shown(w.Volum.ButtonPicture(2, 1)),
              builtPicture("Silver", "h-scrollbar-thumb-focus.bmp"));
    EXPECT_EQ(shown(w.ImgTopRight.picture()), builtPicture("Silver", "top-right.bmp"));
}

TEST(MiniFormLoad, SnapsAtEachLoadAndStopsAtEachUnload) {
    MiniFixture f;
    for (int round = 0; round < 2; ++round) {
        MiniForm& w = f.mini();
        EXPECT_TRUE(f.snapped(w));
        w.Unload();
        EXPECT_FALSE(f.snapped(w));
        EXPECT_FALSE(f.miniLoaded());
    }
}

TEST(MiniFormLoad, SkinAndLanguageChosenInMiniModeWaitForTheNextLoad) {
    MiniFixture f;
    MiniForm& w = f.enterMini();
    const QImage defaultEdge = builtPicture("Default", "top-left.bmp");
    f.pick("Silver");
    f.form<Main>().Label3.setCaption("Optiuni");
    EXPECT_EQ(shown(w.ImgTopLeft.picture()), defaultEdge);
    EXPECT_EQ(w.Label3.Caption(), "Options");
    w.Unload();
    f.enterMini();
    EXPECT_EQ(shown(w.ImgTopLeft.picture()), builtPicture("Silver", "top-left.bmp"));
    EXPECT_EQ(w.Label3.Caption(), "Optiuni");
    EXPECT_EQ(w.BackColor(), f.form<Main>().BackColor());
}

TEST(MiniFormLoad, UnloadReturnsEveryValueToTheDesign) {
    MiniFixture f;
    MiniForm& w = f.enterMini();
    w.TSec.setCaption("12:34");
    w.SliderMoveMultimedia(0).setMax(500);
    w.SliderMoveMultimedia(0).setValue(321.0);
    w.setCaption("Other");
    w.Unload();
    MiniForm& again = f.mini();
    EXPECT_EQ(again.TSec.Caption(), "00:00");
    EXPECT_EQ(again.SliderMoveMultimedia(0).max(), 100);
    EXPECT_EQ(again.SliderMoveMultimedia(0).value(), 0);
    EXPECT_EQ(again.Caption(), "Plenk Player");
}

}  // namespace
