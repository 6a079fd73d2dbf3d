#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

// The owner-drawn menus' colours: a checked item's framed box, and the
// highlight inside it and inside a highlighted item.
const QRgb kFrameBlue = qRgb(49, 106, 197);
const QRgb kHighlight = qRgb(193, 210, 238);
const QRgb kColumnGrey = qRgb(236, 236, 236);

// A playlist of three copies of the sample under different names; Next on N.
void threeEntriesAndNextOnN(PlayerSession& s) {
    QFile sample(s.program().file("Samples/plenk-sample.ogg"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray bytes = sample.readAll();
    QByteArray list;
    for (const QString name : {"Alpha song", "Beta tune", "Gamma air"})
        list += s.program().write("Music/" + name + ".ogg", bytes).toUtf8() + "\r\n";
    s.program().write("Data/plst.data", list);
    QByteArray keys = QByteArray("\r\n").repeated(4) + "78\r\n" + QByteArray("\r\n").repeated(5);
    keys += QByteArray("0\r\n").repeated(4) + "N\r\n" + QByteArray("0\r\n").repeated(5);
    s.program().write("Data/keyboard.data", keys);
}

// The top-left corners of checked items' boxes on the screen.
std::vector<QPoint> checkBoxes(const QImage& shot) {
    std::vector<QPoint> found;
    for (int y = 0; y + 1 < shot.height(); ++y)
        for (int x = 0; x + 23 < shot.width(); ++x)
            if (shot.pixel(x, y) == kFrameBlue && shot.pixel(x + 1, y + 1) == kHighlight &&
                shot.pixel(x + 21, y + 1) == kFrameBlue &&
                shot.pixel(x + 22, y + 1) == kColumnGrey &&
                (y == 0 || shot.pixel(x, y - 1) == kColumnGrey))
                found.push_back({x, y});
    return found;
}

// The ranking page's red "20" heading, 64 pixels in and 32 down the library.
bool showsTheRanking(const QImage& shot, const QRect& library) {
    const QRect heading(library.topLeft() + QPoint(64, 32), QSize(49, 25));
    int red = 0;
    for (int y = heading.top(); y <= heading.bottom(); ++y)
        for (int x = heading.left(); x <= heading.right(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    return red > 20;
}

class MenuOnDisplay : public ::testing::Test {
  protected:
    PlayerSession s;
    QString playlist;

    void startWithEntries() {
        threeEntriesAndNextOnN(s);
        s.start();
        ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
        playlist = s.waitForWindow("Playlist");
        ASSERT_FALSE(playlist.isEmpty()) << s.output().toStdString();
    }
    // The list's rows are 11 pixels high from 24 pixels down the window.
    QPoint row(int index) { return s.geometry(playlist).topLeft() + QPoint(60, 30 + 11 * index); }
    void rightClickRow(int index) {
        s.clickAfterHover(row(index), 3);
        EXPECT_TRUE(s.waitForMenus(1)) << "the row menu shows";
    }
    // The playlist window's "File" and "Options" buttons.
    void playlistMenuButton(int which) {
        s.click(s.geometry(playlist).left() + (which == 1 ? 40 : 100),
                s.geometry(playlist).top() + 8);
        EXPECT_TRUE(s.waitForMenus(1)) << "the menu shows";
    }
};

// The row menu with its pictures, a highlighted item and the play order's
// check; "Shuffle on" chosen there is then seen checked in the playlist
// window's second menu.
TEST_F(MenuOnDisplay, RowMenuShuffleOnIsCheckedInThePlaylistsOptionsMenu) {
    startWithEntries();
    rightClickRow(1);
    // Play, Informations, Set as next, Jump, Options, Playback mode: open it.
    s.keys({"Down", "Down", "Down", "Down", "Down", "Down", "Right"});
    const QImage before =
        s.screenshotWhen([](const QImage& shot) { return !checkBoxes(shot).empty(); });
    const auto start = checkBoxes(before);
    ASSERT_EQ(start.size(), 1u);
    // "Shuffle off" checked below the highlighted "Shuffle on".
    EXPECT_EQ(before.pixel(start[0].x() + 5, start[0].y() - 6), kHighlight);
    s.key("Return");
    EXPECT_TRUE(s.waitForMenus(0)) << "the menus close";

    playlistMenuButton(2);
    // Playlist settings, Playback mode: open it and move to its second item.
    s.keys({"Down", "Down", "Right", "Down"});
    const QImage after =
        s.screenshotWhen([](const QImage& shot) { return !checkBoxes(shot).empty(); });
    const auto boxes = checkBoxes(after);
    ASSERT_EQ(boxes.size(), 1u);
    // The first item is checked: the highlighted second one lies right below it.
    EXPECT_EQ(after.pixel(boxes[0].x() + 5, boxes[0].y() + 24), kHighlight);
    s.keys({"Escape", "Escape"});
}

// "Set as next" on the third row while the first plays; Next then plays it.
TEST_F(MenuOnDisplay, SetAsNextThenNextPlaysThatRow) {
    startWithEntries();
    s.doubleClick(row(0));
    ASSERT_TRUE(s.waitForPlaying("Alpha song")) << s.output().toStdString();
    rightClickRow(2);
    s.keys({"Down", "Down", "Down"});
    s.screenshot();
    s.key("Return");
    s.focus(s.waitForWindow("Plenk Player"));
    s.key("n");
    ASSERT_TRUE(s.waitForPlaying("Gamma air"))
        << s.texts().value("Main.PiesaCurenta").toStdString() << "\n"
        << s.output().toStdString();
    s.screenshot();
}

// The playlist's "File" menu saves the playlist through the dialog's save
// page, clears it and loads it back through the load page; the row menu's
// "Informations" shows the tag page, where a title typed and saved reads back.
TEST_F(MenuOnDisplay, PlaylistSavedClearedAndLoadedBackThenATagEditedThroughTheMenus) {
    startWithEntries();
    // The dialog stands at its design place, 200 by 200 pixels.
    const QPoint dialog(200, 200);
    const QPoint action = dialog + QPoint(228, 216);
    playlistMenuButton(1);
    s.keys({"Down", "Down", "Down", "Return"});
    ASSERT_TRUE(waitUntil(
        [&] { return s.texts().value("DialogForm.TitluMesaj") == "Save playlist"; }, kWaitMs));
    s.screenshot();
    s.click(action.x(), action.y());
    const QString saved = s.program().file("Playlists/Playlist.mpl");
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(saved); }, kWaitMs));
    EXPECT_EQ(testsupport::readLines(saved).size(), 3);

    playlistMenuButton(1);
    s.keys({"Down", "Return"});
    ASSERT_TRUE(waitUntil(
        [&] { return s.texts().value("Playlist.ItemsLabel") == "Total items: 0"; }, kWaitMs));
    playlistMenuButton(1);
    s.keys({"Down", "Down", "Return"});
    ASSERT_TRUE(waitUntil(
        [&] { return s.texts().value("DialogForm.TitluMesaj") == "Load playlist file"; }, kWaitMs))
        << s.texts().value("DialogForm.TitluMesaj").toStdString() << " / "
        << s.texts().value("DialogForm.Fereastra").toStdString();
    s.click(dialog.x() + 60, dialog.y() + 54);
    s.screenshot();
    s.click(action.x(), action.y());
    ASSERT_TRUE(waitUntil(
        [&] { return s.texts().value("Playlist.ItemsLabel") == "Total items: 3"; }, kWaitMs))
        << s.output().toStdString();
    s.screenshot();

    rightClickRow(0);
    s.keys({"Down", "Down", "Return"});
    const QString library = s.waitForWindow("Media Library");
    ASSERT_FALSE(library.isEmpty());
    ASSERT_TRUE(waitUntil(
        [&] { return s.texts().value("MediaLibrary.ID3Path").endsWith("Alpha song.ogg"); },
        kWaitMs));
    const QPoint lib = s.geometry(library).topLeft();
    s.click(lib.x() + 150, lib.y() + 65);
    s.key("ctrl+a");
    s.xdotool({"type", "--delay", "30", "Edited"});
    s.click(lib.x() + 164, lib.y() + 220);
    rightClickRow(1);
    s.keys({"Down", "Down", "Return"});
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("MediaLibrary.ID3Path").endsWith("Beta tune.ogg"); },
                  kWaitMs));
    rightClickRow(0);
    s.keys({"Down", "Down", "Return"});
    ASSERT_TRUE(waitUntil(
        [&] { return s.texts().value("MediaLibrary.Text1T").trimmed() == "Edited"; }, kWaitMs))
        << s.texts().value("MediaLibrary.Text1T").toStdString();
    s.screenshot();

    // The row menu's "Top 20" keeps the library's size, here not its design
    // size, and shows the ranking page.
    const QSize size(600, 400);
    s.xdotool({"windowsize", "--sync", library, "600", "400"});
    ASSERT_TRUE(waitUntil([&] { return s.geometry(library).size() == size; }, kWaitMs));
    rightClickRow(0);
    s.keys({"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down",
            "Return"});
    const QImage ranking =
        s.screenshotWhen([&](const QImage& i) { return showsTheRanking(i, s.geometry(library)); });
    ASSERT_TRUE(showsTheRanking(ranking, s.geometry(library))) << "the ranking page shows";
    EXPECT_EQ(s.geometry(library).size(), size);
}

