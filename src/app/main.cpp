#include <QApplication>
#include <QSessionManager>
#include <QStandardPaths>
#include <cstdlib>
#include <memory>
#include <thread>
#include <utility>

#include <malloc.h>

#include "app/PlenkApp.h"
#include "core/ClsMain.h"
#include "platform/system/CloseSignals.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/TextQuery.h"
#include "shared/DataForm.h"
#include "shared/ProgramFolder.h"
#include "windows/Main.h"

namespace {

// The program places its own windows, which only X11 (or XWayland) allows.
// A variable the user set stays as set.
void preferX11() {
    if (std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "xcb", 0);
    // Qt's shared-memory window buffers wait for the X server before every
    // paint; the visualisation repaints 40 times a second, and its small area
    // costs less sent as a plain copy (a third less CPU while playing, and a
    // paused player wakes a third as often).
    setenv("QT_XCB_NO_MITSHM", "1", 0);
}

// Every video starts threads of its own (the media engine's decoders and
// output, the GL rasteriser's workers).  The C library would give each new
// thread a heap of its own that keeps what was freed in it, 10-35 MB a video
// never used again; in the one heap the next video takes it up.
void shareOneHeap() {
    mallopt(M_ARENA_MAX, 1);
}

// Qt's X11 plugin ends the program with exit(1) once the X server has gone
// (a logout without a session manager, a killed server), from the event
// loop: no close runs, so what it saves is saved here, once, on the thread
// that loaded it.  The program's own ends leave through _Exit, never here.
PlenkApp* savedAtExit = nullptr;
std::thread::id loadedOn;

void saveAtExit() {
    PlenkApp* app = std::exchange(savedAtExit, nullptr);
    if (!app || std::this_thread::get_id() != loadedOn) return;
    ui::dispatchEvent("exit", [app] { app->form<Main>().controller().saveWithoutClose(); });
}

void saveAtExitFrom(PlenkApp& app) {
    savedAtExit = &app;
    loadedOn = std::this_thread::get_id();
    std::atexit(saveAtExit);
}

}  // namespace

int main(int argc, char** argv) {
    shareOneHeap();
    sys::CloseSignals::hold();
    preferX11();
    QApplication qt(argc, argv);
    QApplication::setApplicationName("plenk-player");
    QApplication::setQuitOnLastWindowClosed(false);

    PlenkApp::Setup setup;
    setup.programFolder = shared::resolveProgramFolder(
        QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    setup.settingsFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    setup.executable = QApplication::applicationFilePath();
    setup.desktop = {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                     QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)};
    if (argc > 1) setup.commandLine = QString::fromLocal8Bit(argv[1]);
    // The desktop's shutdown, a closed terminal and Ctrl+C close the program
    // as its close button does, once start-up has loaded what the close
    // saves; a message box the command line's file brings up waits for none.
    std::unique_ptr<sys::CloseSignals> closeSignals;
    PlenkApp* loading = nullptr;
    setup.loaded = [&closeSignals, &loading] {
        closeSignals->listen();
        saveAtExitFrom(*loading);
    };

    PlenkApp app(std::make_unique<ui::LiveClock>(), std::make_unique<ui::QtDialogs>(), setup);
    loading = &app;
    closeSignals = std::make_unique<sys::CloseSignals>(
        [&app] { app.form<Main>().Unload(ui::Form::vbAppTaskManager); }, false);
    // Only tests on a real display set the variable that opens this.
    const auto query = ui::TextQuery::fromEnvironment(app);
    Main& main = app.form<Main>();
    // In mini mode the settings load has shown the mini window in its place.
    if (app.form<DataForm>().MiniMode.Caption() != "True") main.Show();
    // Logging out closes the program as the desktop's close does, saving everything.
    QObject::connect(&qt, &QGuiApplication::commitDataRequest,
                     [&main] { main.Unload(ui::Form::vbAppWindows); });
    const int code = QApplication::exec();
    savedAtExit = nullptr;
    return code;
}
