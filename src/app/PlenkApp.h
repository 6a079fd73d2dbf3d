#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <random>

#include "platform/audio/Bass.h"
#include "platform/media/Mci.h"
#include "platform/media/Profile.h"
#include "platform/media/Subtitles.h"
#include "platform/system/InstanceLock.h"
#include "platform/system/Registry.h"
#include "platform/system/Shell.h"
#include "platform/system/WindowServices.h"
#include "platform/ui/Application.h"
#include "platform/ui/VideoWindow.h"

// The running player: its windows and modules (through ui::Application), the
// folders it works in and the platform engines it plays through.
class PlenkApp : public ui::Application {
  public:
    // Real engines (libmpv and the sound device), or the scripted and null
    // ones that tests drive with the manual clock.
    enum class Engines { Live, Test };

    struct Setup {
        // settings.ini, Data, Skins, Languages, Playlists, eqpreset.ini...
        QString programFolder;
        // Per-user files of the platform stand-ins (registry, system.ini, instance
        // lock) and the journal of saves written in place.
        QString settingsFolder;
        // Everything after the program's name on the command line.
        QString commandLine;
        // The program file that file associations start; empty: programFolder/plenk-player.
        QString executable;
        // Where the desktop keeps per-user applications and default-application choices.
        sys::Shell::Places desktop;
        Engines engines = Engines::Live;
        // Runs once start-up has loaded every list and setting, before the
        // command line's file plays: a close from then on saves them whole.
        std::function<void()> loaded;
    };

    PlenkApp(std::unique_ptr<ui::Clock> clock, std::unique_ptr<ui::Dialogs> dialogs, Setup setup);
    ~PlenkApp() override;

    const Setup& setup() const { return setup_; }
    sys::Registry& registry() { return registry_; }
    sys::Shell& shell() { return shell_; }
    media::Mci& mci() { return mci_; }
    audio::Bass& bass() { return bass_; }
    media::Profile& profile() { return profile_; }
    sys::Tray& tray() { return tray_; }
    // True when no other copy of the program runs for this user; this copy
    // then holds the lock that tells later copies so.
    bool onlyInstance() { return instance_.acquire(); }
    // The program file's name without folder and extension.
    QString exeName() const;

    // The per-user registry key of the subtitle filter's settings: "Subtitle
    // Delay" under Timing, "Hide" under General, both 32-bit numbers.
    static QString subtitleFilterKey();
    // The settings the video engine draws subtitles with, read from that key
    // (no delay and shown, for a value that is missing).
    media::SubtitleSettings subtitleSettings() const;

    // The title message boxes carry when they have none of their own.
    static QString title();

    // The one random generator every random choice of the player draws from;
    // seeded from the system at start, tests seed it themselves.
    std::mt19937& random() { return random_; }

    // Major.Minor.Revision of this build.
    static int versionMajor();
    static int versionMinor();
    static int versionRevision();
    static QString version();

  private:
    Setup setup_;
    sys::Registry registry_;
    sys::Shell shell_;
    media::Profile profile_;
    ui::WidgetVideoHost videos_;
    media::Mci mci_;
    audio::Bass bass_;
    sys::Tray tray_;
    sys::InstanceLock instance_;
    std::mt19937 random_{std::random_device{}()};
};
