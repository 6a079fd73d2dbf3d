// Broken skin files and folders: the loader skips what fails and leaves
// everything else as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "playlist/Playlist.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"

namespace {

using testsupport::SkinFixture;

QImage shown(const ui::Picture& p) {
    return p.image().convertToFormat(QImage::Format_RGB32);
}

// Every picture stays the Default skin's after a pick of a broken skin.
void expectDefaultPictures(SkinFixture& f) {
    Main& m = f.form<Main>();
    const QImage main = QImage(QStringLiteral(PLENK_BUILT_SKINS "/Default/main.jpg"))
                            .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown(m.Image1.picture()), main);
    EXPECT_FALSE(m.Logo.picture().isEmpty());
    EXPECT_FALSE(f.form<DataForm>().CloseNormal.picture().isEmpty());
    EXPECT_EQ(m.MainFrame(1).Width(), 313 * 15);
}

TEST(SkinBadInput, BrokenSettingsFilesGiveColoursWithoutFailing) {
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 37);
    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many += "x=white\r\n";
    const QByteArray files[] = {
        "",
        binary,
        many,
        "Skin\rx=white\rx=cyan\r",
        "Sk\xE9n\r\nx=wh\xFFite\r\n",
        "=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n=\r\n",
    };
    SkinFixture f;
    for (const QByteArray& bytes : files) {
        f.copySkin("Default", "Broken");
        f.writeIni("Broken", bytes);
        f.pick("Broken");
        expectDefaultPictures(f);
        EXPECT_TRUE(f.form<Playlist>().ScrollBar.Visible());
    }
    EXPECT_EQ(f.form<DataForm>().SkinValues.ListCount(), 17);
    EXPECT_EQ(f.form<Main>().BackColor(), 0u);
}

TEST(SkinBadInput, ManyLinesStillColourFromTheFirstSeventeen) {
    SkinFixture f;
    QByteArray many = "Many\r\nx=white\r\nx=cyan\r\n";
    for (int i = 0; i < 100000; ++i)
        many += "x=yellow\r\n";
    f.copySkin("Default", "Many");
    f.writeIni("Many", many);
    f.pick("Many");
    EXPECT_EQ(f.form<Main>().Label1.ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(f.form<Main>().TSec.ForeColor(), 0xFFFF00u);
    EXPECT_EQ(f.form<DataForm>().SkinValues.ListCount(), 100003);
}

TEST(SkinBadInput, MissingOrOddSkinFoldersChangeNoPicture) {
    SkinFixture f;
    f.program.write("Skins/PlainFile", "not a folder");
    QDir(f.program.path()).mkpath("Skins/Empty");
    for (const char* name : {"Nowhere", "PlainFile", "Empty", "", "../x", "..", "Default/.."}) {
        f.pick(name);
        expectDefaultPictures(f);
    }
}

TEST(SkinBadInput, BrokenPicturesAreSkippedOneByOne) {
    SkinFixture f;
    f.spoiledSkin({"logo.bmp", "top.bmp", "vol-pic.bmp", "main.jpg", "menu-normal.bmp"});

    Main& m = f.form<Main>();
    const QImage logoBefore = shown(m.Logo.picture()), topBefore = shown(m.ImgTopCenter.picture()),
                 menuBefore = shown(f.form<DataForm>().MeniuNormal.picture());
    f.pick("Broken");
    EXPECT_EQ(shown(m.Logo.picture()), logoBefore);
    EXPECT_EQ(shown(m.ImgTopCenter.picture()), topBefore);
    EXPECT_EQ(shown(f.form<DataForm>().MeniuNormal.picture()), menuBefore);
    EXPECT_EQ(shown(m.Meniu1.picture()), menuBefore);
    expectDefaultPictures(f);
    // What was sound still came from the new skin.
    EXPECT_EQ(shown(m.ImgTopLeft.picture()),
              QImage(QStringLiteral(PLENK_BUILT_SKINS "/Silver/top-left.bmp"))
                  .convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(m.Label1.ForeColor(), 0u);
}

}  // namespace
