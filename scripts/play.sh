#!/usr/bin/env bash
# Installs what is needed, builds, and starts the player with the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-xcb}"
exec build/program/plenk-player "$PWD/build/program/Samples/plenk-sample.ogg"
