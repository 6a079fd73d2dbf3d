#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace ui {

class Form;
class Menu;
class MoveLoop;

enum MsgBoxStyle {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxResult {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

struct OpenFileRequest {
    QString title;
    // Pairs of description and pattern list, as "Audio|*.mp3;*.wav|All files|*.*".
    QString filter;
    QString initialDir;
    bool multiSelect = false;
};

// The one seam through which message boxes, file and folder dialogs, pop-up
// menus and modal windows pass.  Live it shows Qt dialogs; in tests it records
// what was shown and gives scripted answers, so a test never blocks.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual int MsgBox(const QString& prompt, int buttons, const QString& title) = 0;
    // The chosen paths; empty when cancelled.
    virtual QStringList openFiles(const OpenFileRequest& request) = 0;
    // The chosen folder, or the empty text when cancelled.
    virtual QString pickFolder(const QString& title, const QString& initialFolder) = 0;
    // The chosen leaf item, or nullptr when the menu was dismissed.
    virtual Menu* popupMenu(Menu& menu, QPoint globalPos) = 0;
    // Runs a window modally: returns when it is hidden or unloaded.
    virtual void runModal(Form& form) = 0;
    // Feeds a begun move or size loop the pointer until the button is released
    // or the window goes.  The loop lets go of the input before it hands the
    // release on: a menu or modal window the button-up opens takes input of
    // its own, as does an event loop run from inside the loop.
    virtual void runMoveLoop(MoveLoop& loop) = 0;
};

// Qt's dialogs.  A message box takes no answer from a key that was already
// down when it showed (see HeldKeys).
class QtDialogs : public Dialogs {
  public:
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QStringList openFiles(const OpenFileRequest& request) override;
    QString pickFolder(const QString& title, const QString& initialFolder) override;
    Menu* popupMenu(Menu& menu, QPoint globalPos) override;
    void runModal(Form& form) override;
    void runMoveLoop(MoveLoop& loop) override;
};

// Records every dialog and answers from scripts.  Unscripted message boxes
// answer their first button (OK, Abort, Yes or Retry); unscripted file, folder
// and menu dialogs are cancelled.
class RecordingDialogs : public Dialogs {
  public:
    struct Shown {
        QString kind;  // "MsgBox", "OpenFile", "Folder", "Menu", "Modal", "MoveLoop"
        QString text;  // prompt, dialog title, menu or window name
        QString title;
        int buttons = 0;
        QPoint at;  // a pop-up menu's point, in screen pixels
    };

    std::vector<Shown> shown;
    std::deque<int> msgBoxAnswers;
    std::deque<QStringList> fileAnswers;
    std::deque<QString> folderAnswers;
    // Names of the menu items to choose, in order.
    std::deque<QString> menuAnswers;
    // Runs while a message box or modal window is up, as the user takes
    // their time (a test moves the clock on here).
    std::function<void(Shown)> whileShown;
    // One pointer path (screen pixels) per move or size loop: a step to each
    // point, then the release at the last; without a path the button comes
    // up where it went down.
    std::deque<std::vector<QPoint>> pointerPaths;

    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QStringList openFiles(const OpenFileRequest& request) override;
    QString pickFolder(const QString& title, const QString& initialFolder) override;
    Menu* popupMenu(Menu& menu, QPoint globalPos) override;
    void runModal(Form& form) override;
    void runMoveLoop(MoveLoop& loop) override;

    int count(const QString& kind) const;
};

}  // namespace ui
