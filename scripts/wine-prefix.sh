#!/bin/sh
# Makes $WINEPREFIX ready for Portlark, once, and safely when many processes ask at once:
# a fresh prefix with Wine's own Tahoma and Marlett (the window's font and the title-bar
# glyphs), and with PORTLARK_VIRTUAL_DESKTOP=1 a virtual desktop with a taskbar as its
# default desktop, so tray icons exist under Xvfb as on a real desktop.
set -eu
: "${WINEPREFIX:?}" "${WINE:?}"
[ -f "$WINEPREFIX/.portlark-prefix-v2" ] && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.portlark-prefix-v2" ] && exit 0
rm -rf "$WINEPREFIX"
"$WINE" wineboot -i >/dev/null 2>&1
# Debian's Wine does not look into its own font folder when started directly.
for font in /usr/share/wine/fonts/*.ttf; do
    [ -f "$font" ] && cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
done
if [ "${PORTLARK_VIRTUAL_DESKTOP:-0}" = 1 ]; then
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
fi
touch "$WINEPREFIX/.portlark-prefix-v2"
