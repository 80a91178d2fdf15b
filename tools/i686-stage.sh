#!/bin/bash
# The 32-bit stage: runs the i686 build of the test programs, and the
# end-to-end scenarios against the shipped installer (BUILD/release), in an
# emulated Debian guest whose kernel runs 32-bit code, which this machine's
# kernel may not. Reports like CTest, one line per program or scenario.
# Usage: tools/i686-stage.sh [build-dir]   (after tools/build.sh build-dir)
# The guest's image is cached outside the build folder, keyed on the scripts
# that make it: LKP_GUEST_CACHE (default ~/.cache/lorimund-guest).
# LKP_GUEST_ONLY=REGEX runs only the programs and scenarios it matches.
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
source=$PWD
build=$(realpath -m "${1:-build}")
started=$(date +%s)
elapsed() { echo "$(( $(date +%s) - started )) s"; }
stage_failed() {
    echo "i686 stage: $* (the stage's own machinery, not a test)" >&2
    exit 1
}

[ -f "$build/release/karaoke204setup.exe" ] || stage_failed "no release in $build/release; run tools/build.sh first"

# The test programs for 32 bits; their scenarios drive the release's installer.
cmake -S . -B "$build/tests-i686" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-tests.cmake \
      -DLKP_RELEASE_DIR="$build/release" -DLKP_E2E_SHIPPED=ON >/dev/null
cmake --build "$build/tests-i686"
echo "i686 stage: test programs built ($(elapsed))"

cache=$(realpath -m "${LKP_GUEST_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/lorimund-guest}")
key=$(cat tools/guest/image.sh tools/guest/init.sh tools/guest/bake.sh tools/wine-settings.reg |
      sha256sum | cut -c1-16)
image="$cache/$key"
mkdir -p "$cache"
(
    flock 9
    if [ ! -f "$image/.ready" ]; then
        # debootstrap, chroot and mount need root.
        as_root=()
        [ "$(id -u)" = 0 ] || as_root=(sudo)
        # Images of earlier scripts are 2.6 GB each: only the current one stays.
        find "$cache" -mindepth 1 -maxdepth 1 ! -name lock -print0 |
            xargs -0 -r "${as_root[@]}" tools/guest/remove-tree.sh
        echo "i686 stage: building the guest image $key (about 5 minutes)"
        "${as_root[@]}" tools/guest/image.sh "$image" || {
            echo "i686 stage: the image failed; once more" >&2
            "${as_root[@]}" tools/guest/image.sh "$image"
        }
    fi
) 9>"$cache/lock" || stage_failed "the guest image could not be built"
echo "i686 stage: guest image $key ready ($(elapsed))"

job="$build/i686-stage"
shares=("$source")
case "$build/" in "$source/"*) ;; *) shares+=("$build") ;; esac
attempt=1
while :; do
    rm -rf "$job"
    mkdir -p "$job"
    cp tools/guest/run-tests.sh "$job/job.sh"
    awk -F'\t' -v only="${LKP_GUEST_ONLY:-}" 'only == "" || $2 ~ only' \
        "$build/tests-i686/guest-tests.txt" >"$job/tests.txt"
    status=0
    tools/guest/boot.sh "$image" "$job" "${shares[@]}" || status=$?
    [ "$status" = 100 ] || break
    [ "$attempt" = 2 ] && stage_failed "the emulated guest did not run its job twice; see $job/console.log"
    echo "i686 stage: the guest did not run its job; booting once more" >&2
    attempt=2
done
# What ran is reported even when the guest ran out of time: the report
# names what did not run.
case $status in
0) echo "i686 stage: guest finished ($(elapsed))" ;;
101) echo "i686 stage: the guest ran out of time ($(elapsed)); what it finished:" >&2 ;;
*)
    tail -n 20 "$job/job.log" >&2
    stage_failed "the guest's test runner ended with $status; see $job/job.log"
    ;;
esac
python3 tools/guest/report.py "$job/tests.txt" "$job/results" && [ "$status" = 0 ]
