#!/usr/bin/env bash
# Builds the game and starts it under Wine in the game folder (default: the
# build's game/ folder, laid out from the sample game the build makes).
# Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
bash tools/build.sh
GAME_DIR=${GAME_DIR:-$BUILD_DIR/game}
mkdir -p "$GAME_DIR"
cp "$BUILD_DIR/Game.exe" "$GAME_DIR/"
[ -f "$BUILD_DIR/Vox.dll" ] && cp "$BUILD_DIR/Vox.dll" "$GAME_DIR/"
cp -r "$BUILD_DIR/sample/." "$GAME_DIR/"
. tools/wine-env.sh
wine_env_setup "$BUILD_DIR"
if [ -z "${DISPLAY:-}" ]; then
  trap wine_env_stop EXIT
  wine_env_start
else
  wine_env_prefix
fi
cd "$GAME_DIR"
wine Game.exe "$@"
