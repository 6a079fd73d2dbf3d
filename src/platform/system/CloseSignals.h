#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace sys {

// Closes the program cleanly on SIGTERM, SIGHUP and SIGINT (the desktop's
// shutdown, a closed terminal, Ctrl+C), each unless the program was started
// with it ignored (nohup).  The signal handler only writes to a
// pipe; the close runs on the event loop, after whatever handler (a save,
// say) is under way, and only once however many signals follow.  One
// instance at a time.
class CloseSignals : public QObject {
  public:
    // Holds the three signals back, from the start of the process until a
    // CloseSignals listens: one sent during start-up waits for the close
    // instead of ending the program with nothing saved.
    static void hold();

    // Takes the signals from now on, or, with listening false, keeps them
    // held until listen().
    explicit CloseSignals(std::function<void()> close, bool listening = true);
    // Lets held signals through: from now on they close the program, also
    // from the event loop of a message box or modal window.
    void listen();
    // Gives the signals it took their default actions back.
    ~CloseSignals() override;

  private:
    void received();

    std::function<void()> close_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool closing_ = false;
};

}  // namespace sys
