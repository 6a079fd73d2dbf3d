#!/usr/bin/env bash
# Builds the libFuzzer targets of the media readers into fuzz/out/ with clang
# and the address and undefined-behaviour sanitizers.  Outside the normal
# build and outside ctest; run a target as
#   fuzz/out/mp3_header_fuzz -max_total_time=600 -max_len=8192 fuzz/corpus/mp3_header SEEDS
# (see the README).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang++ >/dev/null || {
    echo "fuzz/build.sh needs clang (apt-get install clang)" >&2
    exit 1
}
mkdir -p fuzz/out
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Isrc -I. $(pkg-config --cflags Qt6Core))
shared=(src/shared/Files.cpp src/shared/NumberText.cpp src/shared/Rounding.cpp
        src/shared/TextCodec.cpp src/platform/ui/RuntimeError.cpp)
clang++ "${flags[@]}" fuzz/Mp3HeaderFuzz.cpp src/core/Mp3InfoMod.cpp "${shared[@]}" \
    $(pkg-config --libs Qt6Core) -o fuzz/out/mp3_header_fuzz
clang++ "${flags[@]}" fuzz/Id3v1TagFuzz.cpp src/core/Id3v1Tag.cpp "${shared[@]}" \
    $(pkg-config --libs Qt6Core) -o fuzz/out/id3v1_tag_fuzz
