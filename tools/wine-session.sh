# Sourced by tools/test.sh and tools/run.sh: a headless X server and a Wine
# prefix of the project's own, kept up until the calling shell exits.
# Honours BREVANE_LANG (default ja_JP.UTF-8) for the program's locale.

brevane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$brevane_root/build/wineprefix}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=${BREVANE_LANG:-ja_JP.UTF-8} LC_ALL=${BREVANE_LANG:-ja_JP.UTF-8}

if [ -z "${BREVANE_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  brevane_display=:$((70 + RANDOM % 200))
  Xvfb "$brevane_display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  brevane_xvfb_pid=$!
  export DISPLAY=$brevane_display
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
fi

brevane_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${brevane_xvfb_pid:-}" ]; then kill "$brevane_xvfb_pid" 2>/dev/null || true; fi
}
trap brevane_wine_stop EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # Without a window manager Wine waits 2 s on every hide unless it manages nothing.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # Japanese glyphs under any locale: map Wine's UI fonts to IPAGothic.
  for face in "Tahoma" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "System"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAGothic /f \
      >/dev/null 2>&1
  done
  wineserver -w
fi
# The caption buttons are glyphs of the Marlett font. Debian's fonts-wine puts
# it in /usr/share/wine/fonts, but this Wine looks for its own fonts in
# /usr/share/fonts (its data folder's "../fonts"), so the buttons would read
# "0 1 r": a copy in the prefix's Fonts folder is found.
brevane_marlett=/usr/share/wine/fonts/marlett.ttf
brevane_fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -f "$brevane_marlett" ] && [ ! -f "$brevane_fonts/marlett.ttf" ]; then
  mkdir -p "$brevane_fonts"
  cp "$brevane_marlett" "$brevane_fonts/"
fi
wineserver -p >/dev/null 2>&1
# Start Wine's background services now, detached from any caller's pipes:
# started by a test instead, they would inherit its output pipe and keep
# CTest waiting for end of file.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
