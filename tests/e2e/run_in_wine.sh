#!/usr/bin/env bash
# Runs a Windows test program under Wine in the X display and prefix that
# tools/wine-session.sh sets up; skipped (77) outside such a session.
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  echo "No Wine session: source tools/wine-session.sh first (tools/test.sh does)." >&2
  exit 77
fi
exec wine "$@"
