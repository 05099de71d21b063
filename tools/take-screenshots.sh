#!/usr/bin/env bash
# Takes the README's screenshots (docs/window.png, menu.png, capture.png) from the
# real program under Wine, after a mingw build: the end-to-end driver's
# disabled DocsScreenshots scenarios leave BMP files that become the PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/mingw
source tools/wine-session.sh
work=$PWD/$build/tests/e2e/docs
bash tests/e2e/make_fixtures.sh "$work/data" >/dev/null
convert -seed 3 -size 480x320 plasma:orange-green -type TrueColor \
  "BMP3:$work/data/docs_plasma_480x320.bmp"
wine "$build/tests/e2e/e2e_driver.exe" "$PWD/$build/app/brevane.exe" "$work/data" \
  "$work/shots" "$work/scratch" --gtest_also_run_disabled_tests \
  --gtest_filter='DISABLED_DocsScreenshots.*'
for shot in window menu capture; do
  convert "$work/shots/$shot.bmp" -strip "docs/$shot.png"
done
echo "docs/window.png, docs/menu.png and docs/capture.png written"
