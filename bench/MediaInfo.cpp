// Reading the ID3v1 tag and the MPEG information of 10,000 tagged MP3 files
// (warm cache), what the player does for every file it plays.
#include "BenchMain.h"
#include "TaggedFiles.h"
#include "core/Id3Module.h"
#include "core/Mp3InfoMod.h"
#include "support/PlayerFixture.h"

namespace {

void BM_TagAndMpegInfo(benchmark::State& state) {
    testsupport::PlayerFixture p;
    const TaggedFiles media;
    if (!media.ready(state)) return;
    const QStringList& files = media.paths;
    Id3Module& id3 = p.app->module<Id3Module>();
    Mp3InfoMod& mpeg = p.app->module<Mp3InfoMod>();
    int tagged = 0;
    for (auto _ : state) {
        tagged = 0;
        for (const QString& file : files) {
            id3.ReadId3v1Tag(file);
            Mp3Info info;
            mpeg.ReadMp3Info(file, info);
            tagged += id3.Tag.Genre != Id3v1Tag::kNoGenre && !info.Bitrate.isEmpty();
        }
    }
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["tagged"] = tagged;
}
BENCHMARK(BM_TagAndMpegInfo)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
