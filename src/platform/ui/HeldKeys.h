#pragma once

#include <QObject>
#include <bitset>

class QMessageBox;

namespace ui {

// Keeps the keys that are down when a message box takes the keyboard from
// answering it.  A key held since before the box (or one whose release the
// desktop lost) repeats into whatever window has the keyboard, and would
// choose a button nobody saw, over and over; held Alt+F4 repeats as the
// desktop's close.  Such a key answers again once it has been let go.  The
// keys are read from the X server; elsewhere none counts as held.
class HeldKeys : public QObject {
  public:
    explicit HeldKeys(QMessageBox& box);
    ~HeldKeys() override;
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Forgets the held keys that are up by now; true when one is still down.
    bool stillHeld();

    QMessageBox& box_;
    std::bitset<256> held_;
};

}  // namespace ui
