// Writes the program's own two skins, Default (dark) and Silver (light), into
// <program folder>/Skins.  Every picture is painted here from shapes and
// paths, with no font, so the output is the same on every machine.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

struct Theme {
    const char* name;
    QColor dark;        // deepest shade of the frame
    QColor light;       // lightest shade of the frame
    QColor panel;       // main panel
    QColor display;     // inset display areas
    QColor glyph;       // glyphs at rest
    QColor lit;         // glyphs lit (hover, on)
    QColor dim;         // glyphs off
    QColor accent;      // the word mark and highlights
    QStringList lines;  // skin.ini
};

const Theme kDefault{"Default",
                     QColor(18, 20, 26),
                     QColor(70, 76, 92),
                     QColor(34, 37, 46),
                     QColor(10, 12, 16),
                     QColor(170, 184, 204),
                     QColor(120, 220, 255),
                     QColor(78, 84, 98),
                     QColor(60, 170, 230),
                     {"Default", "MenuText=white", "MainText=cyan", "InfoText=white",
                      "ToolText=white", "ListBack=black", "ListText=cyan", "VisRed=0", "VisGreen=0",
                      "VisBlue=0", "VisMode=0", "VisGreenFactor=2", "VisBlueFactor=1", "BackRed=34",
                      "BackGreen=37", "BackBlue=46", "HideScrollbar=false"}};

const Theme kSilver{
    "Silver",
    QColor(120, 124, 132),
    QColor(246, 247, 250),
    QColor(206, 209, 216),
    QColor(232, 236, 242),
    QColor(52, 56, 66),
    QColor(0, 84, 190),
    QColor(150, 154, 162),
    QColor(30, 90, 170),
    {"Silver", "MenuText=black", "MainText=blue", "InfoText=black", "ToolText=black",
     "ListBack=white", "ListText=black", "VisRed=232", "VisGreen=236", "VisBlue=242", "VisMode=0",
     "VisGreenFactor=1", "VisBlueFactor=2", "BackRed=206", "BackGreen=209", "BackBlue=216",
     "HideScrollbar=false"}};

using Painter = std::function<void(QPainter&, const Theme&, QRectF)>;

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

void bevel(QPainter& p, const Theme& t, QRectF r, bool raised = true) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, raised ? t.light : t.dark);
    g.setColorAt(1, raised ? t.panel : t.panel.darker(115));
    p.fillRect(r, g);
    p.setPen(raised ? t.light.lighter(110) : t.dark);
    p.drawLine(r.topLeft(), r.topRight() - QPointF(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPointF(0, 1));
    p.setPen(raised ? t.dark : t.light);
    p.drawLine(r.bottomLeft() - QPointF(0, 1), r.bottomRight() - QPointF(1, 1));
    p.drawLine(r.topRight() - QPointF(1, 0), r.bottomRight() - QPointF(1, 1));
}

void inset(QPainter& p, const Theme& t, QRectF r) {
    p.fillRect(r, t.display);
    p.setPen(t.dark);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

// --- the word mark: letters as strokes on a 4 x 6 grid -------------------

const std::vector<std::vector<QPointF>>& letter(char c) {
    static const std::map<char, std::vector<std::vector<QPointF>>> strokes{
        {'P', {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}}},
        {'L', {{{0, 0}, {0, 6}, {4, 6}}}},
        {'E', {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}},
        {'N', {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}},
        {'K', {{{0, 0}, {0, 6}}, {{4, 0}, {0, 4}}, {{1.3, 2.7}, {4, 6}}}},
        {'A', {{{0, 6}, {2, 0}, {4, 6}}, {{1, 3.6}, {3, 3.6}}}},
        {'Y', {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}}},
        {'R', {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}}},
        {' ', {}},
    };
    return strokes.at(c);
}

