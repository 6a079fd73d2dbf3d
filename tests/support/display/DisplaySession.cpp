#include "support/display/DisplaySession.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

// Xlib last: its macros clash with Qt names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace displaytest {

namespace {

constexpr int kToolTimeoutMs = 60000;
constexpr int kPollMs = 20;

// The built program folder, copied so that a test never writes into the build;
// the program file itself, which nothing writes, is linked where the file
// system allows it.
void copyProgramFolder(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        std::error_code linked;
        if (it.fileName() == "plenk-player")
            std::filesystem::create_hard_link(source.toStdString(), target.toStdString(), linked);
        if (it.fileName() != "plenk-player" || linked) QFile::copy(source, target);
    }
}

QString currentTestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info) return "unnamed";
    return QString("%1.%2").arg(info->test_suite_name(), info->name());
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, int timeoutMs, int pollMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(pollMs);
    }
    return true;
}

bool mostlyLight(const QImage& shot, const QRect& area) {
    int lightPixels = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            lightPixels += qGray(shot.pixel(x, y)) > 200;
    return lightPixels * 2 > area.width() * area.height();
}

XServer::XServer() {
    // -displayfd makes the server choose a free display number and tell it.
    process_.start(
        "Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
    if (!process_.waitForStarted(kToolTimeoutMs)) return;
    QByteArray said;
    waitUntil(
        [&] {
            process_.waitForReadyRead(kPollMs);
            said += process_.readAllStandardOutput();
            return said.contains('\n') || process_.state() == QProcess::NotRunning;
        },
        kToolTimeoutMs);
    const QByteArray number = said.trimmed();
    if (!number.isEmpty()) display_ = ":" + QString::fromLatin1(number);
}

XServer::~XServer() {
    stop();
}

void XServer::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(kToolTimeoutMs)) process_.kill();
    process_.waitForFinished(kToolTimeoutMs);
}

PlayerSession::PlayerSession() : shots_(QString(PLENK_DISPLAY_SHOTS) + "/" + currentTestName()) {
    copyProgramFolder(PLENK_PROGRAM_DIR, program_.path());
    QDir(shots_).removeRecursively();
    QDir().mkpath(shots_);
}

PlayerSession::~PlayerSession() {
    std::vector<QProcess*> processes{&player_, &windowManager_};
    for (auto& helper : helpers_)
        processes.push_back(helper.get());
    for (QProcess* p : processes) {
        if (p->state() == QProcess::NotRunning) continue;
        p->kill();
        p->waitForFinished(kToolTimeoutMs);
    }
}

void PlayerSession::editSettings(const std::vector<std::pair<int, QByteArray>>& lines) {
    QFile file(program_.file("settings.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> all = file.readAll().split('\n');
    file.close();
    for (const auto& [line, value] : lines) {
        ASSERT_LT(line, all.size());
        all[line] = value;
    }
    program_.write("settings.ini", all.join('\n'));
}

void PlayerSession::startWindowManager() {
    ASSERT_FALSE(display().isEmpty()) << "Xvfb did not start";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display());
    env.insert("HOME", home_.path());
    env.insert("XDG_CONFIG_HOME", home_.file("config"));
    windowManager_.setProcessEnvironment(env);
    windowManager_.start("openbox", {"--sm-disable"});
    ASSERT_TRUE(windowManager_.waitForStarted(kToolTimeoutMs)) << "openbox did not start";
    // The manager owns the screen once it has taken the root window's selection.
    ASSERT_TRUE(waitUntil(
        [&] {
            return !run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("not found");
        },
        kToolTimeoutMs));
}

void PlayerSession::start(const QStringList& arguments) {
    ASSERT_FALSE(display().isEmpty()) << "Xvfb did not start";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display());
    env.insert("QT_QPA_PLATFORM", "xcb");
    // Settings, registry and desktop files of the run stay in the test's folders.
    env.insert("HOME", home_.path());
    env.insert("XDG_CONFIG_HOME", home_.file("config"));
    env.insert("XDG_DATA_HOME", home_.file("data"));
    env.insert("XDG_RUNTIME_DIR", home_.path());
    env.insert("PLENK_TEST_QUERY", home_.file("query"));
    player_.setProcessEnvironment(env);
    player_.setProcessChannelMode(QProcess::MergedChannels);
    player_.setWorkingDirectory(program_.path());
    player_.start(program_.file("plenk-player"), arguments);
    ASSERT_TRUE(player_.waitForStarted(kToolTimeoutMs)) << player_.errorString().toStdString();
}

