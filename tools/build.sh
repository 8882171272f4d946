#!/usr/bin/env bash
# Configures and builds the Windows program and its tests into BUILD_DIR (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
bash tools/setup.sh
. tools/arch.sh
game_arch_detect
# A build folder made for the other architecture is made anew.
if [ -f "$BUILD_DIR/build.ninja" ] && [ "$(cat "$BUILD_DIR/.game-arch" 2>/dev/null)" != "$GAME_ARCH" ]; then
  rm -rf "$BUILD_DIR"
fi
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  # ccache, where the machine has it, shares compiled objects between checkouts.
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$GAME_TOOLCHAIN" "${launcher[@]}" >/dev/null
  echo "$GAME_ARCH" > "$BUILD_DIR/.game-arch"
fi
export CCACHE_BASEDIR="$PWD"
cmake --build "$BUILD_DIR" -j "$(nproc)"
# The sample game the program plays, made by our own generator.
bash tools/sample.sh