// Draws text in the stroke letters, its cap height h, from the top-left x, y.
void wordMark(QPainter& p, const QString& text, QPointF at, double h, QColor c, double width) {
    const double unit = h / 6.0;
    QPainterPath path;
    double x = at.x();
    for (QChar ch : text) {
        for (const auto& stroke : letter(ch.toLatin1())) {
            path.moveTo(x + stroke[0].x() * unit, at.y() + stroke[0].y() * unit);
            for (std::size_t i = 1; i < stroke.size(); ++i)
                path.lineTo(x + stroke[i].x() * unit, at.y() + stroke[i].y() * unit);
        }
        x += 6 * unit;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.strokePath(path, QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

double wordWidth(const QString& text, double h) {
    return text.size() * h - h / 6.0 * 2;
}

// --- glyphs ---------------------------------------------------------------

void triangle(QPainter& p, QPointF a, QPointF b, QPointF c, QColor col) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(QPolygonF({a, b, c}));
}

void bars(QPainter& p, QRectF r, const std::vector<double>& heights, QColor col) {
    const double w = r.width() / (2 * heights.size() - 1);
    for (std::size_t i = 0; i < heights.size(); ++i)
        p.fillRect(QRectF(r.left() + 2 * i * w, r.bottom() - heights[i] * r.height(), w,
                          heights[i] * r.height()),
                   col);
}

// The six tool buttons' glyphs: next visualisation, equalizer, presets,
// playlist, Top 20, options.
void toolGlyph(QPainter& p, int n, QRectF r, QColor c) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    const QPointF m = r.center();
    switch (n) {
        case 1:  // a wave and an arrow to the next
            p.drawPolyline(QPolygonF({{r.left(), m.y()},
                                      {r.left() + 3, m.y() - 4},
                                      {r.left() + 6, m.y() + 4},
                                      {r.left() + 9, m.y() - 4},
                                      {r.left() + 12, m.y()}}));
            triangle(p, {r.right() - 4, m.y() - 4}, {r.right(), m.y()}, {r.right() - 4, m.y() + 4},
                     c);
            break;
        case 2:  // band sliders
            for (int i = 0; i < 4; ++i) {
                const double x = r.left() + 2 + i * (r.width() - 4) / 3;
                p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
                const double y = r.top() + (i % 2 ? 2 : r.height() - 3) - (i == 2 ? 3 : 0);
                p.fillRect(QRectF(x - 2, y - 1, 5, 3), c);
            }
            break;
        case 3:  // a stack of presets
            for (int i = 0; i < 3; ++i)
                p.drawRect(QRectF(r.left() + 2 * i, r.top() + 2 * i, 9, 5));
            break;
        case 4:  // list lines
            for (int i = 0; i < 4; ++i) {
                const double y = r.top() + 1 + i * (r.height() - 2) / 3;
                p.fillRect(QRectF(r.left(), y - 0.75, 2, 1.5), c);
                p.drawLine(QPointF(r.left() + 4, y), QPointF(r.right(), y));
            }
            break;
        case 5:  // a chart of rising bars
            p.setPen(Qt::NoPen);
            bars(p, r, {0.35, 0.6, 1.0, 0.8}, c);
            break;
        default:  // a cog
            p.setPen(QPen(c, 2.2));
            for (int i = 0; i < 8; ++i) {
                QLineF spoke(m, m + QPointF(r.height() / 2, 0));
                spoke.setAngle(i * 45);
                p.drawLine(spoke);
            }
            p.setPen(QPen(c, 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(m, r.height() / 3.2, r.height() / 3.2);
            break;
    }
}

void toolButton(QPainter& p, const Theme& t, QRectF r, int n, QColor glyph, bool raised) {
    bevel(p, t, r, raised);
    toolGlyph(p, n, QRectF(r.center() - QPointF(8, 5), QSizeF(16, 10)), glyph);
}

// --- transport strip: the five buttons in a cross ---------------------------

enum class Transport { Back, Play, Pause, Stop, Next };
struct TransportPlace {
    Transport button;
    const char* file;
    QRect rect;  // inside the strip's 66 x 64 background
};
const TransportPlace kTransport[] = {
    {Transport::Back, "back", {0, 12, 15, 37}},   {Transport::Play, "play", {17, 16, 31, 32}},
    {Transport::Pause, "pause", {14, 0, 37, 14}}, {Transport::Stop, "stop", {16, 48, 33, 16}},
    {Transport::Next, "next", {51, 12, 15, 38}},
};

enum class Look { Rest, Hover, Down };

void transportButton(QPainter& p, const Theme& t, Transport b, QRectF r, Look look) {
    p.setRenderHint(QPainter::Antialiasing);
    QColor face = look == Look::Down ? t.dark : t.panel.lighter(look == Look::Hover ? 130 : 110);
    QRadialGradient g(r.center(), std::max(r.width(), r.height()) / 1.5);
    g.setColorAt(0, face.lighter(look == Look::Down ? 100 : 125));
    g.setColorAt(1, face);
    p.setPen(QPen(look == Look::Rest ? t.dark : t.accent, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    const QColor c = look == Look::Rest ? t.glyph : t.lit;
    const QPointF m = r.center() + (look == Look::Down ? QPointF(0.5, 0.5) : QPointF());
    switch (b) {
        case Transport::Play:
            triangle(p, m + QPointF(-6, -8), m + QPointF(8, 0), m + QPointF(-6, 8), c);
            break;
        case Transport::Pause:
            p.fillRect(QRectF(m.x() - 5, m.y() - 4, 3.5, 8), c);
            p.fillRect(QRectF(m.x() + 1.5, m.y() - 4, 3.5, 8), c);
            break;
        case Transport::Stop:
            p.fillRect(QRectF(m.x() - 4.5, m.y() - 4.5, 9, 9), c);
            break;
        case Transport::Back:
            triangle(p, m + QPointF(3, -5), m + QPointF(-3, 0), m + QPointF(3, 5), c);
            p.fillRect(QRectF(m.x() - 5, m.y() - 5, 1.8, 10), c);
            break;
        case Transport::Next:
            triangle(p, m + QPointF(-3, -5), m + QPointF(3, 0), m + QPointF(-3, 5), c);
            p.fillRect(QRectF(m.x() + 3.2, m.y() - 5, 1.8, 10), c);
            break;
    }
}

void transportBackground(QPainter& p, const Theme& t, QRectF r) {
    p.fillRect(r, t.panel);
    for (const TransportPlace& place : kTransport)
        transportButton(p, t, place.button, place.rect, Look::Rest);
}

// --- the window pieces -----------------------------------------------------

void frameStrip(QPainter& p, const Theme& t, QRectF r, bool horizontal) {
    QLinearGradient g(r.topLeft(), horizontal ? r.bottomLeft() : r.topRight());
    g.setColorAt(0, t.light);
    g.setColorAt(0.45, t.panel);
    g.setColorAt(1, t.dark);
    p.fillRect(r, g);
}

void topEdge(QPainter& p, const Theme& t, QRectF r) {
    frameStrip(p, t, r, true);
    p.setPen(t.accent);
    p.drawLine(r.bottomLeft() - QPointF(0, 1), r.bottomRight() - QPointF(0, 1));
}

void mainPanel(QPainter& p, const Theme& t, QRectF r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, t.panel.lighter(112));
    g.setColorAt(1, t.panel.darker(112));
    p.fillRect(r, g);
    inset(p, t, QRectF(8, 3, 116, 26));     // time texts
    inset(p, t, QRectF(134, 6, 171, 42));   // title and tag
    inset(p, t, QRectF(134, 47, 171, 43));  // visualisation
    inset(p, t, QRectF(6, 93, 102, 74));    // media information, down to its last line
    inset(p, t, QRectF(108, 94, 200, 86));  // equalizer
    p.setPen(t.light);
    p.drawLine(QPointF(0, 0), QPointF(r.right(), 0));
}

// The line under the inset carries the scrolling title: no word mark there.
void miniPanel(QPainter& p, const Theme& t, QRectF r) {
    frameStrip(p, t, r, true);
    inset(p, t, QRectF(6, 6, 181, 18));  // as far as the state text's end
}

void scrollTrack(QPainter& p, const Theme& t, QRectF r, bool horizontal) {
    p.fillRect(r, t.display);
    p.setPen(t.dark);
    const QPointF m = r.center();
    if (horizontal)
        p.drawLine(QPointF(r.left(), m.y()), QPointF(r.right(), m.y()));
    else
        p.drawLine(QPointF(m.x(), r.top()), QPointF(m.x(), r.bottom()));
}

void arrowButton(QPainter& p, const Theme& t, QRectF r, int dx, int dy) {
    bevel(p, t, r);
    const QPointF m = r.center();
    const double s = std::min(r.width(), r.height()) / 4;
    triangle(p, m + QPointF(dx * s, dy * s), m + QPointF(-dy * s - dx * s, -dx * s - dy * s),
             m + QPointF(dy * s - dx * s, dx * s - dy * s), t.glyph);
}

void thumb(QPainter& p, const Theme& t, QRectF r, bool lit) {
    bevel(p, t, r);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? t.lit : t.glyph);
    p.drawEllipse(r.center(), 2, 2);
}

void capButton(QPainter& p, const Theme& t, QRectF r, bool close, bool lit) {
    frameStrip(p, t, r, true);
    const QPointF m = r.center();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lit ? t.lit : t.glyph, 1.6));
    if (close) {
        p.drawLine(m + QPointF(-3.5, -3.5), m + QPointF(3.5, 3.5));
        p.drawLine(m + QPointF(-3.5, 3.5), m + QPointF(3.5, -3.5));
    } else {
        p.drawLine(m + QPointF(-4, 3.5), m + QPointF(4, 3.5));
    }
}

void menuButton(QPainter& p, const Theme& t, QRectF r, bool lit) {
    frameStrip(p, t, r, true);
    if (!lit) return;
    p.setPen(t.accent);
    p.drawLine(QPointF(r.left() + 3, r.bottom() - 1), QPointF(r.right() - 3, r.bottom() - 1));
}

void idlePicture(QPainter& p, const Theme& t, QRectF r) {
    p.fillRect(r, t.display);
    const double h = 14;
    const double w = wordWidth("PLENK PLAYER", h);
    wordMark(p, "PLENK PLAYER", QPointF((r.width() - w) / 2, 9), h, t.accent, 2);
    p.setPen(QPen(t.dim, 1));
    for (int x = 10; x < r.width() - 10; x += 4)
        p.drawLine(QPointF(x, 33), QPointF(x, 33 - (x * 7 % 5)));
}

void logo(QPainter& p, const Theme& t, QRectF r) {
    p.fillRect(r, t.panel);
    const double h = 11, w = wordWidth("PLENK", h);
    wordMark(p, "PLENK", QPointF((r.width() - w) / 2, 8), h, t.accent, 2);
    p.setPen(QPen(t.glyph, 1));
    p.drawLine(QPointF(8, 26), QPointF(r.width() - 8, 26));
    triangle(p, {r.width() / 2 - 3, 29}, {r.width() / 2 + 4, 32.5}, {r.width() / 2 - 3, 36},
             t.glyph);
}

void volumePicture(QPainter& p, const Theme& t, QRectF r) {
    p.fillRect(r, t.panel);
    p.fillRect(QRectF(1, 4, 3, 3), t.glyph);
    triangle(p, {3, 5.5}, {7, 1}, {7, 10}, t.glyph);
    p.setPen(QPen(t.glyph, 1));
    p.drawArc(QRectF(6, 2.5, 5, 6), -60 * 16, 120 * 16);
}

struct Piece {
    QString file;
    int w, h;
    Painter paint;
};

std::vector<Piece> pieces() {
    using namespace std::placeholders;
    std::vector<Piece> all = {
        {"main.jpg", 313, 201, mainPanel},
        {"main-mini.jpg", 193, 49, miniPanel},
        {"menu-normal.bmp", 57, 17, [](auto& p, auto& t, auto r) { menuButton(p, t, r, false); }},
        {"menu-hover.bmp", 57, 17, [](auto& p, auto& t, auto r) { menuButton(p, t, r, true); }},
        {"minimize-normal.bmp", 22, 17,
         [](auto& p, auto& t, auto r) { capButton(p, t, r, false, false); }},
        {"minimize-hover.bmp", 22, 17,
         [](auto& p, auto& t, auto r) { capButton(p, t, r, false, true); }},
        {"close-normal.bmp", 22, 17,
         [](auto& p, auto& t, auto r) { capButton(p, t, r, true, false); }},
        {"close-hover.bmp", 22, 17,
         [](auto& p, auto& t, auto r) { capButton(p, t, r, true, true); }},
        {"button.bmp", 71, 13, [](auto& p, auto& t, auto r) { bevel(p, t, r); }},
        {"button-focus.bmp", 71, 13,
         [](auto& p, auto& t, auto r) {
             bevel(p, t, r);
             p.setPen(t.accent);
             p.drawRect(r.adjusted(0, 0, -1, -1));
         }},
        {"top-left.bmp", 100, 19, topEdge},
        {"top.bmp", 246, 19, topEdge},
        {"top-right.bmp", 100, 19, topEdge},
        {"right.bmp", 11, 245, [](auto& p, auto& t, auto r) { frameStrip(p, t, r, false); }},
        {"left.bmp", 11, 245, [](auto& p, auto& t, auto r) { frameStrip(p, t, r, false); }},
        {"bottom-right.bmp", 100, 11, [](auto& p, auto& t, auto r) { frameStrip(p, t, r, true); }},
        {"bottom.bmp", 246, 11, [](auto& p, auto& t, auto r) { frameStrip(p, t, r, true); }},
        {"bottom-left.bmp", 100, 11, [](auto& p, auto& t, auto r) { frameStrip(p, t, r, true); }},
        {"logo.bmp", 73, 39, logo},
        {"vol-pic.bmp", 13, 11, volumePicture},
        {"plenkplayer.bmp", 169, 41, idlePicture},
        {"h-scrollbar-background.bmp", 49, 19,
         [](auto& p, auto& t, auto r) { scrollTrack(p, t, r, true); }},
        {"h-scrollbar-left.bmp", 11, 19,
         [](auto& p, auto& t, auto r) { arrowButton(p, t, r, -1, 0); }},
        {"h-scrollbar-right.bmp", 13, 19,
         [](auto& p, auto& t, auto r) { arrowButton(p, t, r, 1, 0); }},
        {"h-scrollbar-thumb.bmp", 20, 19, [](auto& p, auto& t, auto r) { thumb(p, t, r, false); }},
        {"h-scrollbar-thumb-focus.bmp", 20, 19,
         [](auto& p, auto& t, auto r) { thumb(p, t, r, true); }},
        {"v-scrollbar-background.bmp", 14, 8,
         [](auto& p, auto& t, auto r) { scrollTrack(p, t, r, false); }},
        {"v-scrollbar-up.bmp", 14, 7,
         [](auto& p, auto& t, auto r) { arrowButton(p, t, r, 0, -1); }},
        {"v-scrollbar-down.bmp", 14, 8,
         [](auto& p, auto& t, auto r) { arrowButton(p, t, r, 0, 1); }},
        {"v-scrollbar-thumb.bmp", 14, 14, [](auto& p, auto& t, auto r) { thumb(p, t, r, false); }},
        {"v-scrollbar-thumb-focus.bmp", 14, 14,
         [](auto& p, auto& t, auto r) { thumb(p, t, r, true); }},
        {"playlist-thumb.bmp", 17, 20, [](auto& p, auto& t, auto r) { thumb(p, t, r, false); }},
        {"playlist-thumb-focus.bmp", 17, 20,
         [](auto& p, auto& t, auto r) { thumb(p, t, r, true); }},
        {"controls-background.bmp", 66, 64, transportBackground},
    };
    for (int n = 1; n <= 6; ++n) {
        const QString stem = QStringLiteral("button%1").arg(n);
        all.push_back({stem + ".bmp", 41, 17,
                       [n](auto& p, auto& t, auto r) { toolButton(p, t, r, n, t.glyph, true); }});
        all.push_back({stem + "f.bmp", 41, 17,
                       [n](auto& p, auto& t, auto r) { toolButton(p, t, r, n, t.lit, true); }});
        if (n == 2 || n >= 4)
            all.push_back({stem + "b.bmp", 41, 17, [n](auto& p, auto& t, auto r) {
                               toolButton(p, t, r, n, t.dim, false);
                           }});
    }
    for (const TransportPlace& place : kTransport) {
        for (auto [suffix, look] : {std::pair{"-hover", Look::Hover}, {"-mousedown", Look::Down}}) {
            const Transport b = place.button;
            all.push_back({QString(place.file) + suffix + ".bmp", place.rect.width(),
                           place.rect.height(), [b, look](auto& p, auto& t, auto r) {
                               p.fillRect(r, t.panel);
                               transportButton(p, t, b, r, look);
                           }});
        }
    }
    return all;
}

bool writeSkin(const QString& skinsFolder, const Theme& t) {
    const QString folder = skinsFolder + "/" + t.name;
    if (!QDir().mkpath(folder)) return false;
    for (const Piece& piece : pieces()) {
        QImage img = canvas(piece.w, piece.h);
        {
            QPainter p(&img);
            piece.paint(p, t, QRectF(0, 0, piece.w, piece.h));
        }
        const bool jpeg = piece.file.endsWith(".jpg");
        const QImage out = img.convertToFormat(QImage::Format_RGB888);
        if (!out.save(folder + "/" + piece.file, jpeg ? "JPG" : "BMP", jpeg ? 95 : -1))
            return false;
    }
    QFile ini(folder + "/skin.ini");
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QTextStream(&ini) << t.lines.join("\r\n") << "\r\n";
    return true;
}

// A resource list of the Default skin's pictures, which the program carries
// as the pictures of its windows' design.
bool writeDesignList(const QString& skinsFolder, const QString& qrc) {
    QFile file(qrc);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QTextStream out(&file);
    out << "<RCC><qresource prefix=\"/design\">\n";
    for (const Piece& piece : pieces())
        out << "<file alias=\"" << piece.file << "\">" << skinsFolder << "/" << kDefault.name << "/"
            << piece.file << "</file>\n";
    out << "</qresource></RCC>\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make-skins <Skins folder> [design .qrc]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const Theme* t : {&kDefault, &kSilver}) {
        if (!writeSkin(folder, *t)) {
            std::fprintf(stderr, "make-skins: cannot write %s\n", t->name);
            return 1;
        }
    }
    if (argc == 3 &&
        !writeDesignList(QDir(folder).absolutePath(), QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "make-skins: cannot write the design list\n");
        return 1;
    }
    return 0;
}
