#!/bin/bash
# Builds the installer and its tests and runs every test: the 64-bit test
# programs under this machine's Wine, then the 32-bit ones and the shipped
# installer's scenarios in an emulated guest (tools/i686-stage.sh).
# Usage: tools/test.sh [build-dir] [ctest arguments...]
#   build-dir/release     the shipped 32-bit installer (i686)
#   build-dir/tests       the same sources as 64-bit test programs, run by CTest
#   build-dir/tests-i686  the 32-bit test programs, run in the guest
#   build-dir/debug-i686  an unoptimised link of the installer, to keep it linking
# LKP_I686_STAGE=0 leaves the guest out (it needs root, and minutes), for
# local work.
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=$(realpath -m "${1:-build}")
shift || true

bash tools/setup.sh
tools/build.sh "$build"
# Unoptimised code calls parts of the C++ library that the optimised build
# never does: a Debug link shows whether the runtime's trims still fit.
cmake -S . -B "$build/debug-i686" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=Debug -DLKP_BUILD_TESTS=OFF -DLKP_LTO=OFF >/dev/null
cmake --build "$build/debug-i686" --target installer uninstaller
status=0
tools/ctest.sh "$build/tests" "$@" || status=$?
if [ "${LKP_I686_STAGE:-1}" = 1 ]; then
    tools/i686-stage.sh "$build" || status=1
fi
exit $status
