#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DPLENK_BUILD_BENCH=OFF
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
