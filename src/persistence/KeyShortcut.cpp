#include "persistence/KeyShortcut.h"

#include "app/PlenkApp.h"
#include "controls/ctlScrollbar.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "persistence/DataClass.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/JumpForm.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/ProgramFolder.h"
#include "windows/Main.h"

using ui::step;

KeyShortcut::KeyShortcut(ui::Application& app)
    : MainCtl(static_cast<PlenkApp&>(app)), app_(static_cast<PlenkApp&>(app)) {}

KeyShortcut::~KeyShortcut() = default;

DataClass& KeyShortcut::data() {
    if (!Data) Data = std::make_unique<DataClass>();
    return *Data;
}

QString KeyShortcut::keyboardFile() {
    return app_.form<DataForm>().programFile("\\Data\\keyboard.data");
}

// Every one of the ten tests is made, so one key may run several actions; a
// code that is no number never matches.
void KeyShortcut::ProcessShortcutKey(int KeyCode) {
    Options& o = app_.form<Options>();
    for (int i = 0; i < 10; ++i) {
        const auto code = shared::parseNumber(o.AsciBox(i).Text());
        if (code && *code == KeyCode) step([&] { run(i); });
    }
}

void KeyShortcut::run(int action) {
    ClsMain& ctl = MainCtl.get();
    const bool fullScreen = app_.form<DataForm>().FullScreenStat.Caption() != "False";
    switch (action) {
        case 0:
            app_.form<JumpForm>().setVisible(true);
            break;
        case 1:
            ctl.Play();
            break;
        case 2:
            ctl.Pause();
            break;
        case 3:
            ctl.SStop();
            break;
        case 4:
            ctl.PlayNext();
            break;
        case 5:
            ctl.PlayPrevious();
            break;
        case 6:
            if (!fullScreen) minimize();
            break;
        case 7:
            if (!fullScreen) ctl.ClosePlenk();
            break;
        case 8:
            stepVolume(10);
            break;
        case 9:
            stepVolume(-10);
            break;
    }
}

void KeyShortcut::minimize() {
    Main& m = app_.form<Main>();
    Playlist& list = app_.form<Playlist>();
    step([&] { m.setWindowState(ui::Form::vbMinimized); });
    step([&] { app_.form<DataForm>().PlaylistON.setCaption(list.Visible() ? "1" : "0"); });
    step([&] {
        m.setCaption(app_.form<Options>().Check1.Value() == 1 ? m.Titlu.Caption()
                                                              : "Plenk Player" + QString(8, ' '));
    });
    step([&] { list.setVisible(false); });
}

void KeyShortcut::stepVolume(int by) {
    Main& m = app_.form<Main>();
    step([&] { m.Volum.setValue(m.Volum.value() + by); });
    step([&] {
        if (app_.form<frmBass>().BassON.Caption() == "True")
            app_.form<frmBass>().VolumBass();
        else
            MainCtl.get().ChangeVolume();
    });
}

void KeyShortcut::LoadKeyboardSettings() {
    DataForm& d = app_.form<DataForm>();
    Options& o = app_.form<Options>();
    step([&] { data().IncarcaData(keyboardFile(), d.KeyboardSettings); });
    for (int i = 0; i < 10; ++i)
        step([&] { o.AsciBox(i).setText(readRow(d.KeyboardSettings, i)); });
    for (int r = 10; r < d.KeyboardSettings.ListCount() && r < 20; ++r)
        step([&] { o.AsciText(r - 10).setText(readRow(d.KeyboardSettings, r)); });
}

void KeyShortcut::SaveKeyboardSettings() {
    DataForm& d = app_.form<DataForm>();
    Options& o = app_.form<Options>();
    step([&] { d.KeyboardSettings.Clear(); });
    for (int i = 0; i < 10; ++i)
        step([&] { d.KeyboardSettings.AddItem(o.AsciBox(i).Text()); });
    for (int i = 0; i < 10; ++i)
        step([&] { d.KeyboardSettings.AddItem(o.AsciText(i).Text()); });
    step([&] { data().SalveazaData(keyboardFile(), d.KeyboardSettings); });
}
