#!/bin/bash
# Runs the built tests under Wine, in a fresh prefix of the build's own and a
# private X server, so that no run sees what an earlier one left.
# Usage: tools/ctest.sh build-dir [ctest arguments...]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build=$(realpath "$1")
shift

source "$here/xvfb.sh"
start_xvfb

"$here/wine-prefix.sh" "$build/wine"
inwine() { "$here/wine-env.sh" "$build/wine" "$@"; }
inwine wineserver -p </dev/null >/dev/null 2>&1
inwine wine wineboot </dev/null >/dev/null 2>&1
status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@" || status=$?
inwine wineserver -k 2>/dev/null || true
exit $status
