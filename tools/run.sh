#!/usr/bin/env bash
# Builds the Windows program and starts it: natively on Windows, under Wine here.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)"

exe=build/mingw/app/brevane.exe
# Use the desktop's display when there is one; otherwise a headless one.
if [ -n "${DISPLAY:-}" ]; then
  export BREVANE_KEEP_DISPLAY=1
else
  echo "No DISPLAY: the program runs on a headless X server (stop it with Ctrl+C)."
fi
source tools/wine-session.sh
# The program's exit code is the script's.
wine "$exe"