bool PlayerSession::waitForExit(int timeoutMs) {
    return player_.state() == QProcess::NotRunning || player_.waitForFinished(timeoutMs);
}

void PlayerSession::pause() {
    if (player_.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(player_.processId()), SIGSTOP);
}

void PlayerSession::resume() {
    if (player_.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(player_.processId()), SIGCONT);
}

QString PlayerSession::output() {
    return QString::fromLocal8Bit(player_.readAll());
}

QString PlayerSession::run(const QString& program, const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display());
    tool.setProcessEnvironment(env);
    tool.start(program, arguments);
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        ADD_FAILURE() << program.toStdString()
                      << " did not finish: " << arguments.join(" ").toStdString();
    }
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

QStringList PlayerSession::windows(const QString& title) {
    // xdotool takes POSIX extended expressions, which have no "\-" and the like.
    QString pattern = "^";
    for (const QChar c : title)
        pattern += (QStringView(u"\\.[]()*+?{}|^$").contains(c) ? "\\" : "") + QString(c);
    pattern += "$";
    return run("xdotool", {"search", "--onlyvisible", "--name", pattern})
        .split('\n', Qt::SkipEmptyParts);
}

QString PlayerSession::waitForWindow(const QString& title, int timeoutMs) {
    QString id;
    waitUntil(
        [&] {
            id = windows(title).value(0).trimmed();
            return !id.isEmpty() || player_.state() == QProcess::NotRunning;
        },
        timeoutMs);
    return id;
}

QRect PlayerSession::geometry(const QString& windowId) {
    // xwininfo without an id waits for a click on a window.
    if (windowId.isEmpty()) return {};
    const QString info = run("xwininfo", {"-id", windowId});
    auto field = [&](const char* name) {
        const QRegularExpression re(QString("%1:\\s+(-?\\d+)").arg(name));
        return re.match(info).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                 field("Height"));
}

void PlayerSession::startHelper(const QString& program, const QStringList& arguments) {
    auto helper = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display());
    env.insert("HOME", home_.path());
    helper->setProcessEnvironment(env);
    helper->setStandardErrorFile(QProcess::nullDevice());
    helper->setStandardOutputFile(QProcess::nullDevice());
    helper->start(program, arguments);
    ASSERT_TRUE(helper->waitForStarted(kToolTimeoutMs)) << program.toStdString();
    helpers_.push_back(std::move(helper));
}

void PlayerSession::startTrayPanel() {
    startHelper("trayer",
                {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                 "--heighttype", "pixel", "--height", "24", "--transparent", "false"});
    Display* x = XOpenDisplay(display().toLocal8Bit().constData());
    ASSERT_NE(x, nullptr);
    const Atom tray = XInternAtom(x, "_NET_SYSTEM_TRAY_S0", False);
    const bool held = waitUntil([&] { return XGetSelectionOwner(x, tray) != None; }, kWaitMs);
    XCloseDisplay(x);
    ASSERT_TRUE(held) << "the tray panel took no tray";
}

QRect PlayerSession::waitForTrayIcon(int timeoutMs) {
    QRect icon;
    waitUntil([&] { return !(icon = trayIconNow()).isEmpty(); }, timeoutMs);
    return icon;
}

