#!/usr/bin/env bash
# Makes the sample game: builds the native generator, has it write every
# picture, sound and data file into SAMPLE_DIR (default: the build's sample/
# folder), then encodes the tune as Ogg Vorbis. Nothing of it is kept in the
# sources.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
. tools/host-build.sh
host_build sample_game
SAMPLE_DIR=${SAMPLE_DIR:-$BUILD_DIR/sample}
rm -rf "$SAMPLE_DIR.new"
"$HOST_BUILD_DIR/tools/sample/sample_game" write "$SAMPLE_DIR.new"
# -R: the encoder's stream number is fixed, so the tune is the same file each time.
sox -R "$SAMPLE_DIR.new/bgm/Theme.wav" -C 3 "$SAMPLE_DIR.new/bgm/Theme.ogg"
rm "$SAMPLE_DIR.new/bgm/Theme.wav"
rm -rf "$SAMPLE_DIR"
mv "$SAMPLE_DIR.new" "$SAMPLE_DIR"
