#!/bin/sh
# Brings one Wine prefix up for a test run and down after it.
# WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES come from CMake. Whatever Wine starts here
# gets /dev/null as stdio, or the server would hold ctest's pipes open.
case "${1:-}" in
up)
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot -i </dev/null >/dev/null 2>&1
    if [ -n "${DISPLAY:-}" ]; then
      # X11 (xvfb-run) inside a Wine virtual desktop: fast windows, screenshots work.
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
    else
      # No X server: Wine's null display driver still creates (invisible) windows.
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    fi
    # Chinese and Japanese texts need a font with their characters, as every Windows has: Wine
    # takes the characters a dialog font lacks from the fonts linked to it.
    for face in Tahoma "Microsoft Sans Serif" "MS Sans Serif" "Segoe UI"; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
    done
    wineserver -w
  fi
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1 ;;
down)
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; true ;;
*)
  echo "usage: $0 up|down" >&2; exit 2 ;;
esac
