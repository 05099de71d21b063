#!/usr/bin/env bash
# Reads every symbol that the end-to-end driver saw on screen with zbar and
# compares its bytes with the record the core built for it.
# Usage: check_with_zbar.sh <folder of NAME.bmp and NAME.expected>
set -uo pipefail
folder=$1
checked=0
failed=0
got=$(mktemp)
trap 'rm -f "$got"' EXIT
for picture in "$folder"/*.bmp; do
  [ -e "$picture" ] || break
  expected=${picture%.bmp}.expected
  zbarimg --nodbus --raw -q -Sbinary "$picture" >"$got" 2>/dev/null
  # With -Sbinary zbar prints the payload bytes exactly, nothing added.
  if cmp -s "$got" "$expected"; then
    checked=$((checked + 1))
  else
    echo "zbar does not read $(basename "$expected" .expected)'s record from $picture" >&2
    failed=$((failed + 1))
  fi
done
echo "zbar read $checked symbols as expected, $failed not"
[ "$checked" -gt 0 ] && [ "$failed" -eq 0 ]
