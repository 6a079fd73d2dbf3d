#include <gtest/gtest.h>

#include <QColor>
#include <QFile>

#include "support/display/DisplaySession.h"

using displaytest::PlayerSession;

namespace {

struct SkinLook {
    const char* skin;
    QColor back;       // the window back colour of lines 13 to 15
    QColor listBack;   // line 5
    QColor stateText;  // line 2, the player's state
};

class SkinOnDisplay : public testing::TestWithParam<SkinLook> {};

// The shipped settings with the skin's name in place of "Default".
void chooseSkin(PlayerSession& s, const char* skin) {
    QFile file(s.program().file("settings.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const qsizetype at = lines.indexOf("[Skin]\r");
    ASSERT_GT(at, 0);
    lines[at + 1] = QByteArray(skin) + "\r";
    s.program().write("settings.ini", lines.join('\n'));
}

bool near(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Whether some pixel of the area is close to the colour (text is smoothed).
bool shows(const QImage& shot, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (near(shot.pixelColor(x, y), colour, 40)) return true;
    return false;
}

TEST_P(SkinOnDisplay, WindowsShowTheSkinsColoursAndPictures) {
    const SkinLook look = GetParam();
    PlayerSession s;
    chooseSkin(s, look.skin);
    // The state label keeps its first text only until the first second's tick
    // empties it; playing, it reads the state for good.
    s.start({s.program().file("Samples/plenk-sample.ogg")});
    const QString window = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QRect main = s.geometry(window);
    // Below the right panel's two labels only the back colour shows.
    const QPoint backProbe = main.topLeft() + QPoint(362, 160);
    // The top edge is the skin's picture: neither black nor the back colour.
    const QPoint topProbe = main.topLeft() + QPoint(200, 3);
    const QRect stateLabel(main.topLeft() + QPoint(14, 54), QSize(40, 12));
    // The playlist window sits below the main one; its list fills the middle.
    const QPoint listProbe(main.left() + 160, main.bottom() + 150);
    // The windows paint part by part: the shot is the first that shows all of them.
    const auto drawn = [&](const QImage& i) {
        const QColor top = i.pixelColor(topProbe);
        return near(i.pixelColor(backProbe), look.back) && !near(top, look.back) &&
               !near(top, Qt::black) && shows(i, stateLabel, look.stateText) &&
               near(i.pixelColor(listProbe), look.listBack);
    };
    const QImage shot = s.screenshotWhen(drawn);
    EXPECT_TRUE(near(shot.pixelColor(backProbe), look.back));
    const QColor top = shot.pixelColor(topProbe);
    EXPECT_FALSE(near(top, look.back));
    EXPECT_FALSE(near(top, Qt::black));
    EXPECT_TRUE(shows(shot, stateLabel, look.stateText))
        << "the state reads " << s.texts().value("Main.StarePlayer").toStdString();
    EXPECT_TRUE(near(shot.pixelColor(listProbe), look.listBack));
}

INSTANTIATE_TEST_SUITE_P(
    Skins, SkinOnDisplay,
    testing::Values(SkinLook{"Default", QColor(34, 37, 46), Qt::black, Qt::cyan},
                    SkinLook{"Silver", QColor(206, 209, 216), Qt::white, Qt::blue}),
    [](const auto& info) { return std::string(info.param.skin); });

}  // namespace
