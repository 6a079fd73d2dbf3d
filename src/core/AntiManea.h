#pragma once

#include <QString>

#include "core/ClsMain.h"

namespace ui {
class Application;
}

// The content filter: refuses any file whose path, title line, playlist row
// or tag title and artist holds an entry of the word list (Data\mnin.data,
// DataForm.ListaManelisti), and then closes the program.
class AntiManea {
  public:
    explicit AntiManea(ui::Application& app);

    // Runs for every file that starts playing; a hit does not come back.
    void CheckManea(const QString& Path);
    // Stops playback, tells the user and closes the program.
    void RefuseManea();

    // The filter's own controller, through which it stops and closes.
    ControllerSlot MainCtl;

  private:
    QString searchedText(const QString& path);
    bool holdsWord(const QString& text, const QString& word);

    PlenkApp& app_;
};
