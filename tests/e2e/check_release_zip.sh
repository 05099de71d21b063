#!/usr/bin/env bash
# Proves the release zip that tools/package.sh writes: unpacked into an empty
# folder, its programs run from there under Wine and import system DLLs only.
# Usage (in the session of tools/wine-session.sh): check_release_zip.sh <zip>
set -euo pipefail
zip=$(realpath "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
name=$(basename "$zip" .zip)
version=${name#brevane-}
version=${version%-windows-x64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "release zip: $*" >&2
  exit 1
}

cd "$work"
cmake -E tar xf "$zip"
cd "$name"
for file in brevane.exe brevane-cli.exe README.txt THIRD-PARTY.txt; do
  [ -s "$file" ] || fail "$file missing"
done
[ "$(head -c 3 README.txt | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "README.txt has no byte-order mark"
grep -q $'\r$' README.txt || fail "README.txt lines do not end in CRLF"

for program in brevane.exe brevane-cli.exe; do
  bash "$here/check_imports.sh" "$program" || fail "$program imports more than system DLLs"
done

said=$(wine brevane-cli.exe --version </dev/null | tr -d '\r')
[ "$said" = "brevane-cli $version" ] || fail "--version says '$said', not brevane-cli $version"
convert -size 64x32 gradient:red-blue -type TrueColor BMP3:picture.bmp
wine brevane-cli.exe record picture.bmp 1 0 -o design.dat </dev/null || fail "record failed"
[ "$(stat -c %s design.dat)" -eq 620 ] || fail "record wrote no 620-byte design"

# The window program starts and, closed as a user closes it, ends with 0.
wine brevane.exe </dev/null &
window_program=$!
for _ in $(seq 100); do
  xdotool search --name '^Brevane$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name '^Brevane$' >/dev/null 2>&1 || fail "brevane.exe showed no window"
wine taskkill /im brevane.exe >/dev/null 2>&1 </dev/null  # WM_CLOSE, not a kill
code=0
wait "$window_program" || code=$?
[ "$code" -eq 0 ] || fail "brevane.exe ended with $code"
echo "release zip $name: both programs run from the unpacked folder and import system DLLs only"
