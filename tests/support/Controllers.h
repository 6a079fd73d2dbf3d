#pragma once

#include <QStringList>

#include "app/PlenkApp.h"
#include "core/ClsMain.h"

namespace testsupport {

// A controller that only writes down the playback calls it gets; its close
// ends the process without the saving steps.
class RecordingMain : public ClsMain {
  public:
    RecordingMain(PlenkApp& app, QStringList& log) : ClsMain(app), app_(app), log_(log) {}
    void Play() override { log_ << "Play"; }
    void Pause() override { log_ << "Pause"; }
    void SStop() override { log_ << "SStop"; }
    void PlayNext() override { log_ << "PlayNext"; }
    void PlayPrevious() override { log_ << "PlayPrevious"; }
    void ChangeVolume() override { log_ << "ChangeVolume"; }
    void SliderMultimediaChange() override { log_ << "SliderMultimediaChange"; }
    void ClosePlenk() override {
        log_ << "ClosePlenk";
        app_.endProcess(0);
    }

  private:
    PlenkApp& app_;
    QStringList& log_;
};

// A real controller that counts the ends of media handed to it instead of
// choosing the next entry.
class EndCounter : public ClsMain {
  public:
    using ClsMain::ClsMain;
    void EndOfSong() override { ++ends; }
    int ends = 0;
};

}  // namespace testsupport
