#include "windows/FormMeniuri.h"

#include "controls/modUserMenus.h"
#include "options/Options.h"
#include "playlist/ClsPl.h"

namespace {

// Each play order's option button and the two items (row menu, playlist
// window's menu) that show it; then each video size's button and item.
struct PlayOrderMarks {
    ui::OptionButton Options::*option;
    ui::Menu FormMeniuri::*rowItem;
    ui::Menu FormMeniuri::*listItem;
};
const PlayOrderMarks kPlayOrders[] = {
    {&Options::Option1, &FormMeniuri::MeniuLaRand, &FormMeniuri::ShuffleOfMenu},
    {&Options::Option2, &FormMeniuri::MeniuAleatoriu, &FormMeniuri::ShuffleOnMenu},
    {&Options::Option3, &FormMeniuri::MeniuPreferinte, &FormMeniuri::PlayTheBestMenu},
};

struct VideoSizeMark {
    ui::OptionButton Options::*option;
    ui::Menu FormMeniuri::*item;
};
const VideoSizeMark kVideoSizes[] = {
    {&Options::Option14, &FormMeniuri::StretchMenu},
    {&Options::Option16, &FormMeniuri::OriginalSizeMenu},
    {&Options::Option17, &FormMeniuri::OriginalSize2Menu},
};

}  // namespace

FormMeniuri::FormMeniuri(ui::Application& app) : PlayerForm(app, "FormMeniuri") {
    setCaption("Meniuri");
    setBorderStyle(vbBSNone);
    designTree();
    designIcons();
    connectItems();
}

FormMeniuri::~FormMeniuri() = default;

void FormMeniuri::Form_Unload(int&) {
    MainCtl.set(nullptr);
    Updates.set(nullptr);
    PlaylistOps.reset();
}

ClsPl& FormMeniuri::playlistOps() {
    if (!PlaylistOps) PlaylistOps = std::make_unique<ClsPl>(app());
    return *PlaylistOps;
}

// An option that is not selected changes nothing.
void FormMeniuri::SetMenuStuff() {
    Options& o = form<Options>();
    for (const PlayOrderMarks& chosen : kPlayOrders) {
        if (!(o.*chosen.option).Value()) continue;
        for (const PlayOrderMarks& each : kPlayOrders) {
            (this->*each.rowItem).setChecked(&each == &chosen);
            (this->*each.listItem).setChecked(&each == &chosen);
        }
    }
    for (const VideoSizeMark& chosen : kVideoSizes) {
        if (!(o.*chosen.option).Value()) continue;
        for (const VideoSizeMark& each : kVideoSizes)
            (this->*each.item).setChecked(&each == &chosen);
    }
    app().module<modUserMenus>().InitUserMenus(*this, &Icons);
}
