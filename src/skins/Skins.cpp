#include "skins/Skins.h"

#include <algorithm>

#include "app/PlenkApp.h"
#include "controls/ctlScrollbar.h"
#include "options/Options.h"
#include "platform/ui/CanvasControl.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "skins/SkinFiles.h"
#include "skins/SkinTables.h"
#include "windows/Main.h"

using ui::step;

namespace {

// The value of a skin.ini line: the text after its last "=".
QString valueOf(const QString& text) {
    return text.mid(text.lastIndexOf('=') + 1);
}

ui::Control& existing(PlenkApp& app, const SkinTables::Target& target) {
    ui::Control* c = SkinTables::control(app, target);
    if (!c) throw ui::RuntimeError(ui::kObjectNotSet);
    return *c;
}

// Slot -1 is the control's own picture, 0 to 9 a slider's (SkinTables::kSliderSlots).
ui::Picture pictureOf(ui::Control& c, int slot) {
    if (auto* slider = dynamic_cast<ctlScrollbar*>(&c); slider && slot >= 0)
        return SkinTables::sliderPicture(*slider, slot);
    if (auto* image = dynamic_cast<ui::Image*>(&c)) return image->picture();
    if (auto* canvas = dynamic_cast<ui::CanvasControl*>(&c)) return canvas->picture();
    throw ui::RuntimeError(ui::kObjectNotSet);
}

void setPictureOf(ui::Control& c, int slot, const ui::Picture& picture) {
    if (auto* slider = dynamic_cast<ctlScrollbar*>(&c); slider && slot >= 0)
        return SkinTables::setSliderPicture(*slider, slot, picture);
    if (auto* image = dynamic_cast<ui::Image*>(&c)) return image->setPicture(picture);
    if (auto* canvas = dynamic_cast<ui::CanvasControl*>(&c)) return canvas->setPicture(picture);
    throw ui::RuntimeError(ui::kObjectNotSet);
}

}  // namespace

Skins::Skins(ui::Application& app) : app_(static_cast<PlenkApp&>(app)) {}

QString Skins::line(int n) {
    ui::ListBox& values = app_.form<DataForm>().SkinValues;
    step([&] { values.setListIndex(n); });
    return values.Text();
}

void Skins::SkinColourFromName() {
    ui::ListBox& values = app_.form<DataForm>().SkinValues;
    for (const SkinTables::ColourName& name : SkinTables::colourNames())
        if (values.Text() == QLatin1String(name.name)) skinColour_ = name.colour;
}

void Skins::ApplySkin() {
    fillValues();
    applyColourGroups();
    applyBackColour();
    applyScrollbarVisibility();
    SkinFiles::forgetCachedPictures(app_);
    applyPictures([this](const QString& file) { return SkinFiles::picture(app_, file); });
    panelFollowsMainPicture();
}

void Skins::ShowDesignPictures() {
    applyPictures([](const QString& file) { return SkinFiles::designPicture(file); });
    panelFollowsMainPicture();
}

void Skins::panelFollowsMainPicture() {
    step([&] {
        Main& main = app_.form<Main>();
        main.MainFrame(1).setWidth(main.Image1.Width());
    });
}

void Skins::fillValues() {
    DataForm& d = app_.form<DataForm>();
    step([&] { d.SkinValues.Clear(); });
    for (int i = 0; i < d.SkinSettings.ListCount(); ++i)
        step([&] {
            d.SkinSettings.setListIndex(i);
            d.SkinValues.AddItem(valueOf(d.SkinSettings.Text()));
        });
}

void Skins::applyColourGroups() {
    // Line 0 is selected first, so a file of one line reads it for line 1.
    line(0);
    for (const SkinTables::ColourGroup& group : SkinTables::colourGroups()) {
        line(group.line);
        SkinColourFromName();
        for (const SkinTables::Target& target : group.targets)
            step([&] {
                ui::Control& c = existing(app_, target);
                if (group.paint == SkinTables::Paint::Text)
                    c.setForeColor(skinColour_);
                else
                    c.setBackColor(skinColour_);
            });
    }
}

void Skins::applyBackColour() {
    int rgb[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        step([&] { rgb[i] = shared::CInt(shared::toDouble(line(13 + i))); });
    // Above 255 a component is full; below 0 it is none.
    const auto part = [](int v) { return static_cast<ui::OleColor>(std::clamp(v, 0, 255)); };
    const ui::OleColor colour = part(rgb[0]) + 256 * part(rgb[1]) + 65536 * part(rgb[2]);
    for (const SkinTables::Target& target : SkinTables::backColourTargets())
        step([&] {
            if (target.control)
                existing(app_, target).setBackColor(colour);
            else
                SkinTables::window(app_, target.window).setBackColor(colour);
        });
}

// The user's choice of the standard scroll bar (Options.Check8) holds over
// the skin: the loader runs after the settings load and at every skin change.
void Skins::applyScrollbarVisibility() {
    const bool hide = line(16) == "true";
    bool standard = false;
    step([&] { standard = app_.form<Options>().Check8.Value() == 1; });
    Playlist& list = app_.form<Playlist>();
    step([&] { list.ScrollBar.setVisible(!hide && !standard); });
    step([&] { list.FrameScroll.setVisible(!hide && !standard); });
}

void Skins::applyPictures(const std::function<ui::Picture(const QString&)>& read) {
    for (const SkinTables::PictureStep& row : SkinTables::pictureSteps())
        step([&] {
            ui::Control& target = existing(app_, row.target);
            setPictureOf(
                target, row.slot,
                row.file ? read(row.file) : pictureOf(existing(app_, row.source), row.slot));
        });
    // The tool buttons were given their "on" pictures; each shows its state.
    step([&] { app_.form<Main>().showToolButtonStates(); });
}
