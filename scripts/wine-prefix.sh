#!/bin/sh
# Makes $WINEPREFIX ready for Portlark's tests, once: a fresh prefix whose default desktop
# is a virtual one with a taskbar, so tray icons exist under Xvfb as on a real desktop.
# Safe to call from many test processes at once.
set -eu
: "${WINEPREFIX:?}" "${WINE:?}"
[ -f "$WINEPREFIX/.portlark-ready" ] && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.portlark-ready" ] && exit 0
rm -rf "$WINEPREFIX"
"$WINE" wineboot -i >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
touch "$WINEPREFIX/.portlark-ready"
