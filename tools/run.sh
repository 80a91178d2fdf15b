#!/bin/bash
# Builds the installer and starts it under Wine, in a prefix of its own below
# the build folder (never the user's). Without a display it runs under a
# private X server and writes a screenshot to BUILD/screenshot.png.
# Usage: tools/run.sh [build-dir]
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=$(realpath -m "${1:-build}")

bash tools/setup.sh
tools/build.sh "$build"
echo "The installer: $build/release/karaoke204setup.exe (32-bit, what we ship)"

# Where Wine's 32-bit loader cannot run (kernels that run 64-bit user code
# only), the 64-bit build of the same sources is what Wine can start.
exe="$build/release/karaoke204setup.exe"
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    exe="$build/tests/karaoke204setup.exe"
    echo "This machine cannot run 32-bit programs; starting the 64-bit build: $exe"
fi
root="$build/run-wine"
[ -d "$root/prefix" ] || tools/wine-prefix.sh "$root" >/dev/null
inwine() { tools/wine-env.sh "$root" "$@"; }

if [ -n "${DISPLAY:-}" ]; then
    inwine wine "$exe"
else
    source tools/xvfb.sh
    start_xvfb
    inwine wine "$exe" &
    sleep "${LKP_SCREENSHOT_DELAY:-8}"
    import -window root "$build/screenshot.png"
    echo "No display: the installer ran under Xvfb; screenshot: $build/screenshot.png"
    inwine wineserver -k 2>/dev/null || true
fi
