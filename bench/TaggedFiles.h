#pragma once

#include <benchmark/benchmark.h>

#include "support/Mp3Files.h"
#include "support/TempDir.h"

// 10,000 short MP3 files with ID3v1 tags of their own, in a temporary folder.
struct TaggedFiles {
    static constexpr int kCount = 10000;

    testsupport::TempDir folder;
    QStringList paths = testsupport::writeTaggedMp3s(folder.path(), kCount);

    // False, with the benchmark marked failed, when the files could not be written.
    bool ready(benchmark::State& state) const {
        if (paths.size() == kCount) return true;
        state.SkipWithError("could not write the media files");
        return false;
    }
};
