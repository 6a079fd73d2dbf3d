#pragma once

#include <QDir>
#include <memory>

#include "app/PlenkApp.h"
#include "platform/clock/Clock.h"
#include "platform/media/TestBackend.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/RuntimeError.h"
#include "support/TempDir.h"
#include "windows/Main.h"

namespace testsupport {

// A fresh player on a temporary program folder and settings folder, with the
// manual clock, the scripted media back end, the null audio output and the
// recording dialogs.  Ending the process throws ui::ProcessExit instead.  It
// starts as the program does, by loading the main window, unless told to wait
// (so a test can first lay files into the program folder) and start() later.
struct PlayerOptions {
    QString commandLine;
    QString executable;
    bool start = true;
    // The real media engine (libmpv, drawing nothing offscreen) instead of the scripted one.
    bool realMedia = false;
};

inline PlayerOptions notStarted() {
    PlayerOptions o;
    o.start = false;
    return o;
}

// The real media engine (libmpv, drawing nothing offscreen).
inline PlayerOptions realMedia() {
    PlayerOptions o;
    o.realMedia = true;
    return o;
}

inline PlayerOptions withCommandLine(const QString& commandLine, bool start = true) {
    PlayerOptions o;
    o.commandLine = commandLine;
    o.start = start;
    return o;
}

inline PlayerOptions withExecutable(const QString& executable) {
    PlayerOptions o;
    o.executable = executable;
    return o;
}

struct PlayerFixture {
    using Options = PlayerOptions;

    TempDir program;
    TempDir settings;
    TempDir home;
    ui::ManualClock* clock = new ui::ManualClock;
    ui::RecordingDialogs* dialogs = new ui::RecordingDialogs;
    std::unique_ptr<PlenkApp> app;

    explicit PlayerFixture(const Options& options = {}) {
        for (const char* sub : {"Data", "Playlists", "Skins", "Languages"})
            QDir(program.path()).mkpath(sub);
        const QString executable =
            options.executable.isEmpty() ? program.file("plenk-player") : options.executable;
        app = std::make_unique<PlenkApp>(
            std::unique_ptr<ui::Clock>(clock), std::unique_ptr<ui::Dialogs>(dialogs),
            PlenkApp::Setup{program.path(),
                            settings.path(),
                            options.commandLine,
                            executable,
                            {home.file("data"), home.file("config")},
                            options.realMedia ? PlenkApp::Engines::Live : PlenkApp::Engines::Test,
                            {}});
        app->setProcessEnd([](int code) { throw ui::ProcessExit{code}; });
        if (options.start) start();
    }

    // The program's start-up: the main window's load builds everything.
    void start() { app->form<Main>(); }

    media::TestBackend& media() { return *app->mci().testBackend(); }

    template <class T>
    T& form() {
        return app->form<T>();
    }
};

}  // namespace testsupport
