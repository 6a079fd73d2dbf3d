#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QThread>

#include "platform/ui/Form.h"
#include "platform/ui/HeldKeys.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MoveLoop.h"
#include "platform/ui/PopupMenuWidget.h"
#include "platform/ui/WidgetInput.h"

namespace ui {

namespace {

QMessageBox::StandardButtons buttonsFor(int style) {
    switch (style & 7) {
        case vbOKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case vbAbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case vbYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case vbYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case vbRetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconFor(int style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int resultOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return vbCancel;
        case QMessageBox::Abort:
            return vbAbort;
        case QMessageBox::Retry:
            return vbRetry;
        case QMessageBox::Ignore:
            return vbIgnore;
        case QMessageBox::Yes:
            return vbYes;
        case QMessageBox::No:
            return vbNo;
        default:
            return vbOK;
    }
}

int firstButton(int style) {
    const int first[] = {vbOK, vbOK, vbAbort, vbYes, vbYes, vbRetry};
    const int kind = style & 7;
    return kind < 6 ? first[kind] : vbOK;
}

// "Audio|*.mp3;*.wav|All|*.*" becomes "Audio (*.mp3 *.wav);;All (*)".
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ').replace("*.*", "*");
        out << QString("%1 (%2)").arg(parts[i], patterns);
    }
    return out.join(";;");
}

// Ends a modal loop when its window is hidden.
class HideWatcher : public QObject {
  public:
    explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) loop_.quit();
        return false;
    }

  private:
    QEventLoop& loop_;
};

// Takes the pointer's moves and the release from every widget while a move or
// size loop runs (the desktop's own loop delivers none to the program either),
// and ends the loop when its window goes.  It lets go of the input before the
// release is handed on, so a pop-up menu or modal window the button-up opens
// takes its own clicks; an event loop run from inside this one (a message box
// a timer or a step shows) keeps its input as well.
class MoveLoopFeeder : public QObject {
  public:
    explicit MoveLoopFeeder(MoveLoop& loop) : loop_(loop) {}

    void run() {
        level_ = QThread::currentThread()->loopLevel() + 1;
        qApp->installEventFilter(this);
        events_.exec();
        stop();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched == loop_.window().widget()) stop();
        if (!watched->isWidgetType() || QThread::currentThread()->loopLevel() != level_)
            return false;
        if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease)
            return false;
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint at = e->globalPosition().toPoint();
        if (event->type() == QEvent::MouseMove && e->buttons() != Qt::NoButton) {
            if (!loop_.step(at)) stop();
            return true;
        }
        // A move with no button held: the button came up in a window opened
        // from inside the loop, and the loop ends there as at a release.
        stop();
        loop_.release(at, shiftOf(e->modifiers()));
        return true;
    }

  private:
    void stop() {
        qApp->removeEventFilter(this);
        events_.quit();
    }

    MoveLoop& loop_;
    QEventLoop events_;
    int level_ = 0;
};

// A dialog belongs to the program's window that is active, as the system's
// own do: it stays above that window and has no task-bar button of its own.
QWidget* owner() {
    return QApplication::activeWindow();
}

}  // namespace

int QtDialogs::MsgBox(const QString& prompt, int buttons, const QString& title) {
    QMessageBox box(iconFor(buttons), title, prompt, buttonsFor(buttons), owner());
    const HeldKeys held(box);
    return resultOf(box.exec());
}

QStringList QtDialogs::openFiles(const OpenFileRequest& request) {
    if (request.multiSelect)
        return QFileDialog::getOpenFileNames(owner(), request.title, request.initialDir,
                                             qtFilter(request.filter));
    const QString file = QFileDialog::getOpenFileName(owner(), request.title, request.initialDir,
                                                      qtFilter(request.filter));
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString QtDialogs::pickFolder(const QString& title, const QString& initialFolder) {
    return QFileDialog::getExistingDirectory(owner(), title, initialFolder);
}

Menu* QtDialogs::popupMenu(Menu& menu, QPoint globalPos) {
    return PopupMenuWidget::exec(menu, globalPos);
}

void QtDialogs::runMoveLoop(MoveLoop& loop) {
    if (QGuiApplication::mouseButtons() == Qt::NoButton) {
        loop.release(loop.startPointer());
        return;
    }
    MoveLoopFeeder feeder(loop);
    feeder.run();
}

void QtDialogs::runModal(Form& form) {
    if (!form.widget()->isVisible()) return;
    QEventLoop loop;
    HideWatcher watcher(loop);
    form.widget()->installEventFilter(&watcher);
    loop.exec();
    form.widget()->removeEventFilter(&watcher);
}

int RecordingDialogs::MsgBox(const QString& prompt, int buttons, const QString& title) {
    shown.push_back({"MsgBox", prompt, title, buttons, {}});
    if (whileShown) whileShown(Shown(shown.back()));
    if (msgBoxAnswers.empty()) return firstButton(buttons);
    const int answer = msgBoxAnswers.front();
    msgBoxAnswers.pop_front();
    return answer;
}

QStringList RecordingDialogs::openFiles(const OpenFileRequest& request) {
    shown.push_back({"OpenFile", request.title, request.filter, 0, {}});
    if (fileAnswers.empty()) return {};
    QStringList answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString RecordingDialogs::pickFolder(const QString& title, const QString& initialFolder) {
    shown.push_back({"Folder", title, initialFolder, 0, {}});
    if (folderAnswers.empty()) return {};
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

namespace {

// As a user can: hidden items and disabled ones, or what lies under them,
// cannot be chosen.
Menu* findItem(Menu& menu, const QString& name) {
    for (Menu* item : menu.items()) {
        if (!item->Visible() || !item->Enabled()) continue;
        if (item->Name() == name && !item->hasVisibleItems()) return item;
        if (Menu* found = findItem(*item, name)) return found;
    }
    return nullptr;
}

}  // namespace

Menu* RecordingDialogs::popupMenu(Menu& menu, QPoint globalPos) {
    shown.push_back({"Menu", menu.Name(), {}, 0, globalPos});
    if (menuAnswers.empty()) return nullptr;
    const QString name = menuAnswers.front();
    menuAnswers.pop_front();
    return findItem(menu, name);
}

void RecordingDialogs::runModal(Form& form) {
    shown.push_back({"Modal", form.Name(), {}, 0, {}});
    if (whileShown) whileShown(Shown(shown.back()));
}

void RecordingDialogs::runMoveLoop(MoveLoop& loop) {
    shown.push_back({"MoveLoop", loop.window().Name(), {}, 0, {}});
    std::vector<QPoint> path;
    if (!pointerPaths.empty()) {
        path = std::move(pointerPaths.front());
        pointerPaths.pop_front();
    }
    for (const QPoint& p : path)
        if (!loop.step(p)) return;
    loop.release(path.empty() ? loop.startPointer() : path.back());
}

int RecordingDialogs::count(const QString& kind) const {
    int n = 0;
    for (const Shown& s : shown)
        n += s.kind == kind;
    return n;
}

}  // namespace ui
