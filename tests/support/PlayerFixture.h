#pragma once

#include <QDir>
#include <memory>

#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/RuntimeError.h"
#include "platform/media/TestBackend.h"
#include "shared/PlenkApp.h"
#include "support/TempDir.h"

namespace testsupport {

// A fresh player on a temporary program folder and settings folder, with the
// manual clock and the recording dialogs.  Ending the process throws
// ui::ProcessExit instead.
struct PlayerFixture {
    TempDir program;
    TempDir settings;
    TempDir home;
    ui::ManualClock* clock = new ui::ManualClock;
    ui::RecordingDialogs* dialogs = new ui::RecordingDialogs;
    std::unique_ptr<PlenkApp> app;

    explicit PlayerFixture(const QString& commandLine = {}, const QString& executable = {}) {
        for (const char* sub : {"Data", "Playlists", "Skins", "Languages"})
            QDir(program.path()).mkpath(sub);
        app = std::make_unique<PlenkApp>(
            std::unique_ptr<ui::Clock>(clock), std::unique_ptr<ui::Dialogs>(dialogs),
            PlenkApp::Setup{program.path(),
                            settings.path(),
                            commandLine,
                            executable.isEmpty() ? program.file("plenk-player") : executable,
                            {home.file("data"), home.file("config")}, PlenkApp::Engines::Test});
        app->setProcessEnd([](int code) { throw ui::ProcessExit{code}; });
    }

    media::TestBackend& media() { return *app->mci().testBackend(); }

    template <class T>
    T& form() {
        return app->form<T>();
    }
};

}  // namespace testsupport
