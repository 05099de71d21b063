#!/usr/bin/env bash
# Installs every Debian 12 package the build and the tests need, skipping
# what is already there. Runs as root, or through sudo when not root.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libqrcodegencpp-dev python3-qrcodegen libqrencode-dev libzxing-dev
  zbar-tools libzbar-dev libstb-dev python3
  zlib1g-dev libz-mingw-w64-dev
  g++-mingw-w64-x86-64 wine wine64 xvfb xdotool x11-utils imagemagick
  fonts-ipafont-gothic fonts-wine locales python3-xlib
  lomiri-wallpapers-16.04 lomiri-wallpapers-20.04
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The end-to-end tests run the program under a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  "${sudo_cmd[@]}" sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen
fi
