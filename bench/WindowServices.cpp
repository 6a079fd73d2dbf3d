// One step of a window drag with snapping to six targets and two docked
// windows carried along; measuring and painting a 25-item owner-drawn menu.
#include <QImage>
#include <QPainter>

#include "BenchMain.h"
#include "controls/Snap.h"
#include "controls/modUserMenus.h"
#include "options/Options.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPanel.h"
#include "platform/ui/MoveLoop.h"
#include "platform/ui/Twips.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "windows/MiniForm.h"

namespace {

void BM_SnapMoveStep(benchmark::State& state) {
    testsupport::PlayerFixture p{testsupport::notStarted()};
    p.app->screen().scriptDesktop({0, 0, 1920, 1080}, {0, 0, 1920, 1050});
    p.app->pointer().script({110, 110});
    p.start();
    Main& m = p.form<Main>();
    m.Move(ui::toTwips(100), ui::toTwips(100));
    m.Show();
    int x = 0;
    for (ui::Form* f : std::initializer_list<ui::Form*>{
             &p.form<Playlist>(), &p.form<MediaLibrary>(), &p.form<JumpForm>(), &p.form<Options>(),
             &p.form<MiniForm>()}) {
        f->Move(ui::toTwips(x += 300), ui::toTwips(600));
        f->Show();
    }
    DataForm& d = p.form<DataForm>();
    d.Sn1.setCaption("0");
    d.Sn2.setCaption("3000");
    d.Sn3.setCaption("6000");
    d.Sn4.setCaption("0");
    d.Magnet.setCaption("1");
    ui::MoveLoop loop(m, ui::HTCAPTION);
    loop.begin();
    state.counters["targets"] = static_cast<double>(p.app->module<Snap>().pass().targets.size());
    int step = 0;
    for (auto _ : state) {
        ++step;
        loop.step({110 + step % 40, 110 + step % 25});
    }
    loop.release({110, 110});
}
BENCHMARK(BM_SnapMoveStep)->Unit(benchmark::kMicrosecond);

class MenuOwner : public ui::Form {
  public:
    explicit MenuOwner(ui::Application& app) : ui::Form(app, "MenuOwner") {
        QImage art(17, 18, QImage::Format_RGB32);
        art.fill(QColor(192, 192, 192));
        for (int i = 0; i < 28; ++i)
            Icons.Add(ui::Picture(QPixmap::fromImage(art)));
        for (int i = 0; i < 25; ++i) {
            items.push_back(std::make_unique<ui::Menu>(*this, QString("Item%1").arg(i), &Top));
            items.back()->setCaption(i % 6 == 5 ? "-" : QString("Menu item %1\tCtrl+%1").arg(i));
            items.back()->setTag(QString::number(i % 28 + 1));
            items.back()->setChecked(i % 4 == 0);
            items.back()->setEnabled(i % 7 != 3);
        }
    }
    ui::Menu Top{*this, "Top"};
    std::vector<std::unique_ptr<ui::Menu>> items;
    ui::ImageList Icons{*this, "Icons"};
};

void BM_OwnerDrawnMenu(benchmark::State& state) {
    ui::Application app(std::make_unique<ui::ManualClock>(),
                        std::make_unique<ui::RecordingDialogs>());
    MenuOwner& w = app.form<MenuOwner>();
    modUserMenus menus(app);
    menus.InitUserMenus(w, &w.Icons);
    ui::PainterCanvas measuring(nullptr, QFont());
    for (auto _ : state) {
        ui::MenuPanel panel(w.Top, measuring);
        QImage image(panel.size(), QImage::Format_RGB32);
        QPainter painter(&image);
        panel.paint(painter, 2);
    }
}
BENCHMARK(BM_OwnerDrawnMenu)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
