#!/usr/bin/env bash
# The program must run from its .exe alone: it may import system DLLs only.
# Usage: check_imports.sh <brevane.exe>
set -euo pipefail
allowed='^(kernel32|user32|gdi32|comdlg32|comctl32|ole32|shell32|msvcrt)\.dll$'
status=0
while read -r dll; do
  if ! echo "${dll,,}" | grep -Eq "$allowed"; then
    echo "imports $dll" >&2
    status=1
  fi
done < <(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p')
exit "$status"
