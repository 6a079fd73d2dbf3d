// A drag source for the display tests: a small window at the place given that
// starts a drag of the given files (text/uri-list) when it is pressed, as a
// file manager does.  Run as
//   plenk-drag-source X Y FILE...
// It prints "dragging" once its drag has the pointer, the action the target
// offers as the drag moves over it ("over copy"), the action the drop ended
// with ("dropped copy", "move" or "none"), and ends.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

const char* actionName(Qt::DropAction action) {
    switch (action) {
        case Qt::CopyAction:
            return "copy";
        case Qt::MoveAction:
            return "move";
        default:
            return "none";
    }
}

class Source : public QWidget {
  public:
    explicit Source(QList<QUrl> urls) : urls_(std::move(urls)) {
        setWindowTitle("Drag source");
        setWindowFlags(Qt::FramelessWindowHint);
        setStyleSheet("background: orange");
        setFixedSize(40, 40);
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(urls_);
        drag->setMimeData(data);
        // The target's answer while the drag is over it, so a test releases
        // only once the target has taken the drag.
        connect(drag, &QDrag::actionChanged, this, [](Qt::DropAction action) {
            std::printf("over %s\n", actionName(action));
            std::fflush(stdout);
        });
        // Said from inside the drag's own loop: the pointer is grabbed, so
        // the moves that follow belong to the drag.
        QTimer::singleShot(0, this, [] {
            std::printf("dragging\n");
            std::fflush(stdout);
        });
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        std::printf("dropped %s\n", actionName(action));
        std::fflush(stdout);
        // Ends at once, as a program whose drag is over may: the target has
        // what it needs from the drag's start.
        QApplication::quit();
    }

  private:
    QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: plenk-drag-source X Y FILE...\n");
        return 2;
    }
    QList<QUrl> urls;
    for (const QString& file : args.mid(3))
        urls << QUrl::fromLocalFile(file);
    Source source(urls);
    source.move(args[1].toInt(), args[2].toInt());
    source.show();
    return app.exec();
}
