#include <gtest/gtest.h>

#include "support/display/ClickedList.h"
#include "support/display/DisplaySession.h"

using displaytest::PlayerSession;

namespace {

// The player started with a million entries answers a click on a row made
// the moment its playlist window shows, while the rest of the entries may
// still be coming in: the clicked entry, not another, reaches the library's
// editor.  How soon is for bench_MillionEntries to say.
TEST(MillionEntriesOnDisplay, TheRowClickedAsTheWindowAppearsReachesTheLibrarysEditor) {
    PlayerSession s;
    displaytest::writeClickedList(s, 1000000);
    s.start();
    const QString playlist = s.waitForWindow("Playlist", 60000);
    ASSERT_FALSE(playlist.isEmpty()) << s.output().toStdString();
    s.clickAtOnce(playlist, displaytest::kSecondRow);
    EXPECT_TRUE(displaytest::waitUntil(
        [&] { return s.texts().value("MediaLibrary.Text1T") == displaytest::kClickedTitle; },
        displaytest::kWaitMs))
        << s.output().toStdString();
}

}  // namespace
