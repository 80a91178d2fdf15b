#!/bin/bash
# Prints the payload extraction benchmark and the installer's overhead over
# its compressed streams. Usage: tools/bench.sh [build-dir] [rounds]
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=$(realpath -m "${1:-build}")
rounds=${2:-15}
bash tools/setup.sh
tools/build.sh "$build"
[ -d "$build/tests/wine/prefix" ] || tools/wine-prefix.sh "$build/tests/wine"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
tools/wine-env.sh "$build/tests/wine" wine "$build/tests/payload_bench.exe" \
    "$(winpath "$build/release/karaoke204setup.exe")" "$(winpath "$build/release/payload-pack")" "$rounds"
tools/wine-env.sh "$build/tests/wine" wineserver -k 2>/dev/null || true
