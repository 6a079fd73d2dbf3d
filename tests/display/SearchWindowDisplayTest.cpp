#include <gtest/gtest.h>

#include <QFile>

#include "support/display/DisplaySession.h"

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

// A playlist of two copies of the sample under different names.
void twoEntries(PlayerSession& s) {
    QFile sample(s.program().file("Samples/plenk-sample.ogg"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray bytes = sample.readAll();
    const QString first = s.program().write("Music/Alpha song.ogg", bytes);
    const QString second = s.program().write("Music/Beta tune.ogg", bytes);
    s.program().write("Data/plst.data", (first + "\r\n" + second + "\r\n").toUtf8());
}

TEST(SearchWindowOnDisplay, TypedTextListsTheEntryAndEnterPlaysIt) {
    PlayerSession s;
    searchOnJ(s);
    twoEntries(s);
    s.start();
    const QString main = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    s.focus(main);
    s.key("j");
    const QString search = s.waitForWindow("Search");
    ASSERT_FALSE(search.isEmpty()) << s.output().toStdString();
    s.focus(search);
    s.xdotool({"type", "--delay", "50", "TUNE"});
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("JumpForm.RealSearch") == "TUNE"; }, 5000))
        << "the keys went to " << s.texts().value("focus").toStdString();
    // The results show half a second after the last key.
    s.screenshotWhen([](const QImage&) { return false; }, 800);
    s.key("Return");
    ASSERT_TRUE(s.waitForPlaying("Beta tune"))
        << s.texts().value("Main.PiesaCurenta").toStdString() << "\n"
        << s.output().toStdString();
    EXPECT_EQ(s.texts().value("JumpForm.Cautare"), "");
    s.screenshot();
}

}  // namespace
