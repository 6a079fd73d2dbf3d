#include <QDir>

#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "shared/DataForm.h"
#include "skins/LanguagesMod.h"
#include "skins/Skins.h"

// Only the folder's own sub-folders are skins: a nested folder would name a
// skin that is not under "Skins".  A folder that cannot be read is still one.
void Options::GetSubDirs(const QString& currPath) {
    const QStringList names =
        QDir(currPath).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        SkinSelector.AddItem(name);
}

// The row pressed is remembered and every mark cleared; with no current row
// the marked one is remembered, so the release marks it again.
void Options::selectorPressed(ui::ListBox& list) {
    SelectorSavedIndex = static_cast<short>(list.ListIndex());
    for (SelectorLoopIndex = 0; SelectorLoopIndex < list.ListCount(); ++SelectorLoopIndex) {
        if (SelectorSavedIndex < 0 && list.Selected(SelectorLoopIndex))
            SelectorSavedIndex = SelectorLoopIndex;
        list.setSelected(SelectorLoopIndex, false);
    }
}

void Options::selectorRemark(ui::ListBox& list) {
    ui::step([&] { list.setSelected(SelectorSavedIndex, true); });
}

void Options::SkinSelector_MouseDown() {
    selectorPressed(SkinSelector);
}

void Options::LanguageSelector_MouseDown() {
    selectorPressed(LanguageSelector);
}

// With no current row there is no skin to take: an empty name would be saved
// and break every skin reader.
void Options::SkinSelector_MouseUp() {
    selectorRemark(SkinSelector);
    if (SkinSelector.ListIndex() < 0) return;
    DataForm& d = form<DataForm>();
    ui::step([&] { SkinName.setText(SkinSelector.Text()); });
    ui::step([&] { d.SkinSettings.Clear(); });
    ui::step([&] { d.SkinValues.Clear(); });
    ui::step([&] {
        DataList.IncarcaData(d.programFile("\\Skins\\" + SkinName.Text() + "\\skin.ini"),
                             d.SkinSettings);
    });
    ui::step([&] { app().module<Skins>().ApplySkin(); });
}

void Options::LanguageSelector_MouseUp() {
    selectorRemark(LanguageSelector);
    if (LanguageSelector.ListIndex() < 0) return;
    ui::step([&] { LanguagesMod::ApplyLanguage(app(), LanguageSelector.Text()); });
}

void Options::connectPages() {
    SkinSelector.MouseDown.connect([this](int, int, float, float) { SkinSelector_MouseDown(); });
    SkinSelector.MouseUp.connect([this](int, int, float, float) { SkinSelector_MouseUp(); });
    LanguageSelector.MouseDown.connect(
        [this](int, int, float, float) { LanguageSelector_MouseDown(); });
    LanguageSelector.MouseUp.connect(
        [this](int, int, float, float) { LanguageSelector_MouseUp(); });
    Command2.Click.connect([this] { Command2_Click(); });
    Command3.Click.connect([this] { Command3_Click(); });
}
