// Manual check of video drawing, not a benchmark: opens a video through the
// command interface inside a parent window, puts it at a rectangle and plays
// it for a few seconds.  Run under a display (for example xvfb-run) and take
// a screenshot while it runs:
//   video-demo VIDEO [SECONDS] [PAUSE_AFTER_MS]
#include <QApplication>
#include <QPalette>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <string>

#include "platform/clock/Clock.h"
#include "platform/media/Mci.h"
#include "platform/ui/VideoWindow.h"

namespace {

void send(media::Mci& mci, const std::string& command) {
    char reply[128] = "";
    const std::uint32_t code = mci.mciSendStringA(command.c_str(), reply, sizeof reply, 0);
    char error[128] = "";
    mci.mciGetErrorStringA(code, error, sizeof error);
    std::printf("%-60s -> %u %s [%s]\n", command.c_str(), code, reply, error);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s VIDEO [SECONDS] [PAUSE_AFTER_MS]\n", argv[0]);
        return 2;
    }
    const int seconds = argc > 2 ? std::stoi(argv[2]) : 5;
    const int pauseAfterMs = argc > 3 ? std::stoi(argv[3]) : 1000;

    QWidget frame;
    frame.setWindowTitle("video demo");
    QPalette palette = frame.palette();
    palette.setColor(QPalette::Window, QColor(40, 90, 200));
    frame.setPalette(palette);
    frame.setAutoFillBackground(true);
    frame.setGeometry(100, 100, 640, 480);
    frame.show();

    ui::WindowHandles handles;
    ui::WidgetVideoHost videos(handles);
    ui::LiveClock clock;
    media::Mci mci(media::Mci::Backend::Mpv, videos, clock);
    const int handle = handles.add(&frame);

    QTimer::singleShot(300, [&] {
        send(mci, std::string("open ") + argv[1] + " type MPEGVideo Alias movie parent " +
                      std::to_string(handle) + " Style 1073741824");
        send(mci, "Where movie destination");
        send(mci, "put movie window at 80 60 320 240");
        send(mci, "Where movie destination");
        send(mci, "play movie");
    });
    QTimer::singleShot(300 + pauseAfterMs, [&] {
        send(mci, "Pause movie");
        send(mci, "status movie mode");
        send(mci, "status movie position");
    });
    QTimer::singleShot(seconds * 1000, [&] {
        send(mci, "Close All");
        app.quit();
    });
    return app.exec();
}
