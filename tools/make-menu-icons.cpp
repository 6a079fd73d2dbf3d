// Paints the menu window's 28 item pictures (17 x 18 pixels on silver, which
// the menus draw transparent) as icon01.bmp .. icon28.bmp, and a resource list
// naming them for the program.  Shapes only, no font and no smoothing, so every
// pixel is either silver or a colour of the drawing and the output is the same
// on every machine.  Pictures 3, 9, 15 and 22 belong to no item; they are
// plain marks so the list keeps its numbering.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kSilver(192, 192, 192);
const QColor kInk(40, 44, 56);
const QColor kGreen(30, 150, 60);
const QColor kRed(200, 40, 40);
const QColor kBlue(40, 90, 190);
const QColor kGold(220, 170, 20);
const QColor kPaper(250, 250, 246);
const QColor kFolder(230, 190, 80);
const QColor kGrey(110, 114, 124);

using Painting = std::function<void(QPainter&)>;

void box(QPainter& p, int x, int y, int w, int h, QColor fill, QColor edge = kInk) {
    p.fillRect(x, y, w, h, edge);
    if (w > 2 && h > 2) p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void polygon(QPainter& p, std::initializer_list<QPoint> points, QColor fill) {
    p.setPen(fill);
    p.setBrush(fill);
    p.drawPolygon(QPolygon(QList<QPoint>(points)));
}

void line(QPainter& p, int x1, int y1, int x2, int y2, QColor colour, int width = 1) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(x1, y1, x2, y2);
}

void page(QPainter& p) {
    box(p, 3, 1, 10, 15, kPaper);
    for (int y = 4; y < 14; y += 3)
        line(p, 5, y, 10, y, kGrey);
}

void plus(QPainter& p, int cx, int cy) {
    p.fillRect(cx - 3, cy - 1, 7, 3, kGreen);
    p.fillRect(cx - 1, cy - 3, 3, 7, kGreen);
}

void cross(QPainter& p, int x, int y, int size) {
    line(p, x, y, x + size, y + size, kRed, 2);
    line(p, x + size, y, x, y + size, kRed, 2);
}

void folder(QPainter& p) {
    box(p, 1, 3, 7, 4, kFolder);
    box(p, 1, 5, 14, 10, kFolder);
}

void star(QPainter& p, QColor colour) {
    polygon(
        p,
        {{8, 1}, {10, 6}, {15, 6}, {11, 10}, {13, 15}, {8, 12}, {3, 15}, {5, 10}, {1, 6}, {6, 6}},
        colour);
}

void play(QPainter& p) {
    polygon(p, {{4, 2}, {13, 9}, {4, 16}}, kGreen);
}

void arrowRight(QPainter& p, int y, QColor colour) {
    line(p, 2, y, 12, y, colour, 2);
    polygon(p, {{11, y - 3}, {15, y}, {11, y + 3}}, colour);
}

void gear(QPainter& p) {
    p.fillRect(7, 1, 3, 16, kGrey);
    p.fillRect(1, 8, 15, 3, kGrey);
    line(p, 3, 3, 13, 14, kGrey, 3);
    line(p, 13, 3, 3, 14, kGrey, 3);
    p.setPen(kInk);
    p.setBrush(kGrey);
    p.drawEllipse(3, 4, 10, 10);
    p.setBrush(kSilver.darker(130));
    p.drawEllipse(6, 7, 4, 4);
}

void information(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kBlue);
    p.drawEllipse(1, 1, 14, 15);
    p.fillRect(7, 4, 3, 2, kPaper);
    p.fillRect(7, 7, 3, 7, kPaper);
}

void disc(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(200, 210, 235));
    p.drawEllipse(1, 1, 14, 15);
    p.setBrush(kPaper);
    p.drawEllipse(6, 6, 4, 5);
}

