#include "windows/FormMeniuri.h"

#include "controls/modUserMenus.h"
#include "options/Options.h"

FormMeniuri::FormMeniuri(ui::Application& app) : PlayerForm(app, "FormMeniuri") {
    setBorderStyle(vbBSNone);
    const std::pair<ui::Menu*, const char*> captions[] = {
        {&MediaLibraryMenu, "Media Library"}, {&FileInfoMenu, "File info"},
        {&ID3InfoMenu, "ID3 info"},           {&ShowTop20Menu, "Top 20"},
        {&MenuInfo, "Informations"},          {&StretchMenu, "Stretch to window"},
        {&OriginalSizeMenu, "Original size"}, {&OriginalSize2Menu, "Original size x 2"},
        {&ShuffleOfMenu, "Shuffle off"},      {&ShuffleOnMenu, "Shuffle on"},
        {&PlayTheBestMenu, "Play the best"},  {&FullMiniMenu, "Full / Mini mode"},
        {&MeniuProgrameaza, "Play next"},     {&MeniuAfisareClasament, "Top 20"},
        {&MeniuLaRand, "In list order"},      {&MeniuAleatoriu, "Random"},
        {&MeniuPreferinte, "By preference"},  {&SysTrayStop, "Stop"},
    };
    for (auto [menu, caption] : captions)
        menu->setCaption(caption);
    StretchMenu.setChecked(true);
    ShuffleOfMenu.setChecked(true);
    MeniuLaRand.setChecked(true);
}

void FormMeniuri::SetMenuStuff() {
    Options& o = form<Options>();
    MeniuLaRand.setChecked(o.Option1.Value());
    ShuffleOfMenu.setChecked(o.Option1.Value());
    MeniuAleatoriu.setChecked(o.Option2.Value());
    ShuffleOnMenu.setChecked(o.Option2.Value());
    MeniuPreferinte.setChecked(o.Option3.Value());
    PlayTheBestMenu.setChecked(o.Option3.Value());
    StretchMenu.setChecked(o.Option14.Value());
    OriginalSizeMenu.setChecked(o.Option16.Value());
    OriginalSize2Menu.setChecked(o.Option17.Value());
    app().module<modUserMenus>().InitUserMenus(*this, &Icons);
}
