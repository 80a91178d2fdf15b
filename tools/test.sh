#!/bin/bash
# Builds the installer and its tests and runs every test under Wine.
# Usage: tools/test.sh [build-dir] [ctest arguments...]
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=$(realpath -m "${1:-build}")
shift || true

bash tools/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$build"
exec tools/ctest.sh "$build" "$@"
