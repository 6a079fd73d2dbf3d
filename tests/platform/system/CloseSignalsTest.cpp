#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <csignal>

#include "platform/system/CloseSignals.h"

using sys::CloseSignals;

namespace {

// Runs the event loop until the close ran once, or five seconds passed.
void runUntilClosed(const int& runs) {
    const QDeadlineTimer deadline(5000);
    while (runs == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// A signal's byte is in the pipe when raise returns, so a few turns of the
// loop without waiting are enough to handle it.
void turnTheLoop() {
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
}

TEST(CloseSignals, EachSignalClosesOnTheEventLoopAndOnlyOnce) {
    for (int number : {SIGTERM, SIGHUP, SIGINT}) {
        int runs = 0;
        CloseSignals watch([&] { ++runs; });
        std::raise(number);
        std::raise(number);
        EXPECT_EQ(runs, 0) << "nothing runs inside the signal handler";
        runUntilClosed(runs);
        std::raise(SIGTERM);
        turnTheLoop();
        EXPECT_EQ(runs, 1) << number;
    }
}

TEST(CloseSignals, ASignalDuringTheCloseNeitherCutsItNorRunsItAgain) {
    int runs = 0;
    QStringList saved;
    CloseSignals watch([&] {
        ++runs;
        saved << "settings";
        std::raise(SIGTERM);
        std::raise(SIGINT);
        saved << "lists";
    });
    std::raise(SIGHUP);
    runUntilClosed(runs);
    turnTheLoop();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(saved, QStringList({"settings", "lists"}));
}

TEST(CloseSignals, ASignalHeldBackDuringStartUpClosesOnceTheLoopRuns) {
    CloseSignals::hold();
    std::raise(SIGTERM);
    int runs = 0;
    CloseSignals watch([&] { ++runs; });
    EXPECT_EQ(runs, 0);
    runUntilClosed(runs);
    EXPECT_EQ(runs, 1);
}

TEST(CloseSignals, ASignalIgnoredAtStartStaysIgnored) {
    std::signal(SIGHUP, SIG_IGN);
    int runs = 0;
    {
        CloseSignals watch([&] { ++runs; });
        std::raise(SIGHUP);
        turnTheLoop();
    }
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(std::signal(SIGHUP, SIG_DFL), SIG_IGN) << "nor is it given the default back";
}

}  // namespace
