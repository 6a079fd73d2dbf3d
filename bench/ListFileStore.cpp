// Loading and saving a 100,000- and a 1,000,000-line list file through the list-file store
// into a list box (the playlist's paths at start-up and shut-down), and saving 100,000 lines
// in place, into a file whose folder cannot be written.
#include <QCoreApplication>
#include <QFile>

#include "BenchMain.h"
#include "PlaylistFile.h"
#include "persistence/DataClass.h"
#include "platform/ui/Application.h"
#include "platform/ui/ListBox.h"
#include "shared/WholeFileWriter.h"
#include "support/FileLimits.h"
#include "support/TempDir.h"

namespace {

class Holder : public ui::Form {
  public:
    explicit Holder(ui::Application& app) : ui::Form(app, "Holder") {}
    ui::ListBox List{*this, "List"};
};

struct Fixture {
    ui::Application app{std::make_unique<ui::ManualClock>(),
                        std::make_unique<ui::RecordingDialogs>()};
    testsupport::TempDir dir;
    QString file = dir.file("plst.data");

    explicit Fixture(int lines) { dir.write("plst.data", playlistFile(lines)); }
};

void BM_LoadListFile(benchmark::State& state) {
    Fixture fx(static_cast<int>(state.range(0)));
    ui::ListBox& list = fx.app.form<Holder>().List;
    DataClass data;
    for (auto _ : state) {
        list.Clear();
        data.IncarcaData(fx.file, list);
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = list.ListCount();
}
BENCHMARK(BM_LoadListFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SaveListFile(benchmark::State& state) {
    Fixture fx(static_cast<int>(state.range(0)));
    ui::ListBox& list = fx.app.form<Holder>().List;
    DataClass data;
    data.IncarcaData(fx.file, list);
    const QString out = fx.dir.file("out.data");
    for (auto _ : state)
        data.SalveazaData(out, list);
}
BENCHMARK(BM_SaveListFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SaveListFileInPlace(benchmark::State& state) {
    Fixture fx(static_cast<int>(state.range(0)));
    ui::ListBox& list = fx.app.form<Holder>().List;
    DataClass data;
    data.IncarcaData(fx.file, list);
    const QString out = fx.dir.write("locked/plst.data", "");
    const QString folder = fx.dir.file("locked");
    shared::setSaveJournal(fx.dir.file("state"));
    testsupport::PermissionsHold hold;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    bool saved = true;
    for (auto _ : state)
        saved = data.SalveazaData(out, list) && saved;
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    shared::setSaveJournal({});
    if (!saved) state.SkipWithError("the save failed");
}
BENCHMARK(BM_SaveListFileInPlace)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
