// The settings file, the rankings and filter files read at start, and the
// association choices, on the controller.
#include "app/PlenkApp.h"
#include "core/ClsMain.h"
#include "options/Options.h"
#include "persistence/DataClass.h"
#include "persistence/SettingsLines.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/MediaLibrary.h"
#include "shared/DataForm.h"
#include "shared/ProgramFolder.h"
#include "skins/SkinFiles.h"

using ui::step;

// Every line is written, so each value keeps its line number: a value that
// cannot be read writes its line's fallback.
void ClsMain::SalveazaSetari() {
    DataForm& d = shared();
    step([&] { d.MSettings.Clear(); });
    for (const SettingsLine& line : settingsLines(app_)) {
        QString text = line.fallback;
        step([&] { text = line.write(); });
        step([&] { d.MSettings.AddItem(text); });
    }
    step([&] { data().SalveazaData(d.programFile("\\settings.ini"), d.MSettings); });
    step([&] { SalveazaValoriAsociere(); });
}

void ClsMain::IncarcaSetari() {
    DataForm& d = shared();
    MediaLibrary& lib = app_.form<MediaLibrary>();
    step([&] { data().IncarcaData(d.programFile("\\Data\\top.data"), d.ListaClasament); });
    for (int i = 0; i < 40; ++i) {
        const QString title = readRow(d.ListaClasament, i);
        if (title.isEmpty()) continue;
        if (i < 20) {
            step([&] { lib.Song(i).setCaption(title); });
            step([&] { lib.CountPlayed(i).setCaption("1"); });
        } else {
            step([&] { lib.ListaAsteptare.AddItem(title); });
        }
    }
    step([&] { data().IncarcaData(d.programFile("\\settings.ini"), d.MSettings); });
    // Without a settings file every control keeps its design value.
    if (d.MSettings.ListCount() > 0)
        loadSettingsLines();
    else
        app_.onlyInstance();
    step([&] { IncarcaValoriAsociere(); });
    step([&] { data().IncarcaData(SkinFiles::path(app_, "\\skin.ini"), d.SkinSettings); });
    // Empty lines are no words.
    step([&] {
        data().IncarcaData(d.programFile("\\Data\\mnin.data"), d.ListaManelisti);
        for (int i = d.ListaManelisti.ListCount() - 1; i >= 0; --i)
            if (d.ListaManelisti.List(i).isEmpty()) d.ListaManelisti.RemoveItem(i);
    });
}

// Every copy takes the instance lock, whatever its own setting, so that a
// later copy that must run alone sees it.
void ClsMain::loadSettingsLines() {
    DataForm& d = shared();
    const bool onlyCopy = app_.onlyInstance();
    const std::vector<SettingsLine> lines = settingsLines(app_);
    for (int n = 2; n < kSettingsLineCount; ++n) {
        const QString text = readRow(d.MSettings, n);
        step([&] { lines[n].apply(text); });
        if (n == 28 && app_.form<Options>().Check2.Value() == 0 && !onlyCopy) app_.endProcess(0);
        if (n == 53) step([&] { ChangeMainMode(); });
    }
}

void ClsMain::SalveazaValoriAsociere() {
    Options& o = app_.form<Options>();
    DataForm& d = shared();
    o.FAudio.Clear();
    o.FVideo.Clear();
    for (int i = 0; i < o.TpfAudio.ListCount(); ++i)
        o.FAudio.AddItem(o.TpfAudio.Selected(i) ? "1" : "0");
    for (int i = 0; i < o.TpfVideo.ListCount(); ++i)
        o.FVideo.AddItem(o.TpfVideo.Selected(i) ? "1" : "0");
    data().SalveazaData(d.programFile("\\Data\\tpfaudio.data"), o.FAudio);
    data().SalveazaData(d.programFile("\\Data\\tpfvideo.data"), o.FVideo);
}

// Only ever selects: a line that is not exactly "1" leaves its item as it was.
void ClsMain::IncarcaValoriAsociere() {
    Options& o = app_.form<Options>();
    DataForm& d = shared();
    o.FAudio.Clear();
    o.FVideo.Clear();
    data().IncarcaData(d.programFile("\\Data\\tpfaudio.data"), o.FAudio);
    data().IncarcaData(d.programFile("\\Data\\tpfvideo.data"), o.FVideo);
    for (int i = 0; i < o.TpfAudio.ListCount(); ++i)
        if (readRow(o.FAudio, i) == "1") o.TpfAudio.setSelected(i, true);
    for (int i = 0; i < o.TpfVideo.ListCount(); ++i)
        if (readRow(o.FVideo, i) == "1") o.TpfVideo.setSelected(i, true);
}
