#!/bin/bash
# Writes a picture of each of the wizard's five pages to BUILD/screenshots/
# (page-0.png .. page-4.png), taken under a private X server from a scratch
# Wine prefix, so that a person can look at them.
# Usage: tools/screenshots.sh [build-dir]   (builds first, like tools/run.sh)
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=$(realpath -m "${1:-build}")
tests="$build/tests"  # the build that Wine runs on every machine
driver="$tests/tests/e2e/e2e_tests.exe"

bash tools/setup.sh
tools/build.sh "$build" >/dev/null
source tools/xvfb.sh
start_xvfb
[ -f "$tests/wine/template/.ready" ] || tools/wine-prefix.sh "$tests/wine" >/dev/null

out="$build/screenshots"
mkdir -p "$out"
rm -f "$out"/page-*
tools/wine-scratch.sh "$tests" wine "$driver" --screenshots "Z:${out//\//\\}" &
walk=$!
for page in 0 1 2 3 4; do
    for _ in $(seq 600); do
        [ -s "$out/page-$page.ready" ] && break
        kill -0 $walk 2>/dev/null || { echo "screenshots: the walk ended early" >&2; exit 1; }
        sleep 0.2
    done
    [ -s "$out/page-$page.ready" ] || { echo "screenshots: page $page never came" >&2; exit 1; }
    import -window root -crop "$(head -1 "$out/page-$page.ready")" +repage "$out/page-$page.png"
    touch "$out/page-$page.done"
done
wait $walk
rm -f "$out"/page-*.ready "$out"/page-*.done
ls "$out"/page-*.png
