// The playlist's row menu (18 owner-drawn items with their pictures) on the
// screen after a right-button release, in the real player on an X server of
// its own.  The time runs from the start of the release (an xdotool call, so
// it includes starting that tool) to the first frame that shows the menu.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>

#include "BenchMain.h"
#include "support/display/DisplaySession.h"

// Xlib last: its macros clash with Qt's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using displaytest::PlayerSession;

// The menu's picture column, or its highlight, at one point of the screen.
bool menuShows(Display* x, int px, int py) {
    XImage* image = XGetImage(x, DefaultRootWindow(x), px, py, 1, 1, AllPlanes, ZPixmap);
    if (!image) return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel == 0xECECEC || pixel == 0xC1D2EE || pixel == 0x316AC5;
}

void threeEntries(PlayerSession& s) {
    QFile sample(s.program().file("Samples/plenk-sample.ogg"));
    if (!sample.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = sample.readAll();
    QByteArray list;
    for (const QString name : {"Alpha song", "Beta tune", "Gamma air"})
        list += s.program().write("Music/" + name + ".ogg", bytes).toUtf8() + "\r\n";
    s.program().write("Data/plst.data", list);
}

void BM_RowMenuOnScreenAfterRelease(benchmark::State& state) {
    PlayerSession s;
    threeEntries(s);
    s.start();
    const QString playlist = s.waitForWindow("Playlist");
    Display* x = XOpenDisplay(s.display().toLocal8Bit().constData());
    if (playlist.isEmpty() || !x) {
        state.SkipWithError("no player on the X server");
        return;
    }
    const QPoint row = s.geometry(playlist).topLeft() + QPoint(60, 41);
    s.xdotool({"mousemove", QString::number(row.x()), QString::number(row.y())});
    double slowest = 0;
    for (auto _ : state) {
        s.xdotool({"mousedown", "3"});
        if (menuShows(x, row.x() + 3, row.y() + 3)) {
            state.SkipWithError("the menu's colours show before the release");
            break;
        }
        QElapsedTimer clock;
        clock.start();
        s.xdotool({"mouseup", "3"});
        while (!menuShows(x, row.x() + 3, row.y() + 3) && clock.elapsed() < 2000)
            QThread::usleep(200);
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
        s.key("Escape");
        while (menuShows(x, row.x() + 3, row.y() + 3))
            QThread::usleep(500);
    }
    state.counters["slowest_ms"] = slowest * 1000;
    XCloseDisplay(x);
}
BENCHMARK(BM_RowMenuOnScreenAfterRelease)
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
