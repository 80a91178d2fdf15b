#!/bin/bash
# Usage: tools/wine-scratch.sh BUILD COMMAND [ARGS...]
# Runs COMMAND (usually "wine program.exe ...") in a scratch Wine prefix of its
# own, copied from the build's template prefix, with a wineserver of its own;
# removes the prefix afterwards. For programs that change the machine for
# real (the installer writes HKLM, HKCU and Program Files), so that nothing of
# a run reaches the shared test prefix or another run.
# Needs DISPLAY (tools/ctest.sh and tools/screenshots.sh provide one) and the
# template that tools/wine-prefix.sh makes before the tests run.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build=$(realpath "$1")
shift
template="$build/wine/template"
if [ ! -f "$template/.ready" ]; then
    echo "wine-scratch: no template prefix in $template (run tools/wine-prefix.sh)" >&2
    exit 1
fi
mkdir -p "$build/wine/scratch"
root=$(mktemp -d "$build/wine/scratch/run.XXXXXX")
inwine() { "$here/wine-env.sh" "$root" "$@"; }
cleanup() {
    inwine wineserver -k 2>/dev/null || true
    inwine wineserver -w 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT

cp -a "$template/prefix" "$root/prefix"
cp -a "$template/home" "$root/home"
# Boot with the output closed, or Wine's background processes hold the
# caller's pipes (CTest's) open for seconds.
inwine wineserver -p </dev/null >/dev/null 2>&1
inwine wine wineboot </dev/null >/dev/null 2>&1 || true
status=0
inwine "$@" || status=$?
exit $status