QRect PlayerSession::trayIconNow() {
    for (const QString& id : run("xdotool", {"search", "--classname", "plenk-player"})
                                 .split('\n', Qt::SkipEmptyParts)) {
        const QRect at = geometry(id);
        if (at.top() >= 700 && at.width() > 0 && at.width() <= 64) return at;
    }
    return {};
}

bool PlayerSession::viewable(const QString& windowId) {
    return !windowId.isEmpty() &&
           run("xwininfo", {"-id", windowId}).contains("Map State: IsViewable");
}

bool PlayerSession::waitForMenus(int count, int timeoutMs) {
    // The tray icon is unmanaged too, but sits in the tray, not on the screen.
    static const QRegularExpression onTheScreen(
        "Parent window id: 0x[0-9a-f]+ \\(the root window\\)");
    const auto isMenu = [&](const QString& id) {
        const QString info = run("xwininfo", {"-id", id, "-tree", "-stats"});
        return info.contains("Override Redirect State: yes") && info.contains(onTheScreen) &&
               !property(id, "_NET_WM_WINDOW_TYPE").contains("TOOLTIP");
    };
    return waitUntil(
        [&] {
            const QStringList shown =
                run("xdotool", {"search", "--onlyvisible", "--class", "^plenk-player$"})
                    .split('\n', Qt::SkipEmptyParts);
            return std::count_if(shown.begin(), shown.end(), isMenu) == count;
        },
        timeoutMs);
}

QString PlayerSession::property(const QString& windowId, const QString& name) {
    return run("xprop", {"-id", windowId, name}).trimmed();
}

void PlayerSession::xdotool(const QStringList& arguments) {
    run("xdotool", arguments);
}

// A move away between two presses can reach a busy player folded into the
// move back, so only time keeps a press from joining the last click there:
// the toolkit's time, the X server's stamps on the presses.
void PlayerSession::clickApart(QPoint at, const QStringList& arguments) {
    constexpr quint32 kDoubleClickMs = 500;
    constexpr int kNear = 10;
    if (clickTime_ && (at - lastClick_).manhattanLength() <= kNear)
        waitUntil([&] { return serverTime() - clickTime_ >= kDoubleClickMs; }, kWaitMs);
    xdotool(arguments);
    clickTime_ = serverTime();
    lastClick_ = at;
}

