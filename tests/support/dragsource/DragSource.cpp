// A stand-in for another program's window that files are dragged from: a
// small window at the place the command line names; a press and a move on it
// start a drag of the files named after the place, offered as file URLs the
// way file managers do: to be copied, moved or linked.  Usage: display-drag-source X Y FILE...
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class Source : public QLabel {
  public:
    explicit Source(const QStringList& files) : files_(files) {
        setText(QString("%1 file(s) to drag").arg(files.size()));
        setWindowTitle("Drag source");
        setFixedSize(160, 60);
    }

  protected:
    void mousePressEvent(QMouseEvent*) override { pressed_ = true; }
    void mouseReleaseEvent(QMouseEvent*) override { pressed_ = false; }
    void mouseMoveEvent(QMouseEvent*) override {
        if (!pressed_) return;
        pressed_ = false;
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& file : files_)
            urls << QUrl::fromLocalFile(file);
        data->setUrls(urls);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    }

  private:
    QStringList files_;
    bool pressed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    // The tests run with the offscreen platform set; this window is real.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) return 2;
    Source source(args.mid(3));
    source.move(args[1].toInt(), args[2].toInt());
    source.show();
    return app.exec();
}
