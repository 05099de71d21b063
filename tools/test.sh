#!/usr/bin/env bash
# Builds everything and runs every test: native unit and oracle tests (plain
# and under AddressSanitizer + UBSan), the Windows build's tests under Wine,
# the release zip, and a minute's run of each fuzzer.
# On a fresh Debian 12 machine it installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

jobs=$(nproc)
for preset in native mingw asan fuzz; do
  cmake --preset "$preset" -DBREVANE_WERROR=ON >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

source tools/wine-session.sh

status=0
ctest --preset mingw -j "$jobs" || status=1
# The release zip, made from the mingw build and proven unpacked.
if release_zip=$(bash tools/package.sh | tail -n 1); then
  bash tests/e2e/check_release_zip.sh "$release_zip" || status=1
else
  status=1
fi
ctest --test-dir build/fuzz --output-on-failure -j "$jobs" || status=1
ctest --preset asan -j "$jobs" || status=1
# The native suite runs last, so its summary line ends the output.
ctest --preset native -j "$jobs" || status=1
if [ "$status" -ne 0 ]; then
  echo "Some tests failed (see the summaries above)." >&2
fi
exit "$status"
