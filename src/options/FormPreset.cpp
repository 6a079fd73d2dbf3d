#include "options/FormPreset.h"

#include <utility>

#include "platform/ui/Dialogs.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/TabOrder.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "windows/Main.h"

namespace {

constexpr int kRecordLines = 11;
constexpr int kBands = 10;

}  // namespace

FormPreset::FormPreset(ui::Application& app) : PlayerForm(app, "FormPreset") {
    setCaption("Load Equalizer Preset");
    Move(3000, 3000, 4320, 4410);
    designControls();
    ListaPreset.Click.connect([this] { ListaPreset_Click(); });
    Command1.Click.connect([this] { Command1_Click(); });
    Command2.Click.connect([this] { Command2_Click(); });
    DelButton.Click.connect([this] { DelButton_Click(); });
    keepDesign(PresetLineIndex);
    keepDesign(PresetNameLine);
    keepDesign(freshlyLoaded_);
}

void FormPreset::designControls() {
    ListaPreset.Move(120, 120, 4095, 3570);
    NumePreset.Move(120, 3480, 4095, 375);
    NumePreset.setText("Preset1");
    NumePreset.setVisible(false);
    DelButton.Move(120, 3960, 1335, 375);
    DelButton.setCaption("Delete");
    DelButton.setVisible(false);
    DelButton.setEnabled(false);
    Command1.Move(1560, 3960, 1335, 375);
    Command1.setCaption("Ok");
    Command2.Move(3000, 3960, 1215, 375);
    Command2.setCaption("Cancel");
    ValoriPreset.setVisible(false);
    NumePreset.ZOrder(0);
    ui::setTabOrder({&NumePreset, &Command1, &ListaPreset, &ValoriPreset, &DelButton, &Command2});
}

QString FormPreset::presetFile() const {
    return form<DataForm>().programFile("\\eqpreset.ini");
}

void FormPreset::Open(Use use) {
    Show();
    if (use == Use::Loading) NumePreset.setVisible(false);
    if (use == Use::Saving) NumePreset.setVisible(true);
    if (use == Use::Deleting) DelButton.setVisible(true);
}

// Every record is listed, however many the file holds.
void FormPreset::Form_Load() {
    freshlyLoaded_ = true;
    data_.IncarcaData(presetFile(), ValoriPreset);
    const int lines = ValoriPreset.ListCount();
    for (PresetLineIndex = 0; PresetLineIndex < lines; PresetLineIndex += kRecordLines)
        ListaPreset.AddItem(ValoriPreset.List(PresetLineIndex));
}

// Activation follows the menu item's code, so the set-up for saving is known.
void FormPreset::Form_Activate() {
    if (!std::exchange(freshlyLoaded_, false) || !NumePreset.Visible()) return;
    setCaption("Save Preset");
    ui::step([&] { NumePreset.setSelStart(0); });
    ui::step([&] { NumePreset.setSelLength(50); });
}

// Only name lines are looked at, so a band value never passes for a name.
int FormPreset::locate(const QString& name) const {
    const int lines = ValoriPreset.ListCount();
    for (int line = 0; line < lines; line += kRecordLines)
        if (ValoriPreset.List(line) == name) return line;
    return -1;
}

void FormPreset::ListaPreset_Click() {
    if (ListaPreset.ListIndex() < 0) return;
    DelButton.setEnabled(true);
    const int nameLine = locate(ListaPreset.Text());
    if (nameLine < 0) return;
    ValoriPreset.setListIndex(nameLine);
    for (PresetLineIndex = 0; PresetLineIndex < kBands; ++PresetLineIndex)
        applyBand(PresetLineIndex);
    ui::step([&] { form<Main>().UpdateEqualizer(); });
}

// The next line becomes current; past the file's end the last line stays
// current, so a record cut short repeats it.  No number leaves the band.
void FormPreset::applyBand(int band) {
    const int next = ValoriPreset.ListIndex() + 1;
    if (next < ValoriPreset.ListCount()) ValoriPreset.setListIndex(next);
    const QString text = ValoriPreset.Text();
    ui::step([&] { form<Main>().sldEQR(band).setValue(text); });
}

// A save that cannot be written takes its record back and keeps the window
// open, so "Ok" again retries without storing the preset twice.
void FormPreset::Command1_Click() {
    if (NumePreset.Visible()) {
        const int before = ValoriPreset.ListCount();
        ValoriPreset.AddItem(NumePreset.Text());
        Main& main = form<Main>();
        for (int band = 0; band < kBands; ++band)
            ValoriPreset.AddItem(shared::formatDouble(main.sldEQR(band).value()));
        if (!rewrite()) {
            while (ValoriPreset.ListCount() > before)
                ValoriPreset.RemoveItem(ValoriPreset.ListCount() - 1);
            return;
        }
    }
    Unload();
}

void FormPreset::Command2_Click() {
    Unload();
}

// Acts on any chosen entry, an empty name too; a failed rewrite puts the
// record's lines back, so the window and the file still agree.
void FormPreset::DelButton_Click() {
    const int chosen = ListaPreset.ListIndex();
    if (chosen < 0) return;
    PresetNameLine = locate(ListaPreset.Text());
    if (PresetNameLine < 0) return;
    QStringList removed;
    for (int i = 0; i < kRecordLines && PresetNameLine < ValoriPreset.ListCount(); ++i) {
        removed << ValoriPreset.List(PresetNameLine);
        ValoriPreset.RemoveItem(PresetNameLine);
    }
    if (!rewrite()) {
        for (int i = 0; i < removed.size(); ++i)
            ValoriPreset.AddItem(removed[i], PresetNameLine + i);
        return;
    }
    ListaPreset.RemoveItem(chosen);
}

bool FormPreset::rewrite() {
    if (data_.SalveazaData(presetFile(), ValoriPreset)) return true;
    app().dialogs().MsgBox("The equalizer presets could not be saved to " + presetFile() + ".",
                           ui::vbOKOnly | ui::vbExclamation, PlenkApp::title());
    return false;
}
