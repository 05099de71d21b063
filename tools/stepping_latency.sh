#!/usr/bin/env bash
# Click-to-painted latency of stepping through worst-case designs (1024
# colours each), from a file image and from a capture: median and 99th
# percentile, beside the repaint alone. A measurement, not a test: run it by
# hand after `cmake --build --preset mingw`.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-session.sh
e2e=$PWD/build/mingw/tests/e2e
wine "$e2e/e2e_driver.exe" "$PWD/build/mingw/app/brevane.exe" "$e2e/data" \
  "$e2e/run_latency/symbols" "$e2e/run_latency/scratch" \
  --gtest_also_run_disabled_tests --gtest_filter='SteppingLatency.*' |
  grep -E 'ms|OK|FAILED'
