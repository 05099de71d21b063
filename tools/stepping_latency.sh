#!/usr/bin/env bash
# Click-to-painted latency of stepping through worst-case designs (1024
# colours each), from a file image and from a capture: median and 99th
# percentile, beside the repaint alone, with each reduction of the menu; and
# opening and fitting a 4000 x 3000 JPEG photograph (command 110) beside
# brevane-cli record --fit. A measurement, not a test: run it by hand after
# `cmake --build --preset mingw`.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-session.sh
e2e=$PWD/build/mingw/tests/e2e
mkdir -p "$e2e/run_latency"
photo=$e2e/run_latency/photo_4000x3000.jpg
[ -f "$photo" ] || convert -seed 12 -size 4000x3000 plasma:tan-navy -quality 90 "$photo"
export BREVANE_FIT_PICTURE=$photo BREVANE_CLI_EXE=$PWD/build/mingw/cli/brevane-cli.exe
wine "$e2e/e2e_driver.exe" "$PWD/build/mingw/app/brevane.exe" "$e2e/data" \
  "$e2e/run_latency/symbols" "$e2e/run_latency/scratch" \
  --gtest_also_run_disabled_tests --gtest_filter='SteppingLatency.*:FitLatency.*' |
  grep -E 'ms|OK|FAILED'