// The stamp of a property change on a window of our own; 0 without a server.
quint32 PlayerSession::serverTime() {
    Display* x = XOpenDisplay(display().toLocal8Bit().constData());
    if (!x) return 0;
    const Window window = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(x, window, PropertyChangeMask);
    XChangeProperty(x, window, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(x, window, PropertyChangeMask, &event);
    XDestroyWindow(x, window);
    XCloseDisplay(x);
    return static_cast<quint32>(event.xproperty.time);
}

// A --sync move waits for the pointer to move, so it must not start where it ends.
void PlayerSession::click(int x, int y) {
    xdotool({"mousemove", QString::number(x + 1), QString::number(y)});
    clickApart({x, y},
               {"mousemove", "--sync", QString::number(x), QString::number(y), "click", "1"});
}

// A query's answer shows the player free of what kept it busy (starting, a
// loaded machine), not that it has read the move: the input sent next
// reaches it after the move all the same, as the server keeps input in order.
void PlayerSession::restOn(QPoint at) {
    xdotool({"mousemove", QString::number(at.x() + 1), QString::number(at.y())});
    xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    texts();
}

void PlayerSession::clickAfterHover(QPoint at, int button) {
    restOn(at);
    clickApart(at, {"click", QString::number(button)});
}

void PlayerSession::doubleClick(QPoint at, int button) {
    restOn(at);
    clickApart(at, {"click", "--repeat", "2", "--delay", "80", QString::number(button)});
}

void PlayerSession::clickAtOnce(const QString& windowId, QPoint at) {
    Display* x = XOpenDisplay(display().toLocal8Bit().constData());
    ASSERT_NE(x, nullptr);
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(x, windowId.toULong(), DefaultRootWindow(x), at.x(), at.y(), &rootX,
                          &rootY, &child);
    XTestFakeMotionEvent(x, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(x, Button1, True, CurrentTime);
    XTestFakeButtonEvent(x, Button1, False, CurrentTime);
    XCloseDisplay(x);
}

// A player still busy (starting, on a loaded machine) would take the drag's
// queued moves as one and see no drag: each step waits until it answers a
// query, free again.  The answer does not prove it has read the step before;
// the server hands it that step before the next one all the same.
void PlayerSession::drag(QPoint from, QPoint to, int steps) {
    restOn(from);
    xdotool({"mousedown", "1"});
    texts();
    QPoint last = from;
    for (int i = 1; i <= steps; ++i) {
        const QPoint at = from + (to - from) * i / steps;
        if (at == std::exchange(last, at)) continue;
        xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
        texts();
    }
    xdotool({"mouseup", "1"});
}

void PlayerSession::focus(const QString& windowId) {
    xdotool({"windowfocus", "--sync", windowId});
}

QString PlayerSession::waitForBox(const QString& title, const QString& owner, int timeoutMs) {
    QString box;
    waitUntil(
        [&] {
            for (const QString& id : windows(title))
                if (id != owner) box = id;
            return !box.isEmpty();
        },
        timeoutMs);
    return box;
}

bool PlayerSession::dismissMessage(const QString& title, const QString& owner, int timeoutMs) {
    const QString box = waitForBox(title, owner, timeoutMs);
    if (box.isEmpty()) return false;
    screenshot();
    focus(box);
    key("Return");
    return waitUntil([&] { return !viewable(box); }, kWaitMs);
}

// What a window manager's close button does: ask the window to close.
void PlayerSession::close(const QString& windowId) {
    Display* x = XOpenDisplay(display().toLocal8Bit().constData());
    ASSERT_NE(x, nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = windowId.toULong();
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(x);
}

void PlayerSession::key(const QString& keysym) {
    xdotool({"key", keysym});
}

void PlayerSession::keys(const QStringList& keysyms) {
    xdotool(QStringList{"key"} + keysyms);
}

QImage PlayerSession::screenshot() {
    return screenshotWhen([](const QImage&) { return true; }, 0);
}

QImage PlayerSession::screenshotWhen(const std::function<bool(const QImage&)>& shown,
                                     int timeoutMs) {
    const QString file = QString("%1/step%2.png").arg(shots_).arg(++step_);
    QImage image;
    waitUntil(
        [&] {
            run("import", {"-display", display(), "-window", "root", file});
            image.load(file);
            return !image.isNull() && shown(image);
        },
        timeoutMs);
    EXPECT_FALSE(image.isNull()) << "no screenshot at " << file.toStdString();
    return image;
}

QMap<QString, QString> PlayerSession::texts(int pollMs) {
    return query({}, pollMs);
}

QMap<QString, QString> PlayerSession::query(const QStringList& lists, int pollMs) {
    const QString folder = home_.file("query");
    const QByteArray token = QByteArray::number(++queries_);
    QDir().mkpath(folder);
    QSaveFile request(folder + "/request");
    if (request.open(QIODevice::WriteOnly)) {
        request.write(token);
        for (const QString& list : lists)
            request.write("\n" + list.toUtf8());
        request.commit();
    }
    QMap<QString, QString> texts;
    const bool answered = waitUntil(
        [&] {
            QFile answer(folder + "/texts.txt");
            if (!answer.open(QIODevice::ReadOnly)) return false;
            const QList<QByteArray> lines = answer.readAll().split('\n');
            if (lines.value(0) != token) return false;
            for (const QByteArray& line : lines.mid(1)) {
                const qsizetype eq = line.indexOf('=');
                if (eq > 0)
                    texts.insert(QString::fromUtf8(line.left(eq)),
                                 QString::fromUtf8(line.mid(eq + 1)));
            }
            return true;
        },
        kWaitMs, pollMs);
    EXPECT_TRUE(answered) << "the program did not answer the text query";
    return texts;
}

QStringList PlayerSession::rows(const QString& list) {
    const QMap<QString, QString> all = texts();
    QStringList rows;
    for (int i = 0; all.contains(QString("%1[%2]").arg(list).arg(i)); ++i)
        rows << all.value(QString("%1[%2]").arg(list).arg(i));
    return rows;
}

bool PlayerSession::showsItsRows(const QString& list, int timeoutMs) {
    bool shown = false;
    screenshotWhen([&](const QImage& shot) { return shown = showsRowsNow(list, shot); }, timeoutMs);
    return shown;
}

// The screen matching the list's drawing proves what the view draws; the
// view's first row, that the view draws the list's rows from its top row.
bool PlayerSession::showsRowsNow(const QString& list, const QImage& shot) {
    const QMap<QString, QString> answer = query({list}, kPollMs);
    const QStringList origin = answer.value(list + ".Origin").split(',');
    const QImage drawn(home_.file("query/" + list + ".png"));
    if (origin.size() != 2 || drawn.isNull()) return false;
    if (answer.value(list + ".FirstShown") != answer.value(list + ".TopIndex")) return false;
    const QPoint at(origin[0].toInt(), origin[1].toInt());
    if (!shot.rect().contains(QRect(at, drawn.size()))) return false;
    // A gradient drawn again may round a level differently; another row
    // differs by far more.
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
               std::abs(qBlue(a) - qBlue(b)) <= 2;
    };
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb want = drawn.pixel(x, y);
            if (qAlpha(want) == 255 && !near(shot.pixel(at + QPoint(x, y)), want)) return false;
        }
    return true;
}

int PlayerSession::listIndex(const QString& list) {
    return texts().value(list + ".ListIndex", "-1").toInt();
}

int PlayerSession::topIndex(const QString& list) {
    return texts().value(list + ".TopIndex", "-1").toInt();
}

bool PlayerSession::waitForPlaying(const QString& title, int timeoutMs) {
    return waitUntil(
        [&] {
            const auto t = texts();
            return t.value("Main.StarePlayer") == "Playing" &&
                   t.value("Main.PiesaCurenta") == title;
        },
        timeoutMs);
}

bool PlayerSession::waitForStopped(int timeoutMs) {
    return waitUntil(
        [&] {
            const QString state = texts().value("Main.StarePlayer");
            return state == "Stopped" || state.isEmpty();
        },
        timeoutMs);
}

PlayingPosition::PlayingPosition(std::function<int()> read, int perSecond)
    : read_(std::move(read)), perSecond_(perSecond) {
    clock_.start();
    start_ = last_ = read_();
}

// Read before the clock, the position is compared with the most playing could
// have added by then, a started second counted whole.
bool PlayingPosition::waitForJump(int least, int margin, int timeoutMs) {
    return waitUntil(
        [&] {
            last_ = read_();
            const qint64 played = perSecond_ * ((clock_.elapsed() + 999) / 1000);
            return last_ >= least && last_ > start_ + played + margin;
        },
        timeoutMs);
}

void pageDownTwiceThenEnd(PlayerSession& s, const QString& list, QPoint firstRow, int lastRow) {
    s.click(firstRow.x(), firstRow.y());
    ASSERT_TRUE(waitUntil([&] { return s.listIndex(list) == 0; }, kWaitMs));
    s.key("Next");
    ASSERT_TRUE(waitUntil([&] { return s.listIndex(list) > 0; }, kWaitMs));
    const int page = s.listIndex(list);
    s.key("Next");
    ASSERT_TRUE(waitUntil([&] { return s.listIndex(list) == 2 * page; }, kWaitMs));
    EXPECT_TRUE(s.showsItsRows(list)) << "after Page Down";
    s.key("End");
    ASSERT_TRUE(waitUntil([&] { return s.listIndex(list) == lastRow; }, kWaitMs));
    EXPECT_TRUE(s.showsItsRows(list)) << "after End";
}

}  // namespace displaytest
