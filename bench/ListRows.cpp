// A shown list holding one very long row among ordinary ones: filling it and
// drawing its rows, as the playlist does at start with a damaged list file.
#include <QCoreApplication>

#include "BenchMain.h"
#include "platform/ui/Application.h"
#include "platform/ui/ListBox.h"

namespace {

class Rows : public ui::Form {
  public:
    explicit Rows(ui::Application& app) : ui::Form(app, "Rows") {
        Move(0, 0, 9000, 9000);
        List.Move(0, 0, 9000, 9000);
    }
    ui::ListBox List{*this, "List"};
};

struct Shown {
    ui::Application app{std::make_unique<ui::ManualClock>(),
                        std::make_unique<ui::RecordingDialogs>()};
    Rows& w = app.form<Rows>();

    explicit Shown(qsizetype longRow) {
        w.Show();
        w.List.AddItem(QString(longRow, QChar('x')));
        for (int i = 0; i < 1000; ++i)
            w.List.AddItem(QString("row %1").arg(i));
        QCoreApplication::processEvents();
    }
};

void BM_FillAndShowWithALongRow(benchmark::State& state) {
    for (auto _ : state) {
        Shown shown(state.range(0));
        benchmark::DoNotOptimize(shown.w.List.clientWidget()->grab());
    }
    state.SetLabel(std::to_string(state.range(0)) + " characters in row 0");
}
BENCHMARK(BM_FillAndShowWithALongRow)->Arg(100)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_DrawRowsWithALongRow(benchmark::State& state) {
    Shown shown(state.range(0));
    QWidget* rows = shown.w.List.clientWidget();
    for (auto _ : state)
        benchmark::DoNotOptimize(rows->grab());
}
BENCHMARK(BM_DrawRowsWithALongRow)->Arg(100)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
