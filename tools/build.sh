#!/usr/bin/env bash
# Configures and builds the Windows program and its tests into BUILD_DIR (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
bash tools/setup.sh
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  # ccache, where the machine has it, shares compiled objects between checkouts.
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE=tools/toolchain-i686-mingw.cmake "${launcher[@]}" >/dev/null
fi
export CCACHE_BASEDIR="$PWD"
cmake --build "$BUILD_DIR" -j "$(nproc)"
