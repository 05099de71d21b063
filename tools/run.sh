#!/usr/bin/env bash
# Builds the Windows program and starts it: natively on Windows, under Wine here.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)"

exe=build/mingw/app/brevane.exe
if [ ! -f "$exe" ]; then
  echo "Built the core libraries; the window program is not part of the build yet."
  exit 0
fi
# Use the desktop's display when there is one; otherwise a headless one.
if [ -n "${DISPLAY:-}" ]; then export BREVANE_KEEP_DISPLAY=1; fi
source tools/wine-session.sh
wine "$exe"
