#!/bin/bash
# Builds the release installer twice, in two fresh folders with different
# paths, and shows that both executables are byte-identical.
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
bash tools/setup.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for tree in first second-with-a-longer-path; do
    cmake -S . -B "$scratch/$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
          -DLKP_BUILD_TESTS=OFF >/dev/null
    cmake --build "$scratch/$tree" >/dev/null
done
sha256sum "$scratch"/*/karaoke204setup.exe
a=$(sha256sum <"$scratch/first/karaoke204setup.exe")
b=$(sha256sum <"$scratch/second-with-a-longer-path/karaoke204setup.exe")
if [ "$a" = "$b" ]; then
    echo "reproducible: both builds are byte-identical"
else
    echo "NOT reproducible: the builds differ" >&2
    exit 1
fi
