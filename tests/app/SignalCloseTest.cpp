#include <gtest/gtest.h>

#include <unistd.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <memory>

#include "app/PlenkApp.h"
#include "support/TempDir.h"

using testsupport::readLines;

namespace {

// The player program running offscreen on a temporary program folder (a
// link to the program file makes that folder its own) and a temporary home.
struct RunningPlayer {
    testsupport::TempDir program;
    testsupport::TempDir home;
    QProcess process;

    QString lockFile() const { return home.file("config/plenk-player/instance.lock"); }

    bool start(const QStringList& arguments = {}) {
#ifdef PLENK_PLAYER
        const QString exe = program.file("plenk-player");
        if (::link(PLENK_PLAYER, QFile::encodeName(exe).constData()) != 0 &&
            !QFile::copy(PLENK_PLAYER, exe))
            return false;
#endif
        QFile::copy(QString(PLENK_ASSETS) + "/settings.ini", program.file("settings.ini"));
        program.write("Data/plst.data", "/music/first song.mp3\r\n/music/second song.ogg\r\n");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.file("config"));
        env.insert("XDG_DATA_HOME", home.file("data"));
        process.setProcessEnvironment(env);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program.file("plenk-player"), arguments);
        return process.waitForStarted(10000);
    }

    // Start-up has taken the instance lock; a signal from now on is held
    // until the program can close.
    bool waitUntilStarted() {
        const QDeadlineTimer deadline(30000);
        while (!QFile::exists(lockFile()) && !deadline.hasExpired())
            if (process.waitForFinished(20)) return false;
        return QFile::exists(lockFile());
    }

    bool endedNormally() {
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
};

// Each signal closes the program as its close button does: every list and
// the settings are written, whole; a second signal right after the first
// changes nothing.
TEST(SignalClose, TermHangupAndInterruptSaveEverythingOnce) {
#ifndef PLENK_PLAYER
    GTEST_SKIP() << "the player program is not built";
#endif
    const int kinds[] = {SIGTERM, SIGHUP, SIGINT};
    std::vector<std::unique_ptr<RunningPlayer>> players;
    for (int i = 0; i < 3; ++i) {
        players.push_back(std::make_unique<RunningPlayer>());
        ASSERT_TRUE(players.back()->start());
    }
    for (int i = 0; i < 3; ++i) {
        RunningPlayer& p = *players[i];
        ASSERT_TRUE(p.waitUntilStarted()) << kinds[i];
        ::kill(static_cast<pid_t>(p.process.processId()), kinds[i]);
        if (kinds[i] == SIGTERM) ::kill(static_cast<pid_t>(p.process.processId()), SIGTERM);
    }
    for (int i = 0; i < 3; ++i) {
        RunningPlayer& p = *players[i];
        EXPECT_TRUE(p.endedNormally()) << kinds[i];
        const QStringList settings = readLines(p.program.file("settings.ini"));
        ASSERT_EQ(settings.size(), 72) << kinds[i];
        EXPECT_EQ(settings[0], PlenkApp::version());
        EXPECT_EQ(readLines(p.program.file("Data/plst.data")),
                  QStringList({"/music/first song.mp3", "/music/second song.ogg"}));
        EXPECT_EQ(readLines(p.program.file("Data/top.data")).size(), 40) << kinds[i];
        EXPECT_EQ(readLines(p.program.file("Data/keyboard.data")).size(), 20) << kinds[i];
        EXPECT_EQ(readLines(p.program.file("Data/playlist.data")),
                  QStringList({"first song", "second song"}));
    }
}

// A file the media engine cannot play, named on the command line, brings up
// a message box at the end of start-up; the signal closes the program
// through it.
TEST(SignalClose, TermClosesThroughAMessageBoxOfStartUp) {
#ifndef PLENK_PLAYER
    GTEST_SKIP() << "the player program is not built";
#endif
    RunningPlayer p;
    p.program.write("broken.avi", QByteArray(4096, 'x'));
    ASSERT_TRUE(p.start({p.program.file("broken.avi")}));
    ASSERT_TRUE(p.waitUntilStarted());
    ::kill(static_cast<pid_t>(p.process.processId()), SIGTERM);
    EXPECT_TRUE(p.endedNormally());
    if (p.process.state() != QProcess::NotRunning) p.process.kill();
    EXPECT_EQ(readLines(p.program.file("settings.ini")).size(), 72);
    EXPECT_EQ(readLines(p.program.file("Data/plst.data")),
              QStringList({"/music/first song.mp3", "/music/second song.ogg"}));
}

}  // namespace
