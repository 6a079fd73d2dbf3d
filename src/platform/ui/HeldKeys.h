#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <bitset>
#include <cstdint>

class QMessageBox;

namespace ui {

// Keeps the keys that are down when a message box takes the keyboard from
// answering it.  A key held since before the box (or one whose release the
// desktop lost) repeats into whatever window has the keyboard, and would
// choose a button nobody saw, over and over; held Alt+F4 repeats as the
// desktop's close.  Such a key answers again once it has been let go.  The
// keys are read from the X server; elsewhere none counts as held.
class HeldKeys : public QObject, public QAbstractNativeEventFilter {
  public:
    explicit HeldKeys(QMessageBox& box);
    ~HeldKeys() override;
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A held key found up is let go only once the events the X server sent
    // before it said so are past: a busy box still has the key's repeats
    // waiting.  A marker sent to the box comes behind them.
    void letGoOfReleased();

    QMessageBox& box_;
    std::bitset<256> held_;
    std::bitset<256> leaving_;  // found up; their marker is on its way
    std::uint32_t marker_ = 0;  // the marker's atom, once needed
    std::uint32_t window_ = 0;  // the box's window, where it goes
};

}  // namespace ui
