#include <gtest/gtest.h>

#include <QFile>
#include <QThread>

#include "support/display/DisplaySession.h"

using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

// The page labels' tops in the column, and the titles their pages show.
struct PageLabel {
    int top;  // pixels below the window's top
    const char* title;
};
const PageLabel kPages[] = {{56, "General settings"},   {80, "Playlist"},
                            {104, "Advanced settings"}, {128, "Video"},
                            {152, "File associations"}, {176, "Skins"},
                            {200, "Language"},          {224, "Keyboard shortcuts"},
                            {248, "Info Plenk Player"}};

bool near(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class OptionsOnDisplay : public ::testing::Test {
  protected:
    PlayerSession s;
    QString options;

    // One playlist entry, so the rows' menu has a row to open on.
    void start() {
        QFile sample(s.program().file("Samples/plenk-sample.ogg"));
        ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
        const QString song = s.program().write("Music/Alpha song.ogg", sample.readAll());
        s.program().write("Data/plst.data", song.toUtf8() + "\r\n");
        s.start();
        ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
        ASSERT_FALSE(s.waitForWindow("Playlist").isEmpty()) << s.output().toStdString();
    }
    // The rows' menu: Play, Informations, Set as next, Jump, Options.
    void openFromTheRowsMenu() {
        const QPoint row = s.geometry(s.waitForWindow("Playlist")).topLeft() + QPoint(60, 30);
        s.xdotool({"mousemove", QString::number(row.x()), QString::number(row.y())});
        s.xdotool({"click", "3"});
        QThread::msleep(300);
        for (const char* key : {"Down", "Down", "Down", "Down", "Down", "Return"}) {
            s.key(key);
            QThread::msleep(60);
        }
        options = s.waitForWindow("Options");
    }
    // A click at a point of the options window.
    void clickAt(int x, int y) {
        const QPoint at = s.geometry(options).topLeft() + QPoint(x, y);
        s.click(at.x(), at.y());
        QThread::msleep(150);
    }
    bool shows(const QString& control, const QString& text) {
        return waitUntil([&] { return s.texts().value("Options." + control) == text; }, 5000);
    }
    void openPage(int page) {
        clickAt(40, kPages[page].top + 8);
        EXPECT_TRUE(shows("Tlabel", kPages[page].title)) << kPages[page].title;
    }
};

// The window opens from the rows' menu on the General page; every page
// opens from its label; the title strip drags the window; a skin, Bold, the
// standard scrollbar and Stretch are chosen and OK writes them.
TEST_F(OptionsOnDisplay, PagesDragSkinAndTheChoicesOkSaves) {
    start();
    openFromTheRowsMenu();
    ASSERT_FALSE(options.isEmpty()) << s.output().toStdString();
    EXPECT_EQ(s.geometry(options).size(), QSize(589, 393));
    EXPECT_TRUE(shows("Tlabel", "General settings"));
    for (int page = 0; page < 9; ++page) {
        openPage(page);
        s.screenshot();
    }
    EXPECT_TRUE(s.texts().value("Options.Readme").contains("Plenk Player"));

    const QRect before = s.geometry(options);
    const QPoint grip = before.topLeft() + QPoint(300, 8);
    s.xdotool({"mousemove", QString::number(grip.x()), QString::number(grip.y())});
    s.xdotool({"mousedown", "1"});
    s.xdotool({"mousemove", QString::number(grip.x() + 40), QString::number(grip.y() + 20)});
    s.xdotool({"mousemove", QString::number(grip.x() + 80), QString::number(grip.y() + 40)});
    s.xdotool({"mouseup", "1"});
    EXPECT_TRUE(waitUntil(
        [&] { return s.geometry(options).topLeft() == before.topLeft() + QPoint(80, 40); }, 3000))
        << "dragged by the title strip";

    openPage(5);
    clickAt(180, 83);
    EXPECT_TRUE(shows("SkinName", "Silver"));
    const QString main = s.waitForWindow("Plenk Player");
    const QPoint backProbe = s.geometry(main).topLeft() + QPoint(362, 160);
    const QImage shot = s.screenshotWhen(
        [&](const QImage& i) { return near(i.pixelColor(backProbe), QColor(206, 209, 216)); });
    EXPECT_TRUE(near(shot.pixelColor(backProbe), QColor(206, 209, 216))) << "the windows change";

    openPage(1);
    clickAt(374, 108);  // Bold
    clickAt(158, 236);  // the standard scrollbar
    openPage(3);
    clickAt(166, 96);  // Original size
    clickAt(166, 76);  // Stretch
    s.screenshot();
    const QString settings = s.program().file("settings.ini");
    QFile::remove(settings);
    clickAt(520, 372);  // Ok
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(settings); }, 5000));
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GT(lines.size(), 65);
    EXPECT_EQ(lines[20].trimmed(), "Silver");
    EXPECT_EQ(lines[50].trimmed(), "True") << "Stretch";
    EXPECT_EQ(lines[55].trimmed(), "1") << "Bold";
    EXPECT_EQ(lines[65].trimmed(), "1") << "the standard scrollbar";
}

}  // namespace
