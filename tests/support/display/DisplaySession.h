#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "support/TempDir.h"

namespace displaytest {

// An X server of the test's own: Xvfb on a display number it picks itself
// (so tests may run side by side), stopped when the object goes.
class XServer {
  public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N", or empty when the server did not start.
    const QString& display() const { return display_; }
    // Ends the server now, as a logout or a kill does to every client's connection.
    void stop();

  private:
    QProcess process_;
    QString display_;
};

// How long a test waits for one step's effect: many times what it takes on
// a loaded machine, so that only a step that never comes fails.
inline constexpr int kWaitMs = 30000;

// Polls until done() holds or timeoutMs pass; true when it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs, int pollMs = 20);

// Whether more than half the area's pixels are near white, as a menu's are.
bool mostlyLight(const QImage& shot, const QRect& area);

// One run of the real player on its own X server, in a temporary copy of the
// built program folder, driven with xdotool and looked at with xwininfo,
// screenshots and the program's test-only text query.
class PlayerSession {
  public:
    PlayerSession();
    ~PlayerSession();
    PlayerSession(const PlayerSession&) = delete;
    PlayerSession& operator=(const PlayerSession&) = delete;

    // The program folder: write settings and data files here before start().
    testsupport::TempDir& program() { return program_; }
    // The player's home: its per-user settings and desktop files.
    const testsupport::TempDir& home() const { return home_; }
    // Replaces lines of the program's settings.ini (counted from 0).
    void editSettings(const std::vector<std::pair<int, QByteArray>>& lines);
    const QString& display() const { return server_.display(); }
    // The X server goes away under the running program.
    void stopServer() { server_.stop(); }

    // A window manager (openbox) on the display, for what only one does:
    // minimizing and restoring.  Call before start().
    void startWindowManager();
    void start(const QStringList& arguments = {});
    // Waits for the program to end by itself; true when it did in time.
    bool waitForExit(int timeoutMs);
    QString output();
    // Stops the program until resume(): the desktop queues its input meanwhile,
    // as for a program late to handle it on a busy machine.
    void pause();
    void resume();

    // The id of the first viewable window whose title is exactly title, or
    // empty when none shows within timeoutMs.
    QString waitForWindow(const QString& title, int timeoutMs = kWaitMs);
    // The ids of every viewable window whose title is exactly title, now.
    QStringList windows(const QString& title);
    // The window's place and size on the screen, in pixels.
    QRect geometry(const QString& windowId);
    // Whether the window is mapped and shown (not minimized, not hidden).
    bool viewable(const QString& windowId);
    // Waits until exactly count of the program's pop-up menus show (its
    // windows the desktop does not manage, tool tips aside).
    bool waitForMenus(int count, int timeoutMs = kWaitMs);

    // Another program on the session's display (a tray panel), ended with the session.
    void startHelper(const QString& program, const QStringList& arguments);
    // A tray panel (trayer) along the bottom right of the screen, 120 x 24
    // pixels; returns once it holds the tray, so a player started next finds it.
    void startTrayPanel();
    // The player's tray icon: its window that a tray panel along the bottom
    // of the screen holds, once it shows; empty when none does within timeoutMs.
    QRect waitForTrayIcon(int timeoutMs = kWaitMs);
    // The window's property as xprop prints it, or empty.
    QString property(const QString& windowId, const QString& name);

    // Runs xdotool with these arguments on the session's display.
    void xdotool(const QStringList& arguments);
    // Always a single click: one near the last comes after Qt's double-click time.
    void click(int x, int y);
    // The same with this button, once the pointer rests on the point and the
    // player has answered a query: the press reaches it after the move, when
    // it is no longer busy (for hover lights).
    void clickAfterHover(QPoint at, int button);
    // Two clicks 80 ms apart, after the same rest on the point; apart from the
    // last click too.
    void doubleClick(QPoint at, int button = 1);
    // A click at a point of a window (from its top left corner) sent from
    // this process through the X server's test extension: no tool to start,
    // so it reaches the server at once (for tests that time the answer).
    void clickAtOnce(const QString& windowId, QPoint at);
    // A press with the left button, a move in steps and the release, each
    // step once the player has answered a query after the one before.
    void drag(QPoint from, QPoint to, int steps = 5);
    // Gives the window the keyboard, as a click on its title bar would.
    void focus(const QString& windowId);
    void key(const QString& keysym);
    // These keys one after another: the player takes them in the order they
    // come, however late.
    void keys(const QStringList& keysyms);
    // Asks the window to close, as a window manager's close button does.
    void close(const QString& windowId);
    // The id of a message box (a window titled title other than owner), or
    // empty when none shows within timeoutMs.
    QString waitForBox(const QString& title, const QString& owner, int timeoutMs = kWaitMs);
    // Waits for a message box and answers it with its button; false when
    // none showed or it stayed.
    bool dismissMessage(const QString& title, const QString& owner, int timeoutMs);