// The main window's second menu: "Top 20" under "Show / hide" opens the
// library at its design size; "Full / Mini mode" there and again in the mini
// window's menu comes back where the mini window stood; the first menu's
// "Close Plenk Player" writes the settings and ends the program.
TEST_F(MenuOnDisplay, MainMenusTop20FullMiniTwiceAndClose) {
    startWithEntries();
    const QString main = s.waitForWindow("Plenk Player");
    const QPoint at = s.geometry(main).topLeft();
    // The heads: "File" 16 to 65 pixels, "Options" 72 to 129 pixels across the top.
    const auto head = [&](const QPoint& window, int x) {
        s.click(window.x() + x, window.y() + 8);
        EXPECT_TRUE(s.waitForMenus(1)) << "the menu shows";
    };
    head(at, 100);
    // Settings, Change skin, Set language, Keyboard shortcuts, File association, Show / hide.
    s.keys({"Down", "Down", "Down", "Down", "Down", "Down", "Right", "Down"});
    s.screenshot();
    s.key("Return");
    const QString library = s.waitForWindow("Media Library");
    ASSERT_FALSE(library.isEmpty());
    EXPECT_EQ(s.geometry(library).size(), QSize(515, 335));

    head(at, 100);
    s.keys({"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Return"});
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("DataForm.MiniMode") == "True"; }, kWaitMs));
    QString mini;
    ASSERT_TRUE(waitUntil(
        [&] {
            mini = s.waitForWindow("Plenk Player", 500);
            return !mini.isEmpty() && mini != main;
        },
        kWaitMs));
    s.xdotool({"windowmove", "--sync", mini, "300", "420"});
    // Answering, the player is free; the click that follows reaches it after the move.
    s.texts();
    const QPoint miniAt = s.geometry(mini).topLeft();
    s.screenshot();
    head(miniAt, 100);
    s.keys({"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Return"});
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("DataForm.MiniMode") == "False"; }, kWaitMs));
    ASSERT_TRUE(waitUntil([&] { return s.geometry(main).topLeft() == miniAt; }, kWaitMs))
        << s.geometry(main).x() << "," << s.geometry(main).y();
    s.screenshot();

    const QString settings = s.program().file("settings.ini");
    QFile::remove(settings);
    head(miniAt, 40);
    // Play file, File info, Close Plenk Player.
    s.keys({"Down", "Down", "Down", "Return"});
    EXPECT_TRUE(s.waitForExit(kWaitMs));
    EXPECT_TRUE(QFile::exists(settings));
}

