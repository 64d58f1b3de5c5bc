#!/bin/sh
# Builds Portlark and starts it under Wine on the current display.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${PORTLARK_BUILD:-$root/build}"
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: run this from a desktop session, or under a virtual one with" >&2
    echo "  xvfb-run -s '-screen 0 1280x1024x24' $0   (then look with a VNC viewer or screenshots)" >&2
    exit 1
fi
"$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target portlark
WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
export WINE WINEPREFIX="$build/run-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh"
# Portlark keeps its two files beside its executable: give it a folder of its own.
mkdir -p "$build/run"
cp "$build/bin/portlark.exe" "$build/run/"
exec "$WINE" "$build/run/portlark.exe"
