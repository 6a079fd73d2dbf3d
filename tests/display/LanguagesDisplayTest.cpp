#include <gtest/gtest.h>

#include <QFile>

#include "support/display/DisplaySession.h"

using displaytest::PlayerSession;

namespace {

// The shipped settings with this line (0-based) replaced.
void setSettingsLine(PlayerSession& s, int line, const QByteArray& text) {
    QFile file(s.program().file("settings.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    ASSERT_GT(lines.size(), line);
    lines[line] = text + "\r";
    s.program().write("settings.ini", lines.join('\n'));
}

void clickAt(PlayerSession& s, QPoint at) {
    s.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    s.xdotool({"click", "1"});
}

void hoverAt(PlayerSession& s, QPoint at) {
    s.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
}

// A screenshot once a pop-up menu (near white) covers the point.
void shotWhenMenuAt(PlayerSession& s, QPoint at) {
    const QImage shot =
        s.screenshotWhen([&](const QImage& i) { return qGray(i.pixel(at)) > 240; }, 3000);
    EXPECT_GT(qGray(shot.pixel(at)), 240) << "no menu at " << at.x() << "," << at.y();
}

bool textIs(PlayerSession& s, const QString& control, const QString& text) {
    return displaytest::waitUntil([&] { return s.texts().value(control) == text; }, 5000);
}

}  // namespace

// The player in Romanian: the main, playlist and library windows, a pop-up
// menu and the playlist dialog show the Romanian texts, and a restart keeps them.
TEST(LanguagesOnDisplay, RomanianShowsInEveryWindowAndStaysAfterARestart) {
    PlayerSession s;
    setSettingsLine(s, 22, "1");
    s.start();
    const QString mainId = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(mainId.isEmpty()) << s.output().toStdString();
    const QString playlistId = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlistId.isEmpty());
    EXPECT_TRUE(textIs(s, "Main.Label1", QString::fromUtf8("Fișier")));
    EXPECT_EQ(s.texts().value("Main.PlaylistLabel"), QString::fromUtf8("Listă"));
    EXPECT_EQ(s.texts().value("Playlist.Label3"), QString::fromUtf8("Opțiuni"));
    s.screenshot();

    // Opțiuni > Arată / ascunde > ID3 info: the library's tag page.
    const QPoint main = s.geometry(mainId).topLeft();
    clickAt(s, main + QPoint(95, 5));
    shotWhenMenuAt(s, main + QPoint(190, 45));
    hoverAt(s, main + QPoint(127, 130));
    shotWhenMenuAt(s, main + QPoint(300, 180));
    clickAt(s, main + QPoint(267, 170));
    ASSERT_FALSE(s.waitForWindow("Media Library").isEmpty());
    EXPECT_TRUE(textIs(s, "MediaLibrary.TotalFramesL", "Total cadre:"));
    s.screenshot();

    // The playlist window's Fișier > Salvează lista de redare: the dialog.
    const QPoint list = s.geometry(playlistId).topLeft();
    clickAt(s, list + QPoint(35, 5));
    shotWhenMenuAt(s, list + QPoint(170, 25));
    clickAt(s, list + QPoint(102, 70));
    EXPECT_TRUE(textIs(s, "DialogForm.Label3", "Numele listei:"));
    s.screenshot();

    s.close(mainId);
    ASSERT_TRUE(s.waitForExit(10000)) << s.output().toStdString();
    s.start();
    ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    EXPECT_TRUE(textIs(s, "Main.Label1", QString::fromUtf8("Fișier")));
    s.screenshot();
}