// The preset button's menu: "Load" and "Rock" move the band sliders; "Save"
// under a new name writes it, the next "Load" lists it and "Delete" removes it.
TEST_F(MenuOnDisplay, PresetMenuLoadsSavesAndDeletesAPreset) {
    startWithEntries();
    const QString main = s.waitForWindow("Plenk Player");
    const QRect at = s.geometry(main);
    // The preset button: 72 by 96 pixels into the window, 41 by 17.
    const auto presetMenu = [&](int downs) {
        // The player answers once what came before is done (on a busy machine a
        // save's flush to disk can take seconds), so the click does not wait
        // queued past the menu's time.
        s.texts();
        s.click(at.x() + 92, at.y() + 104);
        EXPECT_TRUE(s.waitForMenus(1)) << "the preset menu shows";
        s.keys(QStringList(downs, "Down") << "Return");
    };
    const QRect bands(at.x() + 150, at.y() + 150, 200, 80);
    const QImage before = s.screenshot().copy(bands);
    presetMenu(1);
    const QString presets = s.waitForWindow("Load Equalizer Preset");
    ASSERT_FALSE(presets.isEmpty()) << s.output().toStdString();
    const QPoint window = s.geometry(presets).topLeft();
    // Flat, Bass boost, Treble boost, Rock.
    s.click(window.x() + 60, window.y() + 14);
    s.keys({"Down", "Down", "Down"});
    const QImage moved = s.screenshotWhen([&](const QImage& i) { return i.copy(bands) != before; });
    EXPECT_NE(moved.copy(bands), before) << "the band sliders moved";

    const QString file = s.program().file("eqpreset.ini");
    s.click(window.x() + 148, window.y() + 276);
    presetMenu(2);
    ASSERT_FALSE(s.waitForWindow("Save Preset").isEmpty());
    // The name box lies 232 pixels down the window.
    s.click(window.x() + 100, window.y() + 244);
    s.key("ctrl+a");
    s.xdotool({"type", "--delay", "30", "Mine"});
    s.screenshot();
    s.click(window.x() + 148, window.y() + 276);
    ASSERT_TRUE(waitUntil([&] { return testsupport::readLines(file).contains("Mine"); }, kWaitMs));

    presetMenu(1);
    ASSERT_FALSE(s.waitForWindow("Load Equalizer Preset").isEmpty());
    presetMenu(3);
    s.click(window.x() + 60, window.y() + 14);
    s.key("End");
    s.texts();
    s.screenshot();
    s.click(window.x() + 52, window.y() + 276);
    EXPECT_TRUE(waitUntil([&] { return !testsupport::readLines(file).contains("Mine"); }, kWaitMs));
    s.screenshot();
}

}  // namespace
