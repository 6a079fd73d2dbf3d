#pragma once

#include <memory>

#include "core/ClsMain.h"

namespace ui {
class Application;
}
class DataClass;

// Ten player actions on keys of the user's choice: the options window holds
// each action's key code (AsciBox) and the key's display name (AsciText);
// Data\keyboard.data keeps them between runs, 20 lines.
class KeyShortcut {
  public:
    explicit KeyShortcut(ui::Application& app);
    ~KeyShortcut();

    // Runs every action whose key code equals KeyCode, in action order.
    void ProcessShortcutKey(int KeyCode);
    void LoadKeyboardSettings();
    void SaveKeyboardSettings();

    // The module's own controller, through which the actions play.
    ControllerSlot MainCtl;

  private:
    void run(int action);
    void minimize();
    void stepVolume(int by);
    DataClass& data();
    QString keyboardFile();

    PlenkApp& app_;
    std::unique_ptr<DataClass> Data;
};