    // The whole screen now, also kept as display-shots/<test>/stepN.png.
    QImage screenshot();
    // Screenshots until shown() holds of one (a window paints a moment after
    // it appears) or timeoutMs pass; the last one is kept as the step.
    QImage screenshotWhen(const std::function<bool(const QImage&)>& shown, int timeoutMs = kWaitMs);
    // The texts of every label and text box of the loaded windows, by
    // "Form.Control" or "Form.Control(index)".
    // pollMs: how often to look for the answer (for tests that time it).
    QMap<QString, QString> texts(int pollMs = 20);
    // The first rows of a list ("Form.Control"), as the text query gives them.
    QStringList rows(const QString& list);
    // Whether the screen shows the list's rows area ("Form.Control") as the
    // list draws it now, where no other control covers it, and the list
    // draws its rows from its top row down; screenshots until it does or
    // timeoutMs pass.
    bool showsItsRows(const QString& list, int timeoutMs = kWaitMs);
    // The list's selected row, as the text query gives it (-1 for none).
    int listIndex(const QString& list);
    // The list's top row, as the text query gives it (-1 for no such list).
    int topIndex(const QString& list);
    // Waits until the main window says "Playing" with this title; true when
    // it did within timeoutMs.
    bool waitForPlaying(const QString& title, int timeoutMs = kWaitMs);
    // Waits until the main window says "Stopped", or the blank that the next
    // one-second tick copies over it from the closed medium.
    bool waitForStopped(int timeoutMs = kWaitMs);

  private:
    // The texts, the request also naming lists to draw (see ui::TextQuery).
    QMap<QString, QString> query(const QStringList& lists, int pollMs);
    // The tray icon now, or empty.
    QRect trayIconNow();
    // Whether the shot shows the list's rows as the list draws them now.
    bool showsRowsNow(const QString& list, const QImage& shot);
    QString run(const QString& program, const QStringList& arguments);
    void clickApart(QPoint at, const QStringList& arguments);
    // The X server's clock now, in milliseconds.
    quint32 serverTime();
    // Moves the pointer there and waits until the player answers a query;
    // input sent next reaches it after the move.
    void restOn(QPoint at);

    XServer server_;
    QProcess windowManager_;
    std::vector<std::unique_ptr<QProcess>> helpers_;
    testsupport::TempDir program_;
    testsupport::TempDir home_;
    QProcess player_;
    QString shots_;
    int step_ = 0;
    int queries_ = 0;
    quint32 clickTime_ = 0;  // the X server's time after the last click
    QPoint lastClick_;
};

// A playing position that moves on by perSecond each second, read once a
// clock has started.  Playing cannot outrun the clock, so a position more
// than a margin past all that playing could have added since is a seek's,
// however late it comes on a busy machine.
class PlayingPosition {
  public:
    PlayingPosition(std::function<int()> read, int perSecond);
    int start() const { return start_; }
    // The position as last read.
    int last() const { return last_; }
    // Waits until the position reaches least and stands more than margin
    // past where playing alone could have taken it; true when it did within
    // timeoutMs.
    bool waitForJump(int least, int margin, int timeoutMs = kWaitMs);

  private:
    std::function<int()> read_;
    int perSecond_;
    QElapsedTimer clock_;
    int start_ = 0;
    int last_ = 0;
};

// A click on the list's first row at firstRow, Page Down twice, then End to
// its last row: the screen shows the rows the list holds after the second
// Page Down and after End.
void pageDownTwiceThenEnd(PlayerSession& s, const QString& list, QPoint firstRow, int lastRow);

}  // namespace displaytest
