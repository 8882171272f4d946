#!/usr/bin/env bash
# Configures and builds the Windows program and its tests into BUILD_DIR (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
bash tools/setup.sh
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE=tools/toolchain-i686-mingw.cmake >/dev/null
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"
