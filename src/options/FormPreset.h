#pragma once

#include "persistence/DataClass.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/TextBox.h"
#include "shared/PlayerForm.h"

// The equalizer preset window: lists the named band settings of the preset
// file, applies a chosen one to the main window's ten band sliders, stores the
// current bands under a new name and deletes a stored preset.  The file holds
// records of 11 lines: the name, then bands 0 to 9 as the sliders' values.
// Every record is listed; a chosen name is looked for on name lines only
// (every eleventh line), the first record of an equal name winning, so a
// preset named "50" is never taken for a band value.  A save or delete whose
// rewrite fails says so and leaves the window as it was, so it can be retried.
// The window is modeless; "Ok" and "Cancel" unload it, so each opening reads
// the file again.
class FormPreset : public PlayerForm {
  public:
    // The three uses the "Presets" menu opens the window for.
    enum class Use { Loading, Saving, Deleting };

    explicit FormPreset(ui::Application& app);

    // What the menu's "Load", "Save" and "Delete" items do: the window, loaded
    // if it is not open, is shown and set up for the use.  Set-ups add up
    // while it stays open; nothing is read again.
    void Open(Use use);

    void Form_Load() override;
    void Form_Activate() override;
    void ListaPreset_Click();
    void Command1_Click();
    void Command2_Click();
    void DelButton_Click();

    // The preset file of the program folder.
    QString presetFile() const;

    // Declared in the design's z-order: the name box lies over the list.
    ui::ListBox ListaPreset{*this, "ListaPreset"};
    ui::TextBox NumePreset{*this, "NumePreset"};
    ui::CommandButton DelButton{*this, "DelButton"};
    ui::CommandButton Command1{*this, "Command1"};
    ui::CommandButton Command2{*this, "Command2"};
    // Every line of the file: the copy each save and delete rewrites it from.
    ui::ListBox ValoriPreset{*this, "ValoriPreset"};

    // The load step's line counter and the apply step's band counter.
    int PresetLineIndex = 0;
    // The name line of the preset being deleted.
    int PresetNameLine = 0;

  private:
    void designControls();
    // The name line of the first record named name, or -1.
    int locate(const QString& name) const;
    void applyBand(int band);
    // Rewrites the file from the window's copy; says so when it cannot.
    bool rewrite();

    DataClass data_;
    // Set by the load, cleared by the first activation after it.
    bool freshlyLoaded_ = false;
};
