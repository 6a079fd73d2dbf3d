#pragma once

#include <memory>

class PlenkApp;

// The controller every window drives playback through.  It keeps almost no
// state: each holder (the main window, the shortcuts, the rankings, the
// content filter, the options window...) creates its own instance.  The
// playback operations are virtual so tests can watch the calls a holder makes.
class ClsMain {
  public:
    explicit ClsMain(PlenkApp& app);
    virtual ~ClsMain();
    ClsMain(const ClsMain&) = delete;
    ClsMain& operator=(const ClsMain&) = delete;

    // Starts the selected playlist entry, or the file named in the main window.
    virtual void Play();
    // Stops whatever plays.
    virtual void SStop();
    // The one way out of the program: saves everything, then ends the process.
    virtual void ClosePlenk();

    // Shows the MPEG information of the file Mp3InfoMod names in the main
    // window's and the library's information labels.
    void GetMP3Inf();

  private:
    PlenkApp& app_;
};

// A holder's own controller, created on first use; tests hand one in to
// watch the calls it gets.
class ControllerSlot {
  public:
    explicit ControllerSlot(PlenkApp& app) : app_(app) {}

    ClsMain& get();
    void set(std::unique_ptr<ClsMain> controller) { controller_ = std::move(controller); }

  private:
    PlenkApp& app_;
    std::unique_ptr<ClsMain> controller_;
};
