#include <gtest/gtest.h>

#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;

namespace {

void clickAt(PlayerSession& s, QPoint at) {
    s.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    s.xdotool({"click", "1"});
}

void hoverAt(PlayerSession& s, QPoint at) {
    s.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
}

// A screenshot once a pop-up menu (near white) covers the point.
void shotWhenMenuAt(PlayerSession& s, QPoint at) {
    const QImage shot = s.screenshotWhen([&](const QImage& i) { return qGray(i.pixel(at)) > 240; });
    EXPECT_GT(qGray(shot.pixel(at)), 240) << "no menu at " << at.x() << "," << at.y();
}

bool textIs(PlayerSession& s, const QString& control, const QString& text) {
    return displaytest::waitUntil([&] { return s.texts().value(control) == text; }, kWaitMs);
}

// Opens the options window on its Language page through the main window's
// second menu ("Set language") and picks a row of the language list.
QPoint pickLanguage(PlayerSession& s, const QString& mainId, const QString& optionsTitle, int row) {
    const QPoint main = s.geometry(mainId).topLeft();
    clickAt(s, main + QPoint(95, 5));
    shotWhenMenuAt(s, main + QPoint(190, 45));
    clickAt(s, main + QPoint(133, 70));
    const QString optionsId = s.waitForWindow(optionsTitle);
    EXPECT_FALSE(optionsId.isEmpty()) << "no options window";
    const QPoint options = s.geometry(optionsId).topLeft();
    clickAt(s, options + QPoint(174, 53 + 11 * row));
    return options;
}

}  // namespace

// Romanian picked on the Language page: the options window, the main,
// playlist and library windows, a pop-up menu and the playlist dialog show
// it; a restart keeps it; English picked again brings the English texts back.
TEST(LanguagesOnDisplay, RomanianPickedStaysAfterARestartAndEnglishComesBack) {
    PlayerSession s;
    s.start();
    const QString mainId = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(mainId.isEmpty()) << s.output().toStdString();
    const QString playlistId = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlistId.isEmpty());
    EXPECT_TRUE(textIs(s, "Main.Label1", "File"));

    const QPoint options = pickLanguage(s, mainId, "Options", 1);
    EXPECT_TRUE(textIs(s, "Main.Label1", QString::fromUtf8("Fișier")));
    EXPECT_FALSE(s.waitForWindow(QString::fromUtf8("Opțiuni")).isEmpty());
    EXPECT_EQ(s.texts().value("Options.Label6"), QString::fromUtf8("Limbă"));
    s.screenshot();
    clickAt(s, options + QPoint(54, 61));
    EXPECT_TRUE(textIs(s, "Options.Tlabel", QString::fromUtf8("Setări generale")));
    s.screenshot();
    clickAt(s, options + QPoint(520, 372));
    EXPECT_EQ(s.texts().value("Main.PlaylistLabel"), QString::fromUtf8("Listă"));
    EXPECT_EQ(s.texts().value("Playlist.Label3"), QString::fromUtf8("Opțiuni"));

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
    ASSERT_TRUE(s.waitForExit(kWaitMs)) << s.output().toStdString();
    s.start();
    const QString again = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(again.isEmpty()) << s.output().toStdString();
    EXPECT_TRUE(textIs(s, "Main.Label1", QString::fromUtf8("Fișier")));
    s.screenshot();

    pickLanguage(s, again, QString::fromUtf8("Opțiuni"), 0);
    EXPECT_TRUE(textIs(s, "Main.Label1", "File"));
    EXPECT_EQ(s.texts().value("Options.Label6"), "Language");
    s.screenshot();
}
