#!/usr/bin/env bash
# Runs the end-to-end driver at another DPI: Wine takes the DPI from LogPixels
# in the prefix, for every process started afterwards, so the run has a prefix
# and an X display of its own, apart from the 96-DPI runs.
# Usage: run_high_dpi.sh <dpi> <prefix folder> <driver.exe> <driver arguments...>
set -euo pipefail
dpi=$1
export WINEPREFIX=$2
shift 2
unset BREVANE_KEEP_DISPLAY
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session.sh"
desktop='HKCU\Control Panel\Desktop'
if ! wine reg query "$desktop" /v LogPixels 2>/dev/null | grep -qi "$(printf '0x%x$' "$dpi")"; then
  wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  # The services already running read the old DPI: start them again.
  wineserver -k
  wineserver -w
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
fi
wine "$@"
