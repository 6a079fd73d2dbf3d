#include "windows/FormMeniuri.h"

FormMeniuri::FormMeniuri(ui::Application& app) : PlayerForm(app, "FormMeniuri") {
    setBorderStyle(vbBSNone);
    const std::pair<ui::Menu*, const char*> captions[] = {
        {&MediaLibraryMenu, "Media Library"},
        {&FileInfoMenu, "File info"},
        {&ID3InfoMenu, "ID3 info"},
        {&ShowTop20Menu, "Top 20"},
        {&MenuInfo, "Informations"},
        {&StretchMenu, "Stretch to window"},
        {&OriginalSizeMenu, "Original size"},
        {&OriginalSize2Menu, "Original size x 2"},
        {&ShuffleOfMenu, "Shuffle off"},
        {&ShuffleOnMenu, "Shuffle on"},
        {&PlayTheBestMenu, "Play the best"},
        {&MeniuProgrameaza, "Play next"},
        {&MeniuAfisareClasament, "Top 20"},
        {&MeniuLaRand, "In list order"},
        {&MeniuAleatoriu, "Random"},
        {&MeniuPreferinte, "By preference"},
        {&SysTrayStop, "Stop"},
    };
    for (auto [menu, caption] : captions)
        menu->setCaption(caption);
    StretchMenu.setChecked(true);
    ShuffleOfMenu.setChecked(true);
    MeniuLaRand.setChecked(true);
}
