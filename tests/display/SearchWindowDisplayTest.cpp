#include <gtest/gtest.h>

#include <QFile>

#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

// The search window on J (action 0); no key for the other actions.
void searchOnJ(PlayerSession& s) {
    QByteArray file = "74\r\n";
    file += QByteArray("\r\n").repeated(9);
    file += "J\r\n" + QByteArray("0\r\n").repeated(9);
    s.program().write("Data/keyboard.data", file);
}

// A playlist of copies of the sample, one under each name.
void entries(PlayerSession& s, const QStringList& names) {
    QFile sample(s.program().file("Samples/plenk-sample.ogg"));
    EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray bytes = sample.readAll();
    QByteArray list;
    for (const QString& name : names)
        list += s.program().write("Music/" + name + ".ogg", bytes).toUtf8() + "\r\n";
    s.program().write("Data/plst.data", list);
}

// Starts the player, opens the search window on J and types text there;
// the search window, or nothing when it did not show.
QString searchFor(PlayerSession& s, const QString& text) {
    s.start();
    const QString main = s.waitForWindow("Plenk Player");
    if (main.isEmpty()) return {};
    s.focus(main);
    s.key("j");
    const QString search = s.waitForWindow("Search");
    if (search.isEmpty()) return {};
    s.focus(search);
    s.xdotool({"type", "--delay", "50", text});
    return search;
}

TEST(SearchWindowOnDisplay, TypedTextListsTheEntryAndEnterPlaysIt) {
    PlayerSession s;
    searchOnJ(s);
    entries(s, {"Alpha song", "Beta tune"});
    ASSERT_FALSE(searchFor(s, "TUNE").isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("JumpForm.RealSearch") == "TUNE"; }, kWaitMs))
        << "the keys went to " << s.texts().value("focus").toStdString();
    // The results show half a second after the last key.
    ASSERT_TRUE(waitUntil([&] { return s.rows("JumpForm.Rezultate") == QStringList{"Beta tune"}; },
                          kWaitMs));
    s.key("Return");
    ASSERT_TRUE(s.waitForPlaying("Beta tune"))
        << s.texts().value("Main.PiesaCurenta").toStdString() << "\n"
        << s.output().toStdString();
    EXPECT_EQ(s.texts().value("JumpForm.Cautare"), "");
    s.screenshot();
}

// A search that finds a hundred entries, its results scrolled by Page Down,
// End and their scroll bar's thumb: the screen shows the rows the results
// list holds there.
TEST(SearchWindowOnDisplay, ScrolledResultsShowTheRowsTheyHold) {
    PlayerSession s;
    searchOnJ(s);
    QStringList names;
    for (int i = 0; i < 100; ++i)
        names << QString("row%1").arg(i, 5, 10, QChar('0'));
    entries(s, names);
    const QString search = searchFor(s, "ROW");
    ASSERT_FALSE(search.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.rows("JumpForm.Rezultate").size() == 40; }, kWaitMs));
    const QRect at = s.geometry(search);

    // The results list stands 8 pixels in and 48 down, 337 pixels wide.
    const QString list = "JumpForm.Rezultate";
    ASSERT_NO_FATAL_FAILURE(
        displaytest::pageDownTwiceThenEnd(s, list, at.topLeft() + QPoint(60, 55), 99));
    s.key("Home");
    ASSERT_TRUE(waitUntil([&] { return s.topIndex(list) == 0; }, kWaitMs));
    const QPoint thumb(at.x() + 8 + 337 - 10, at.y() + 48 + 30);
    s.drag(thumb, thumb + QPoint(0, 80));
    ASSERT_TRUE(waitUntil([&] { return s.topIndex(list) > 0; }, kWaitMs));
    EXPECT_TRUE(s.showsItsRows(list)) << "after the thumb's drag";
}

}  // namespace
