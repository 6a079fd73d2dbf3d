// The pictures the skin loader gives the windows and the picture store.
#include <gtest/gtest.h>

#include <QImage>

#include "core/modSpectrum.h"
#include "playlist/Playlist.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"

namespace {

using testsupport::SkinFixture;

QImage built(const QString& skin, const QString& file) {
    return QImage(QStringLiteral(PLENK_BUILT_SKINS "/") + skin + "/" + file)
        .convertToFormat(QImage::Format_RGB32);
}

QImage shown(const ui::Picture& p) {
    return p.image().convertToFormat(QImage::Format_RGB32);
}

// Everything a skin sets, for comparing one run with another.
struct Look {
    std::vector<QImage> pictures;
    std::vector<ui::OleColor> colours;
    bool operator==(const Look&) const = default;
};

Look lookOf(SkinFixture& f) {
    Main& m = f.form<Main>();
    DataForm& d = f.form<DataForm>();
    Playlist& p = f.form<Playlist>();
    Look look;
    for (ui::Image* i :
         {&m.Image1, &m.ImgTopLeft, &m.ImgTopCenter, &m.ImgBottomRight, &m.Logo, &m.ImagineVolum,
          &m.Meniu2, &m.CloseButton, &m.MinimizeButton, &m.Image4, &m.ImgButton3,
          &d.ImgButton6Hover, &d.ImgButton4b, &d.ImgButtonFocus, &d.MeniuHover, &d.CloseFocus})
        look.pictures.push_back(shown(i->picture()));
    look.pictures.push_back(shown(m.Visualisation.picture()));
    look.pictures.push_back(shown(m.Volum.BackgroundPicture()));
    look.pictures.push_back(shown(m.SliderMoveMultimedia(0).ButtonPicture(2, 1)));
    look.pictures.push_back(shown(m.sldEQR(7).ButtonPicture(0, 2)));
    look.pictures.push_back(shown(p.ScrollBar.ButtonPicture(2, 0)));
    look.colours = {m.Label1.ForeColor(),    m.TSec.ForeColor(),        m.labSize.ForeColor(),
                    m.InfoLabel.ForeColor(), p.PicList.BackColor(),     p.PicList.ForeColor(),
                    m.BackColor(),           m.MainFrame(1).BackColor()};
    return look;
}

TEST(SkinPictures, StartUpShowsTheDefaultSkin) {
    SkinFixture f;
    Main& m = f.form<Main>();
    DataForm& d = f.form<DataForm>();
    EXPECT_EQ(shown(m.Image1.picture()), built("Default", "main.jpg"));
    EXPECT_EQ(shown(m.Visualisation.picture()), built("Default", "plenkplayer.bmp"));
    EXPECT_EQ(shown(d.ImgButton2b.picture()), built("Default", "button2b.bmp"));
    EXPECT_EQ(shown(d.ImgButton5Hover.picture()), built("Default", "button5f.bmp"));
    EXPECT_EQ(shown(f.form<::Options>().CloseButton.picture()),
              built("Default", "close-normal.bmp"));
    EXPECT_EQ(m.MainFrame(1).Width(), 313 * 15);
    EXPECT_EQ(m.Label1.ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(m.BackColor(), 34u + 256u * 37u + 65536u * 46u);
}

TEST(SkinPictures, FirstSkinLackingFilesShowsTheDesignPictures) {
    SkinFixture f(false);
    QDir(f.program.file("Skins/Default")).removeRecursively();
    f.copySkin("Silver", "Default");  // Silver's files under the name the settings give
    QFile::remove(f.skinFile("Default", "main.jpg"));
    QFile::remove(f.skinFile("Default", "close-normal.bmp"));
    f.start();
    Main& m = f.form<Main>();
    EXPECT_EQ(shown(m.Image1.picture()), built("Default", "main.jpg"));
    EXPECT_EQ(shown(m.CloseButton.picture()), built("Default", "close-normal.bmp"));
    EXPECT_EQ(shown(f.form<::Options>().CloseButton.picture()),
              built("Default", "close-normal.bmp"));
    EXPECT_EQ(shown(m.Logo.picture()), built("Silver", "logo.bmp"));
}

TEST(SkinPictures, WithoutAnySkinTheDesignPicturesShow) {
    SkinFixture f(false);
    QDir(f.program.file("Skins")).removeRecursively();
    f.start();
    Main& m = f.form<Main>();
    DataForm& d = f.form<DataForm>();
    EXPECT_EQ(shown(m.Image1.picture()), built("Default", "main.jpg"));
    EXPECT_EQ(shown(m.Visualisation.picture()), built("Default", "plenkplayer.bmp"));
    EXPECT_EQ(shown(d.ImgButton6b.picture()), built("Default", "button6b.bmp"));
    EXPECT_TRUE(m.Meniu1.picture() == d.MeniuNormal.picture());
    EXPECT_EQ(m.MainFrame(1).Width(), 313 * 15);
}

TEST(SkinPictures, LoadsAreOwnPicturesAndCopiesShareTheSource) {
    SkinFixture f;
    Main& m = f.form<Main>();
    DataForm& d = f.form<DataForm>();
    // button.bmp is read twice: each holder has a picture of its own.
    EXPECT_FALSE(m.Image3.picture() == d.ImgButton.picture());
    EXPECT_EQ(shown(m.Image3.picture()), shown(d.ImgButton.picture()));
    EXPECT_TRUE(m.Image4.picture() == m.Image3.picture());
    EXPECT_TRUE(m.CloseButton.picture() == d.CloseNormal.picture());
    EXPECT_TRUE(m.Meniu3.picture() == d.MeniuNormal.picture());
    EXPECT_TRUE(d.ImgButton1.picture() == m.ImgButton1.picture()) << "a tool button always on";
}

// The tool buttons show their state at start and after a skin change: the
// playlist, library and options hidden, then the equalizer off.  A skin
// without an off picture leaves the previous one for that state; a picture
// of another size is shown at its size.
TEST(SkinPictures, ToolButtonsShowTheirStateAtStartAndAfterASkinChange) {
    SkinFixture f(false);
    QStringList settings = testsupport::readLines(QString(PLENK_ASSETS) + "/settings.ini");
    settings[16] = "Playlist=False";
    f.program.write("settings.ini", (settings.join("\r\n") + "\r\n").toUtf8());
    f.start();
    Main& m = f.form<Main>();
    DataForm& d = f.form<DataForm>();
    ASSERT_FALSE(f.form<Playlist>().Visible());
    EXPECT_TRUE(m.ImgButton4.picture() == d.ImgButton4b.picture()) << "the playlist is hidden";
    EXPECT_TRUE(m.ImgButton5.picture() == d.ImgButton5b.picture()) << "the library is hidden";
    EXPECT_TRUE(m.ImgButton6.picture() == d.ImgButton6b.picture()) << "the options are hidden";
    EXPECT_TRUE(m.ImgButton1.picture() == d.ImgButton1.picture());

    f.form<::Options>().Option13.setValue(true);
    f.copySkin("Silver", "Odd");
    QFile::remove(f.skinFile("Odd", "button2b.bmp"));
    QImage wide(60, 30, QImage::Format_RGB32);
    wide.fill(Qt::green);
    ASSERT_TRUE(wide.save(f.skinFile("Odd", "button4b.bmp"), "BMP"));
    f.pick("Odd");
    EXPECT_TRUE(m.ImgButton2.picture() == d.ImgButton2b.picture()) << "the equalizer is off";
    EXPECT_EQ(shown(m.ImgButton2.picture()), built("Default", "button2b.bmp"));
    EXPECT_EQ(shown(m.ImgButton4.picture()), wide);
    EXPECT_EQ(m.ImgButton4.Width(), 60 * 15);
    EXPECT_EQ(shown(m.ImgButton3.picture()), built("Silver", "button3.bmp"));
}

TEST(SkinPictures, PlaylistWindowTakesTheMainWindowsEdgesAndColours) {
    SkinFixture f;
    f.pick("Silver");
    Main& m = f.form<Main>();
    Playlist& p = f.form<Playlist>();
    EXPECT_TRUE(p.ImgTopLeft.picture() == m.ImgTopLeft.picture());
    EXPECT_TRUE(p.ImgBottomCenter.picture() == m.ImgBottomCenter.picture());
    EXPECT_TRUE(p.CloseButton.picture() == f.form<DataForm>().CloseNormal.picture());
    EXPECT_EQ(p.Label1.ForeColor(), 0u);          // Silver's menu text, black
    EXPECT_EQ(p.ResizeArea.ForeColor(), 0u);      // its information text, black
    EXPECT_EQ(p.PicList.BackColor(), 0xFFFFFFu);  // white list
}

TEST(SkinPictures, SwitchingBackGivesTheFirstLookAgain) {
    SkinFixture f;
    const Look first = lookOf(f);
    f.pick("Silver");
    const Look silver = lookOf(f);
    EXPECT_NE(silver.colours, first.colours);
    EXPECT_EQ(silver.pictures[0], built("Silver", "main.jpg"));
    f.pick("Default");
    EXPECT_TRUE(lookOf(f) == first);
}

TEST(SkinPictures, MissingFilesKeepThePreviousSkinsPictures) {
    SkinFixture f;
    f.copySkin("Silver", "Partial");
    for (const char* gone : {"main.jpg", "close-normal.bmp"})
        QFile::remove(f.skinFile("Partial", gone));
    Main& m = f.form<Main>();
    DataForm& d = f.form<DataForm>();
    const ui::Picture closeBefore = d.CloseNormal.picture();
    f.pick("Partial");
    EXPECT_EQ(shown(m.Image1.picture()), built("Default", "main.jpg"));
    EXPECT_EQ(m.MainFrame(1).Width(), 313 * 15);
    for (const ui::Picture& p : {d.CloseNormal.picture(), m.CloseButton.picture(),
                                 f.form<::Options>().CloseButton.picture()})
        EXPECT_EQ(shown(p), shown(closeBefore));
    EXPECT_EQ(shown(d.CloseFocus.picture()), built("Silver", "close-hover.bmp"));
}

TEST(SkinPictures, PanelFollowsTheMainPicturesWidth) {
    SkinFixture f;
    f.copySkin("Silver", "Wide");
    QImage wide(400, 201, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    wide.save(f.skinFile("Wide", "main.jpg"), "JPG");
    f.pick("Wide");
    EXPECT_EQ(f.form<Main>().MainFrame(1).Width(), 400 * 15);
}

TEST(SkinPictures, NamesInAnyCaseAreFound) {
    SkinFixture f;
    f.copySkin("Silver", "Shouting");
    QFile::rename(f.skinFile("Shouting", "main.jpg"), f.skinFile("Shouting", "MAIN.JPG"));
    QFile::rename(f.skinFile("Shouting", "skin.ini"), f.skinFile("Shouting", "Skin.INI"));
    f.form<::Options>().SkinName.setText("Shouting");
    DataForm& d = f.form<DataForm>();
    d.SkinSettings.Clear();
    DataClass().IncarcaData(SkinFiles::path(*f.app, "\\skin.ini"), d.SkinSettings);
    f.skins().ApplySkin();
    EXPECT_EQ(shown(f.form<Main>().Image1.picture()), built("Silver", "main.jpg"));
    EXPECT_EQ(f.form<Main>().Label1.ForeColor(), 0u);  // Silver's black menu text
}

TEST(SkinPictures, VisualisationPaletteFollowsTheNewSkin) {
    SkinFixture f;
    f.pick("Silver");
    modSpectrum& spectrum = f.app->module<modSpectrum>();
    spectrum.BuildPalette();
    EXPECT_EQ(spectrum.Palette[0].red, 232);
    EXPECT_EQ(spectrum.Palette[0].green, 236);
    EXPECT_EQ(spectrum.Palette[0].blue, 242);
    EXPECT_EQ(spectrum.Palette[10].green, 10);  // factor 1
    EXPECT_EQ(spectrum.Palette[10].blue, 20);   // factor 2
}

// A slider's ten pictures in the order the loader writes them.
std::vector<ui::Picture> tenOf(ctlScrollbar& s) {
    std::vector<ui::Picture> ten{s.BackgroundPicture()};
    for (int part : {1, 0, 2})
        for (int look = 0; look < 3; ++look)
            ten.push_back(s.ButtonPicture(part, look));
    return ten;
}

std::vector<QImage> filesOf(const QString& skin, const QStringList& five) {
    std::vector<QImage> ten{built(skin, five[0])};
    for (int i : {1, 1, 1, 2, 2, 2, 3, 4, 4})
        ten.push_back(built(skin, five[i]));
    return ten;
}

std::vector<QImage> shownAll(const std::vector<ui::Picture>& pictures) {
    std::vector<QImage> images;
    for (const ui::Picture& p : pictures)
        images.push_back(shown(p));
    return images;
}

TEST(SkinPictures, EveryBandSliderReadsItsOwnTenPictures) {
    SkinFixture f;
    f.pick("Silver");
    Main& m = f.form<Main>();
    const auto bands = filesOf(
        "Silver", {"v-scrollbar-background.bmp", "v-scrollbar-down.bmp", "v-scrollbar-up.bmp",
                   "v-scrollbar-thumb.bmp", "v-scrollbar-thumb-focus.bmp"});
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(shownAll(tenOf(m.sldEQR(i))), bands) << "band " << i;
        EXPECT_EQ(m.sldEQR(i).Picture1.Height(), 7) << "the up button takes its picture's size";
        if (i > 0) {
            EXPECT_FALSE(tenOf(m.sldEQR(i))[0] == tenOf(m.sldEQR(i - 1))[0]) << "read anew";
        }
    }
    EXPECT_EQ(shownAll(tenOf(m.Volum)),
              filesOf("Silver", {"h-scrollbar-background.bmp", "h-scrollbar-right.bmp",
                                 "h-scrollbar-left.bmp", "h-scrollbar-thumb.bmp",
                                 "h-scrollbar-thumb-focus.bmp"}));
    EXPECT_TRUE(tenOf(m.SliderMoveMultimedia(0)) == tenOf(m.Volum)) << "the seek slider copies";
    const std::vector<QImage> list = shownAll(tenOf(f.form<Playlist>().ScrollBar));
    EXPECT_EQ(list[1], bands[1]);
    EXPECT_EQ(list[7], built("Silver", "playlist-thumb.bmp"));
    EXPECT_EQ(list[9], built("Silver", "playlist-thumb-focus.bmp"));
}

// A skin without the volume slider's thumb: the volume and seek sliders keep
// the thumb they had, the other nine pictures change.
TEST(SkinPictures, AMissingSliderPictureKeepsThePreviousOne) {
    SkinFixture f;
    f.copySkin("Silver", "NoThumb");
    QFile::remove(f.skinFile("NoThumb", "h-scrollbar-thumb.bmp"));
    Main& m = f.form<Main>();
    const ui::Picture thumb = m.Volum.ButtonPicture(2, 0);
    f.pick("NoThumb");
    EXPECT_TRUE(m.Volum.ButtonPicture(2, 0) == thumb);
    EXPECT_TRUE(m.SliderMoveMultimedia(0).ButtonPicture(2, 0) == thumb);
    EXPECT_EQ(shown(m.Volum.ButtonPicture(2, 1)), built("Silver", "h-scrollbar-thumb-focus.bmp"));
    EXPECT_EQ(shown(m.Volum.BackgroundPicture()), built("Silver", "h-scrollbar-background.bmp"));
}

}  // namespace
