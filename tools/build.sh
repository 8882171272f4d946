#!/usr/bin/env bash
# Configures and builds the Windows program and its tests into BUILD_DIR (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
bash tools/setup.sh
. tools/arch.sh
game_arch_detect
game_arch_configure "$BUILD_DIR" "$GAME_ARCH"
. tools/ccache.sh
cmake --build "$BUILD_DIR" -j "$(nproc)"
# The sample game the program plays, made by our own generator.
bash tools/sample.sh
