#!/usr/bin/env bash
# brevane-cli on every file of the bad-input catalogue: exit 1, one line on
# stderr naming the file and the reason, and the output folder exactly as it
# was (an existing output file untouched, nothing new).
# Usage: check_cli_refusals.sh <brevane-cli> <catalogue folder> <scratch folder>
# With RUNNER set (for example to "wine"), the program runs under it. Last, a
# Japanese --name must arrive in the record as its UTF-16LE units (under Wine,
# through the wide command line).
set -uo pipefail
cli=$1 catalogue=$2 scratch=$3
read -r -a runner <<<"${RUNNER:-}"
rm -rf "$scratch"
mkdir -p "$scratch"
failures=0 runs=0

check() {
  local file=$1 output=$2
  shift 2
  local out="$scratch/out"
  rm -rf "$out"
  mkdir -p "$out"
  printf 'earlier contents\n' >"$out/$output"
  "${runner[@]}" "$cli" "$@" >"$scratch/stdout" 2>"$scratch/stderr"
  local status=$?
  runs=$((runs + 1))
  local problem=""
  if [ "$status" -ne 1 ]; then
    problem="exit $status"
  elif [ "$(wc -l <"$scratch/stderr")" -ne 1 ]; then
    problem="stderr has $(wc -l <"$scratch/stderr") lines"
  elif ! grep -qF "$file" "$scratch/stderr"; then
    problem="stderr does not name the file"
  elif [ "$(ls -A "$out")" != "$output" ] || [ "$(cat "$out/$output")" != "earlier contents" ]; then
    problem="the output folder changed: $(ls -A "$out" | tr '\n' ' ')"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL $* : $problem: $(head -c 300 "$scratch/stderr")"
    failures=$((failures + 1))
  fi
}

for path in "$catalogue"/*; do
  name=$(basename "$path")
  case "$name" in
    picture_*)
      check "$path" design.dat record "$path" 0 0 -o "$scratch/out/design.dat"
      check "$path" export export "$path" -o "$scratch/out/export"
      ;;
    design_*)
      check "$path" qr.png qr "$path" -o "$scratch/out/qr.png"
      check "$path" preview.png preview "$path" -o "$scratch/out/preview.png"
      check "$path" edited.dat edit "$path" --name x -o "$scratch/out/edited.dat"
      ;;
    shot_*)
      check "$path" output.dat decode "$path" -o "$scratch/out/output.dat"
      ;;
    *)
      echo "FAIL $name: no rule for this name"
      failures=$((failures + 1))
      ;;
  esac
done
# One white design named "壁画 001": C1 58 3B 75 20 00 30 00 30 00 31 00, then a zero unit.
convert -size 32x32 xc:white -type TrueColor BMP3:"$scratch/white.bmp"
"${runner[@]}" "$cli" record "$scratch/white.bmp" 0 0 --name "壁画 {n}" -o "$scratch/named.dat"
name=$(od -An -tx1 -N 14 "$scratch/named.dat" | tr -d ' \n')
if [ "$name" != c1583b7520003000300031000000 ]; then
  echo "FAIL record --name: the name field begins $name"
  failures=$((failures + 1))
fi
echo "$runs runs over $(ls "$catalogue" | wc -l) files, $failures failures"
[ "$runs" -gt 0 ] && [ "$failures" -eq 0 ]
