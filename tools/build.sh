#!/bin/bash
# Configures and builds both trees: the 32-bit release and the 64-bit tests.
# Usage: tools/build.sh [build-dir]
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=$(realpath -m "${1:-build}")

cmake -S . -B "$build/release" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DLKP_BUILD_TESTS=OFF >/dev/null
cmake --build "$build/release"
cmake -S . -B "$build/tests" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
      -DLKP_RELEASE_DIR="$build/release" >/dev/null
cmake --build "$build/tests"
