#pragma once

#include <QString>
#include <random>

#include "platform/ui/Application.h"

// The running player: its windows and modules (through ui::Application), the
// folders it works in and the platform engines it plays through.
class PlenkApp : public ui::Application {
  public:
    struct Setup {
        // settings.ini, Data, Skins, Languages, Playlists, eqpreset.ini...
        QString programFolder;
        // Per-user files of the platform stand-ins: registry, system.ini, instance lock.
        QString settingsFolder;
        // Everything after the program's name on the command line.
        QString commandLine;
    };

    PlenkApp(std::unique_ptr<ui::Clock> clock, std::unique_ptr<ui::Dialogs> dialogs, Setup setup);

    const Setup& setup() const { return setup_; }

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
    std::mt19937 random_{std::random_device{}()};
};
