#pragma once

#include <QString>
#include <memory>

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
    ~AntiManea();

    // Runs for every file that starts playing; a hit does not come back.
    void CheckManea(const QString& Path);
    // Stops playback, tells the user and closes the program.
    void RefuseManea();

    // The filter's own controller, created on first use; tests hand it one.
    ClsMain& MainCtl();
    void setMainCtl(std::unique_ptr<ClsMain> controller) { mainCtl_ = std::move(controller); }

  private:
    QString searchedText(const QString& path);
    bool holdsWord(const QString& text, const QString& word);

    PlenkApp& app_;
    std::unique_ptr<ClsMain> mainCtl_;
};
