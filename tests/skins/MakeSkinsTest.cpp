// The program's own skins, as the build writes them.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QImage>

#include "support/QtPrinters.h"

namespace {

struct SkinFile {
    const char* name;
    int width, height;
};

// Every picture a reader of a skin folder takes, at its design size.
const SkinFile kFiles[] = {
    {"main.jpg", 313, 201},
    {"main-mini.jpg", 193, 49},
    {"menu-normal.bmp", 57, 17},
    {"menu-hover.bmp", 57, 17},
    {"minimize-normal.bmp", 22, 17},
    {"minimize-hover.bmp", 22, 17},
    {"close-normal.bmp", 22, 17},
    {"close-hover.bmp", 22, 17},
    {"button.bmp", 71, 13},
    {"button-focus.bmp", 71, 13},
    {"top-left.bmp", 100, 19},
    {"top.bmp", 246, 19},
    {"top-right.bmp", 100, 19},
    {"right.bmp", 11, 245},
    {"bottom-right.bmp", 100, 11},
    {"bottom.bmp", 246, 11},
    {"bottom-left.bmp", 100, 11},
    {"left.bmp", 11, 245},
    {"logo.bmp", 73, 39},
    {"vol-pic.bmp", 13, 11},
    {"plenkplayer.bmp", 169, 41},
    {"h-scrollbar-background.bmp", 49, 19},
    {"h-scrollbar-left.bmp", 11, 19},
    {"h-scrollbar-right.bmp", 13, 19},
    {"h-scrollbar-thumb.bmp", 20, 19},
    {"h-scrollbar-thumb-focus.bmp", 20, 19},
    {"v-scrollbar-background.bmp", 14, 8},
    {"v-scrollbar-up.bmp", 14, 7},
    {"v-scrollbar-down.bmp", 14, 8},
    {"v-scrollbar-thumb.bmp", 14, 14},
    {"v-scrollbar-thumb-focus.bmp", 14, 14},
    {"playlist-thumb.bmp", 17, 20},
    {"playlist-thumb-focus.bmp", 17, 20},
    {"button1.bmp", 41, 17},
    {"button2.bmp", 41, 17},
    {"button3.bmp", 41, 17},
    {"button4.bmp", 41, 17},
    {"button5.bmp", 41, 17},
    {"button6.bmp", 41, 17},
    {"button1f.bmp", 41, 17},
    {"button2f.bmp", 41, 17},
    {"button3f.bmp", 41, 17},
    {"button4f.bmp", 41, 17},
    {"button5f.bmp", 41, 17},
    {"button6f.bmp", 41, 17},
    {"button2b.bmp", 41, 17},
    {"button4b.bmp", 41, 17},
    {"button5b.bmp", 41, 17},
    {"button6b.bmp", 41, 17},
    {"controls-background.bmp", 66, 64},
    {"play-hover.bmp", 31, 32},
    {"play-mousedown.bmp", 31, 32},
    {"pause-hover.bmp", 37, 14},
    {"pause-mousedown.bmp", 37, 14},
    {"stop-hover.bmp", 33, 16},
    {"stop-mousedown.bmp", 33, 16},
    {"next-hover.bmp", 15, 38},
    {"next-mousedown.bmp", 15, 38},
    {"back-hover.bmp", 15, 37},
    {"back-mousedown.bmp", 15, 37},
};

QString skinFolder(const char* skin) {
    return QStringLiteral(PLENK_BUILT_SKINS "/") + skin;
}

QStringList iniLines(const char* skin) {
    QFile f(skinFolder(skin) + "/skin.ini");
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromLatin1(f.readAll()).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

class BuiltSkin : public testing::TestWithParam<const char*> {};

TEST_P(BuiltSkin, HoldsEveryPictureAtItsSizeAndNothingElse) {
    ASSERT_EQ(std::size(kFiles), 60u);
    QStringList expected{"skin.ini"};
    for (const SkinFile& file : kFiles) {
        const QString path = skinFolder(GetParam()) + "/" + file.name;
        const QImage img(path);
        ASSERT_FALSE(img.isNull()) << file.name;
        EXPECT_EQ(img.size(), QSize(file.width, file.height)) << file.name;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(30);
        if (QString(file.name).endsWith(".jpg")) {
            EXPECT_TRUE(head.startsWith("\xFF\xD8")) << file.name;
        } else {  // a 24-bit Windows bitmap
            EXPECT_TRUE(head.startsWith("BM")) << file.name;
            EXPECT_EQ(head.at(28), 24) << file.name;
        }
        expected << file.name;
    }
    QStringList present = QDir(skinFolder(GetParam())).entryList(QDir::Files);
    present.sort();
    expected.sort();
    EXPECT_EQ(present, expected);
}

TEST_P(BuiltSkin, SettingsFileHasSeventeenLinesOfKnownColours) {
    const QStringList lines = iniLines(GetParam());
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0], GetParam());
    const QStringList names{"black",   "white", "blue",   "cyan", "green",
                            "magenta", "red",   "yellow", "gray"};
    for (int n = 1; n <= 6; ++n)
        EXPECT_TRUE(names.contains(lines[n].section('=', -1))) << lines[n].toStdString();
    for (int n = 7; n <= 15; ++n) {
        bool ok = false;
        lines[n].section('=', -1).toDouble(&ok);
        EXPECT_TRUE(ok) << lines[n].toStdString();
    }
    EXPECT_EQ(lines[16].section('=', -1), "false");
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// The texts the windows draw over the panels lie within the panels' dark
// insets: the mini window's state label spans 128 to 189 across its panel,
// the main window's last MPEG line 151 to 164 down.
TEST_P(BuiltSkin, TheDisplayTextsLieWithinTheirInsets) {
    const QImage mini(skinFolder(GetParam()) + "/main-mini.jpg");
    EXPECT_LT(distance(mini.pixel(185, 16), mini.pixel(20, 16)), 30);
    const QImage main(skinFolder(GetParam()) + "/main.jpg");
    for (const int y : {158, 163})
        EXPECT_LT(distance(main.pixel(60, y), main.pixel(60, 120)), 30) << y;
}

INSTANTIATE_TEST_SUITE_P(Skins, BuiltSkin, testing::Values("Default", "Silver"));

TEST(BuiltSkins, DifferInColoursAndPictures) {
    EXPECT_NE(iniLines("Default").mid(1), iniLines("Silver").mid(1));
    EXPECT_NE(QImage(skinFolder("Default") + "/main.jpg"),
              QImage(skinFolder("Silver") + "/main.jpg"));
}

}  // namespace
