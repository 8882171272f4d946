# Sourced by the build, run and test scripts: which Windows the game is built
# for here. The game is a 32-bit program; a machine whose kernel cannot run
# 32-bit programs (and so no 32-bit Wine) builds and runs the same sources as
# a 64-bit program instead, and says so.
#   GAME_ARCH=win32|win64 forces the choice.
game_arch_detect() {
  if [ -z "${GAME_ARCH:-}" ]; then
    if [ -x /usr/lib/wine/wineserver32 ] && /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
      GAME_ARCH=win32
    elif [ -x /usr/lib/wine/wineserver32 ]; then
      GAME_ARCH=win64
      echo "arch: this machine cannot run 32-bit programs; building and running the 64-bit program instead" >&2
    else
      GAME_ARCH=win32   # nothing installed yet: setup.sh installs the 32-bit Wine first
    fi
  fi
  export GAME_ARCH
  case "$GAME_ARCH" in
    win32) GAME_WINE=/usr/bin/wine ;;
    win64) GAME_WINE=/usr/lib/wine/wine64 ;;
    *) echo "arch: GAME_ARCH must be win32 or win64" >&2; return 2 ;;
  esac
  export GAME_WINE
}

# game_arch_configure DIR ARCH [CMAKE ARGS...]: configures DIR as a build for
# ARCH (win32 or win64) with the mingw-w64 compilers of that architecture,
# unless it is one already; a folder made for the other architecture is made
# anew. Run from the top of the checkout.
game_arch_configure() {
  local dir=$1 arch=$2 toolchain
  shift 2
  case "$arch" in
    win32) toolchain=tools/toolchain-i686-mingw.cmake ;;
    win64) toolchain=tools/toolchain-x86_64-mingw.cmake ;;
    *) echo "arch: no build for '$arch'" >&2; return 2 ;;
  esac
  if [ -f "$dir/build.ninja" ] && [ "$(cat "$dir/.game-arch" 2>/dev/null)" != "$arch" ]; then
    rm -rf "$dir"
  fi
  if [ ! -f "$dir/build.ninja" ]; then
    . tools/ccache.sh
    cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${CCACHE_LAUNCHER[@]}" "$@" >/dev/null
    echo "$arch" > "$dir/.game-arch"
  fi
}
