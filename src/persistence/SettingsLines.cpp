#include "persistence/SettingsLines.h"

#include "app/PlenkApp.h"
#include "controls/ctlScrollbar.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "skins/LanguagesMod.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using ui::step;

namespace {

// Readings of a line's text; a text that does not fit fails.
double number(const QString& text) {
    return shared::toDouble(text);
}
int int16(const QString& text) {
    return shared::CInt(number(text));
}

bool flag(const QString& text) {
    if (text.compare("True", Qt::CaseInsensitive) == 0) return true;
    if (text.compare("False", Qt::CaseInsensitive) == 0) return false;
    throw ui::RuntimeError(ui::kTypeMismatch);
}

QString flagText(bool value) {
    return value ? "True" : "False";
}

SettingsLine literal(const QString& text) {
    return {[text] { return text; }, [](const QString&) {}, text};
}

SettingsLine option(ui::OptionButton& button) {
    return {[&button] { return flagText(button.Value()); },
            [&button](const QString& t) { button.setValue(flag(t)); }, "False"};
}

SettingsLine check(ui::CheckBox& box) {
    return {[&box] { return QString::number(box.Value()); },
            [&box](const QString& t) { box.setValue(int16(t)); }, "0"};
}

SettingsLine slider(ctlScrollbar& bar) {
    return {[&bar] { return shared::formatDouble(bar.value()); },
            [&bar](const QString& t) {
                if (!shared::parseNumber(t)) throw ui::RuntimeError(ui::kTypeMismatch);
                bar.setValue(t);
            },
            "0"};
}

SettingsLine text(std::function<QString()> read, std::function<void(const QString&)> write) {
    return {std::move(read), std::move(write), ""};
}

SettingsLine caption(ui::Label& label) {
    return text([&label] { return label.Caption(); },
                [&label](const QString& t) { label.setCaption(t); });
}

// A window's Left, Top, Width and Height, one line each, each bound to what
// the screens can show before the window takes it; once the four are in, a
// window lying wholly outside every screen comes onto the nearest one.
void geometry(std::vector<SettingsLine>& lines, PlenkApp& app, ui::Form& form,
              const float design[4]) {
    using Get = float (ui::Form::*)() const;
    using Set = void (ui::Form::*)(float);
    using Extent = ui::Screen::Extent;
    const Get get[] = {&ui::Form::Left, &ui::Form::Top, &ui::Form::Width, &ui::Form::Height};
    const Set set[] = {&ui::Form::setLeft, &ui::Form::setTop, &ui::Form::setWidth,
                       &ui::Form::setHeight};
    const Extent extents[] = {Extent::Left, Extent::Top, Extent::Width, Extent::Height};
    for (int i = 0; i < 4; ++i) {
        lines.push_back({[&form, g = get[i]] { return shared::formatSingle((form.*g)()); },
                         [&app, &form, s = set[i], e = extents[i]](const QString& t) {
                             const auto apply = [&] {
                                 (form.*s)(app.screen().bound(e, number(t)));
                             };
                             if (e != Extent::Height) return apply();
                             step(apply);
                             form.bringWithinReach();
                         },
                         shared::formatSingle(design[i])});
    }
}

// Selects a position, then marks the item there selected.
void selectIndex(ui::ListControl& list, const QString& t) {
    const int index = int16(t);
    list.setListIndex(index);
    step([&] { list.setSelected(index, true); });
}

SettingsLine index(ui::ListControl& list) {
    return {[&list] { return QString::number(list.ListIndex()); },
            [&list](const QString& t) { selectIndex(list, t); }, "-1"};
}

void showMiniWindow(PlenkApp& app) {
    Main& m = app.form<Main>();
    step([&] { app.form<MiniForm>(); });
    step([&] { m.Hide(); });
    step([&] { app.form<MiniForm>().Move(m.Left(), m.Top()); });
    step([&] { app.form<MiniForm>().bringWithinReach(); });
    step([&] { app.form<MiniForm>().setIconPath(m.IconPath()); });
    step([&] { app.form<MiniForm>().Show(); });
    step([&] { app.form<DataForm>().MiniMode.setCaption("True"); });
}

void showPage(MediaLibrary& lib, const QString& t) {
    const int page = t == "1" ? 1 : t == "2" ? 2 : t == "3" ? 3 : 0;
    if (page == 0) return;
    step([&] { lib.FrameLibrary.setVisible(page == 1); });
    step([&] { lib.FrameIDTag.setVisible(page == 3); });
    step([&] { lib.FrameTop10.setVisible(page == 2); });
}

QString shownPage(MediaLibrary& lib) {
    if (lib.FrameLibrary.Visible()) return "1";
    if (lib.FrameTop10.Visible()) return "2";
    if (lib.FrameIDTag.Visible()) return "3";
    return "1";
}

// The stored lambdas outlive these functions: they capture only windows
// and controls (which live as long as the application), never locals.
using Lines = std::vector<SettingsLine>;

SettingsLine playlistShown(Playlist& list, DataForm& d) {
    return {[&list] { return QString(list.Visible() ? "Playlist=True" : "Playlist=False"); },
            [&list, &d](const QString& t) {
                if (t == "Playlist=True") return list.Show();
                step([&list] { list.Hide(); });
                d.PlaylistON.setCaption("0");
            },
            "Playlist=True"};
}

SettingsLine language(PlenkApp& app, Options& o) {
    return {[&o] { return QString::number(o.LanguageSelector.ListIndex()); },
            [&app, &o](const QString& t) {
                step([&o, &t] { selectIndex(o.LanguageSelector, t); });
                LanguagesMod::ApplyLanguage(app, o.LanguageSelector.Text());
            },
            "0"};
}

// The list's action runs only when its position changes.
SettingsLine fontSize(Options& o) {
    return {[&o] { return QString::number(o.PlaylistFontSize.ListIndex()); },
            [&o](const QString& t) {
                if (int16(t) != o.PlaylistFontSize.ListIndex())
                    o.PlaylistFontSize.setListIndex(int16(t));
            },
            "0"};
}

SettingsLine mainOrMini(PlenkApp& app, Main& m, DataForm& d) {
    return {[&m] { return QString(m.Visible() ? "main" : "mini"); },
            [&app, &m, &d](const QString& t) {
                if (t != "main") return showMiniWindow(app);
                step([&m] { m.Show(); });
                d.MiniMode.setCaption("False");
            },
            "main"};
}

// Lines 0 to 11: version, main window, playlist window, volume.
void windowLines(Lines& lines, PlenkApp& app, Main& m, Playlist& list) {
    lines.push_back(literal(PlenkApp::version()));
    lines.push_back(literal("[Main]"));
    const float mainDesign[] = {500, 500, 6100, 3530};
    geometry(lines, app, m, mainDesign);
    lines.push_back(literal("[Playlist]"));
    const float playlistDesign[] = {500, 4100, 6100, 4500};
    geometry(lines, app, list, playlistDesign);
    lines.push_back(slider(m.Volum));
}

// Lines 12 to 32: play order, playlist shown, visualisation, skin, language,
// transparency, two check boxes, the video window's size, associate all.
void optionLines(Lines& lines, PlenkApp& app, Options& o, Playlist& list, DataForm& d) {
    lines.push_back(literal("[Options]"));
    for (ui::OptionButton* b : {&o.Option1, &o.Option2, &o.Option3})
        lines.push_back(option(*b));
    lines.push_back(playlistShown(list, d));
    for (ui::OptionButton* b : {&o.Option4, &o.Option5})
        lines.push_back(option(*b));
    lines.push_back(literal("[Skin]"));
    lines.push_back(text([&o] { return o.SkinName.Text(); },
                         [&o](const QString& t) { o.SkinName.setText(t); }));
    lines.push_back(index(o.SkinSelector));
    lines.push_back(language(app, o));
    for (int i = 0; i < 3; ++i)
        lines.push_back(literal(""));
    lines.push_back({[&o] { return QString::number(o.Slider1.Value()); },
                     [&o](const QString& t) { o.Slider1.setValue(shared::CLng(number(t))); },
                     "100"});
    for (ui::CheckBox* c : {&o.Check1, &o.Check2})
        lines.push_back(check(*c));
    lines.push_back(caption(d.VideoSizeHeight2));
    lines.push_back(caption(d.VideoSizeWidth2));
    for (ui::CheckBox* c : {&o.Check17, &o.Check18})
        lines.push_back(check(*c));
}

// Lines 33 to 65: equalizer, visualisation type, equalizer and video size
// options, layout, playlist font, main or mini window, title format, the
// remaining check boxes and the subtitle delay.
void playerLines(Lines& lines, PlenkApp& app, Main& m, Options& o, DataForm& d) {
    for (int i = 0; i <= 10; ++i)
        lines.push_back(slider(m.sldEQR(i)));
    for (ui::OptionButton* b : {&o.Option8, &o.Option9, &o.Option10, &o.Option11, &o.Option12,
                                &o.Option13, &o.Option14, &o.Option16, &o.Option17})
        lines.push_back(option(*b));
    lines.push_back(caption(d.MainMode));
    lines.push_back(fontSize(o));
    lines.push_back(check(o.Check3));
    lines.push_back(mainOrMini(app, m, d));
    for (ui::OptionButton* b : {&o.Option15, &o.Option18, &o.Option19})
        lines.push_back(option(*b));
    for (ui::CheckBox* c : {&o.Check4, &o.Check5})
        lines.push_back(check(*c));
    lines.push_back(text([&o] { return o.SubDelay.Text(); },
                         [&o](const QString& t) { o.SubDelay.setText(t); }));
    for (ui::CheckBox* c : {&o.Check6, &o.Check7, &o.Check8})
        lines.push_back(check(*c));
}

// Lines 66 to 71: the library window and its page.
void libraryLines(Lines& lines, PlenkApp& app, MediaLibrary& lib) {
    const float libraryDesign[] = {6700, 500, 5400, 5200};
    geometry(lines, app, lib, libraryDesign);
    lines.push_back({[&lib] { return QString(lib.Visible() ? "1" : "0"); },
                     [&lib](const QString& t) { t == "1" ? lib.Show() : lib.Hide(); }, "0"});
    lines.push_back(
        {[&lib] { return shownPage(lib); }, [&lib](const QString& t) { showPage(lib, t); }, "1"});
}

}  // namespace

std::vector<SettingsLine> settingsLines(PlenkApp& app) {
    Main& m = app.form<Main>();
    Playlist& list = app.form<Playlist>();
    Options& o = app.form<Options>();
    DataForm& d = app.form<DataForm>();
    Lines lines;
    windowLines(lines, app, m, list);
    optionLines(lines, app, o, list, d);
    playerLines(lines, app, m, o, d);
    libraryLines(lines, app, app.form<MediaLibrary>());
    return lines;
}