const std::vector<Painting>& pictures() {
    static const std::vector<Painting> list = {
        // 1: into the list (schedule, save, back)
        [](QPainter& p) {
            box(p, 2, 10, 13, 6, kPaper);
            p.fillRect(7, 1, 3, 7, kBlue);
            polygon(p, {{4, 7}, {12, 7}, {8, 11}}, kBlue);
        },
        // 2: equalizer
        [](QPainter& p) {
            const int heights[] = {6, 11, 8, 13, 5};
            for (int i = 0; i < 5; ++i)
                p.fillRect(2 + i * 3, 16 - heights[i], 2, heights[i], i % 2 ? kGreen : kBlue);
        },
        // 3: unused
        [](QPainter& p) { box(p, 6, 7, 5, 5, kGrey); },
        // 4: settings
        gear,
        // 5: search
        [](QPainter& p) {
            p.setPen(QPen(kInk, 2));
            p.setBrush(QColor(210, 230, 250));
            p.drawEllipse(2, 2, 9, 9);
            line(p, 10, 11, 14, 15, kInk, 3);
        },
        // 6: clear the list
        [](QPainter& p) {
            page(p);
            cross(p, 6, 8, 7);
        },
        // 7: disc (CD, file types)
        disc,
        // 8: keyboard
        [](QPainter& p) {
            box(p, 0, 5, 17, 9, kPaper);
            for (int x = 2; x < 15; x += 3) {
                p.fillRect(x, 7, 2, 2, kInk);
                p.fillRect(x, 10, 2, 1, kInk);
            }
        },
        // 9: unused
        [](QPainter& p) { box(p, 6, 7, 5, 5, kGrey); },
        // 10: add a folder
        [](QPainter& p) {
            folder(p);
            plus(p, 12, 13);
        },
        // 11: open (playlist, preset), next
        [](QPainter& p) {
            folder(p);
            arrowRight(p, 10, kBlue);
        },
        // 12: add a file, the playlist
        [](QPainter& p) {
            page(p);
            plus(p, 12, 13);
        },
        // 13: video
        [](QPainter& p) {
            box(p, 1, 3, 15, 12, kInk);
            p.fillRect(4, 5, 9, 8, QColor(120, 170, 230));
            for (int y = 4; y < 14; y += 3) {
                p.fillRect(2, y, 1, 2, kPaper);
                p.fillRect(14, y, 1, 2, kPaper);
            }
        },
        // 14: delete
        [](QPainter& p) { cross(p, 3, 3, 10); },
        // 15: unused
        [](QPainter& p) { box(p, 6, 7, 5, 5, kGrey); },
        // 16: play
        play,
        // 17: the web site
        [](QPainter& p) {
            p.setPen(kInk);
            p.setBrush(QColor(90, 160, 220));
            p.drawEllipse(1, 1, 14, 15);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(5, 1, 6, 15);
            line(p, 1, 8, 15, 8, kInk);
        },
        // 18: information
        information,
        // 19: Top 20
        [](QPainter& p) {
            polygon(p, {{3, 2}, {13, 2}, {12, 8}, {8, 11}, {4, 8}}, kGold);
            p.fillRect(7, 10, 3, 4, kGold);
            p.fillRect(4, 14, 9, 2, kInk);
        },
        // 20: a new list
        page,
        // 21: modes (play order, skin, video size)
        [](QPainter& p) {
            p.setPen(kInk);
            p.setBrush(kPaper);
            p.drawEllipse(1, 2, 14, 13);
            p.fillRect(4, 5, 3, 3, kRed);
            p.fillRect(9, 5, 3, 3, kGreen);
            p.fillRect(6, 10, 3, 3, kBlue);
        },
        // 22: unused
        [](QPainter& p) { box(p, 6, 7, 5, 5, kGrey); },
        // 23: close, language
        [](QPainter& p) {
            p.setPen(kInk);
            p.setBrush(kRed);
            p.drawEllipse(1, 1, 14, 15);
            line(p, 5, 5, 11, 12, kPaper, 2);
            line(p, 11, 5, 5, 12, kPaper, 2);
        },
        // 24: pause
        [](QPainter& p) {
            p.fillRect(4, 3, 3, 12, kBlue);
            p.fillRect(10, 3, 3, 12, kBlue);
        },
        // 25: stop
        [](QPainter& p) { box(p, 3, 4, 11, 11, kRed); },
        // 26: shuffle off
        [](QPainter& p) {
            arrowRight(p, 5, kInk);
            arrowRight(p, 12, kInk);
        },
        // 27: shuffle on
        [](QPainter& p) {
            line(p, 2, 4, 11, 13, kBlue, 2);
            line(p, 2, 13, 11, 4, kBlue, 2);
            polygon(p, {{11, 1}, {15, 4}, {11, 7}}, kBlue);
            polygon(p, {{11, 10}, {15, 13}, {11, 16}}, kBlue);
        },
        // 28: play the best
        [](QPainter& p) { star(p, kGold); },
    };
    return list;
}

QString fileName(int number) {
    return QString("icon%1.bmp").arg(number, 2, 10, QChar('0'));
}

bool writePictures(const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    int number = 0;
    for (const Painting& paint : pictures()) {
        QImage image(17, 18, QImage::Format_RGB32);
        image.fill(kSilver);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        paint(painter);
        painter.end();
        if (!image.save(folder + "/" + fileName(++number), "BMP")) return false;
    }
    return true;
}

bool writeResourceList(const QString& folder, const QString& qrc) {
    QFile file(qrc);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QTextStream out(&file);
    out << "<RCC><qresource prefix=\"/menu-icons\">\n";
    for (int n = 1; n <= static_cast<int>(pictures().size()); ++n)
        out << "<file alias=\"" << fileName(n) << "\">" << folder << "/" << fileName(n)
            << "</file>\n";
    out << "</qresource></RCC>\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-menu-icons <folder> <.qrc>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!writePictures(folder) || !writeResourceList(folder, QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "make-menu-icons: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
