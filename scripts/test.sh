#!/bin/sh
# Builds Portlark and its tests, then runs every test under Wine on a private X display.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${PORTLARK_BUILD:-$root/build}"
"$root/scripts/setup-debian.sh"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)"

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" PORTLARK_VIRTUAL_DESKTOP=1
WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
export WINE
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# A display of our own, so the tests neither need nor disturb the user's desktop.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$build/xvfb.display" >/dev/null 2>&1 &
xvfb=$!
"$WINESERVER" -k >/dev/null 2>&1 || true
cleanup() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
for _ in $(seq 50); do [ -s "$build/xvfb.display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$build/xvfb.display")"

"$root/scripts/wine-prefix.sh"
"$WINESERVER" -w   # a prefix just made leaves its server behind for a few seconds
"$WINESERVER" -p   # one server for the whole run
# Start Wine's session processes now, detached from ctest's output pipes: started by
# the first test instead, they would inherit its pipes and ctest would wait for them.
"$WINE" wineboot >/dev/null 2>&1 </dev/null
# Wine ends the virtual desktop whenever its last program ends; the next test's program would
# start it again, slowly, and hand it its output pipe. One program of ours keeps it up until
# the wineserver goes.
"$WINE" "$build/bin/desktop_keeper.exe" >/dev/null 2>&1 </dev/null &
cd "$build"
ctest --output-on-failure "$@"
