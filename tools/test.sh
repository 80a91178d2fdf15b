#!/bin/bash
# Builds the installer and its tests and runs every test under Wine.
# Usage: tools/test.sh [build-dir] [ctest arguments...]
#   build-dir/release  the shipped 32-bit installer (i686)
#   build-dir/tests    the same sources as 64-bit test programs, run by CTest
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=$(realpath -m "${1:-build}")
shift || true

bash tools/setup.sh
tools/build.sh "$build"
exec tools/ctest.sh "$build/tests" "$@"
