#!/usr/bin/env bash
# Takes the README's screenshots (docs/window.png, window-144dpi.png, menu.png,
# capture.png, export.png, scan.png, editor.png) from the real program under
# Wine, after a mingw build: the
# end-to-end driver's disabled DocsScreenshots scenarios leave BMP files that
# become the PNGs. docs/export-page.png is an export's index.html as headless
# Chromium shows it (Debian's chromium, installed here when missing).
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
# The window on a 144-DPI display, in a Wine prefix and on a display of its own.
bash tests/e2e/run_high_dpi.sh 144 "$PWD/build/wineprefix_144dpi" "$build/tests/e2e/e2e_driver.exe" \
  "$PWD/$build/app/brevane.exe" "$work/data" "$work/shots_144dpi" "$work/scratch" \
  --gtest_also_run_disabled_tests --gtest_filter='DISABLED_DocsScreenshotsAt144Dpi.*'
for shot in window menu capture export scan editor; do
  convert "$work/shots/$shot.bmp" -strip "docs/$shot.png"
done
convert "$work/shots_144dpi/window-144dpi.bmp" -strip docs/window-144dpi.png

if ! command -v chromium >/dev/null; then
  apt-get install -y --no-install-recommends chromium >/dev/null
fi
export_folder=$work/export-page
rm -rf "$export_folder"
wine "$build/cli/brevane-cli.exe" export "$work/data/docs_plasma_480x320.bmp" --fit 4x3 \
  --reduce quality -o "$export_folder"
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=900,1200 \
  --screenshot="$work/export-page.png" "file://$export_folder/index.html" 2>/dev/null
convert "$work/export-page.png" -trim -bordercolor white -border 16 -strip docs/export-page.png
echo "docs/window.png, window-144dpi.png, menu.png, capture.png, export.png, scan.png, editor.png and export-page.png written"
