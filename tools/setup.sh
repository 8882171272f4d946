#!/usr/bin/env bash
# Installs, from Debian's packages, what building and testing the game needs.
# Does nothing (quickly) when everything is already there.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  APT_UPDATE=1
fi

for p in cmake ninja-build g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix \
         binutils-mingw-w64-i686 mingw-w64-i686-dev wine wine32:i386 \
         g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64 xvfb xauth locales \
         fonts-ipafont-gothic fonts-ipafont-mincho googletest libboost-dev libstb-dev \
         libgl1-mesa-dri:i386 libgl1:i386 libglx-mesa0:i386 libasound2:i386 libasound2-plugins:i386 x11-utils \
         sox libsox-fmt-base clang libclang-rt-14-dev; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

# The game's texts are Shift-JIS; Wine picks code page 932 from a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen ja_JP.UTF-8 >/dev/null
fi
