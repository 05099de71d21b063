#!/usr/bin/env bash
# The scanner's read-rate table beside zxing-cpp and zbar over the generated
# test pictures (N of each category, 100 by default, and half as many of each
# condition), as docs/scanner.md shows it, and the benchmark beside zxing-cpp.
# Needs a native build with
# libzxing-dev and libzbar-dev installed. Not a CI step.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$here/build/native" --target scan_read_table scan_bench -j2
"$here/build/native/tests/scan/scan_read_table" "${1:-100}"
"$here/build/native/bench/scan/scan_bench"
