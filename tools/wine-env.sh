# Sourced by the build and test scripts: the environment in which the game and
# its tests run under Wine, laid out the way a Japanese Windows user's machine is.
#   wine_env_setup BUILD_DIR   -> exports the variables, creates the prefix
#   wine_env_start             -> virtual display and persistent wineserver
#   wine_env_stop              -> ends both
wine_env_setup() {
  local build
  build=$(cd "$1" && pwd)
  export WINEPREFIX="$build/wineprefix"
  . "$(dirname "${BASH_SOURCE[0]}")/arch.sh"
  game_arch_detect
  export WINEARCH="$GAME_ARCH"
  # "wine" (and the helpers that call it by name) runs the loader of that
  # architecture: without a 32-bit loader, the 64-bit one runs the 64-bit build.
  mkdir -p "$build/wine-bin"
  printf '#!/bin/sh\nexec %s "$@"\n' "$GAME_WINE" > "$build/wine-bin/wine"
  printf '#!/bin/sh\nexec %s "$@"\n' "$GAME_WINE" > "$build/wine-bin/wine-stable"
  printf '#!/bin/sh\nexec %s wineboot.exe "$@"\n' "$GAME_WINE" > "$build/wine-bin/wineboot"
  chmod +x "$build/wine-bin/wine" "$build/wine-bin/wine-stable" "$build/wine-bin/wineboot"
  case ":$PATH:" in *":$build/wine-bin:"*) ;; *) export PATH="$build/wine-bin:$PATH" ;; esac
  if [ "$GAME_ARCH" = win64 ]; then export WINELOADER="$GAME_WINE"; fi
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  # DirectSound opens on a null ALSA output: nothing is heard, nothing fails.
  export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$build/asound-null.conf"
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$build/asound-null.conf"
  WINE_ENV_BUILD="$build"
}

wine_env_prefix() {
  if [ ! -f "$WINEPREFIX/.game-prefix-ready-4" ] || [ "$(cat "$WINEPREFIX/.game-arch" 2>/dev/null)" != "$WINEARCH" ]; then
    echo "wine-env: creating the Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
    # No crash dialog: a crashed test must fail, not wait for a click.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # The game's Direct3D without Wine's command-stream thread: between two
    # frames that thread waits busily for the next one, a core's worth of
    # time for a game that draws little and sleeps the rest of the frame.
    timeout 60 wine reg add 'HKCU\Software\Wine\AppDefaults\Game.exe\Direct3D' /v csmt /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # No window manager runs on the virtual display: windows are not left to
    # one. A window the manager would handle is, on hiding, waited for until
    # the manager has withdrawn it, which here ends only by Wine's 2 s time
    # limit (at every exit of the game, every dialog or box closed).
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # The face names the game asks for map to the installed Japanese fonts:
    # the Japanese faces of its face list and their English names.
    local sub='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    for face in 'ＭＳ ゴシック' 'ＭＳ Ｐゴシック' 'MS Gothic' 'MS PGothic' 'ＭＳ 明朝' 'ＭＳ Ｐ明朝' \
                'MS Mincho' 'MS PMincho' 'MS UI Gothic' 'メイリオ' 'Meiryo'; do
      timeout 60 wine reg add "$sub" /v "$face" /t REG_SZ /d 'IPAGothic' /f >/dev/null 2>&1
    done
    timeout 60 wineserver -w || true
    touch "$WINEPREFIX/.game-prefix-ready-4"
    echo "$WINEARCH" > "$WINEPREFIX/.game-arch"
  fi
}

wine_env_start() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  WINE_ENV_XVFB=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  wine_env_prefix
  wineserver -p
  # Start Wine's own services now, on no output of anybody's.
  timeout 120 wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  echo "wine-env: display $DISPLAY, prefix $WINEPREFIX"
}

wine_env_stop() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  if [ -n "${WINE_ENV_XVFB:-}" ]; then kill "$WINE_ENV_XVFB" 2>/dev/null || true; wait "$WINE_ENV_XVFB" 2>/dev/null || true; fi
}
