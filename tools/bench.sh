#!/bin/bash
# Prints the installer's figures beside its peers, on the realistic payload of
# ../shared/bench/make-synthetic-payload.sh:
#   size         the shipped i686 installer against NSIS's zlib installer of the
#                same files, and its overhead against NSIS's empty stub
#   start-up     process start to the first wizard page, against a bare property
#                sheet with the same templates (x86_64, under Wine)
#   install      a silent install against NSIS's /S of the same files into a
#                fresh folder (x86_64 on both sides, under Wine)
#   extraction   extractPayload against bare zlib inflating and writing
# and where the installer's bytes go, from the linker map. A measurement, not a
# test: CI does not run it.
# Usage: tools/bench.sh [dir] [rounds]   (dir defaults to build-bench, rounds to 11)
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
repo=$PWD
out=$(realpath -m "${1:-build-bench}")
rounds=${2:-11}

# The shared benchmark inputs lie beside the clone.
shared=${LKP_SHARED_DIR:-}
for candidate in "$repo/../shared" "$repo/../../shared"; do
    [ -n "$shared" ] || { [ -d "$candidate/bench" ] && shared=$(realpath "$candidate"); } || true
done
[ -n "$shared" ] || { echo "no shared/bench beside the clone (set LKP_SHARED_DIR)" >&2; exit 1; }

bash tools/setup.sh
# Only the benchmark needs NSIS, and MinGW's zlib for the synthetic payload.
need=""
command -v makensis >/dev/null || need="$need nsis"
[ -f /usr/i686-w64-mingw32/lib/libz.a ] || need="$need libz-mingw-w64-dev"
if [ -n "$need" ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $need >/dev/null
fi

payload=$out/synth
if [ "$(ls "$payload" 2>/dev/null | wc -l)" -ne 17 ]; then
    echo "== making the realistic payload"
    bash "$shared/bench/make-synthetic-payload.sh" "$payload" >/dev/null
fi

echo "== building the i686 release and the x86_64 programs with that payload"
cmake -S . -B "$out/release" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DLKP_BUILD_TESTS=OFF -DLKP_PAYLOAD_DIR="$payload" >/dev/null
cmake --build "$out/release" >/dev/null
# The timed installer is optimised at link time as the shipped one is.
cmake -S . -B "$out/x64" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
      -DLKP_LTO=ON -DLKP_PAYLOAD_DIR="$payload" >/dev/null
cmake --build "$out/x64" --target installer payload_bench startup_bare bench_timer shell_link_cost >/dev/null

echo "== building the NSIS peers"
bash "$shared/bench/nsis-peer.sh" "$payload" "$out/nsis-x86" >/dev/null
NSIS_TARGET=amd64-unicode bash "$shared/bench/nsis-peer.sh" "$payload" "$out/nsis-amd64" >/dev/null

source tools/xvfb.sh
start_xvfb
wine_root=$out/x64/wine
tools/wine-prefix.sh "$wine_root"
inwine() { tools/wine-env.sh "$wine_root" "$@"; }
inwine wineserver -p </dev/null >/dev/null 2>&1 || true
inwine wine wineboot </dev/null >/dev/null 2>&1 || true
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
figures=$out/figures.txt
: >"$figures"

echo
echo "== size (shipped i686 build, NSIS x86-ansi stubs)"
python3 - "$out/release/karaoke204setup.exe" "$out/release/payload-pack" "$out/nsis-x86" \
    <<'PY' | tee -a "$figures"
import os, sys
exe, pack, nsis = sys.argv[1:]
ours = os.path.getsize(exe)
streams = sum(os.path.getsize(os.path.join(pack, 'IDR_%02d.z' % i)) for i in range(17))
peer = {v: os.path.getsize(os.path.join(nsis, 'peer-%s.exe' % v)) for v in ('zlib', 'lzma', 'empty')}
print('installer %d bytes; NSIS zlib %d; ratio %.3f (goal: at most 0.950)' % (
    ours, peer['zlib'], ours / peer['zlib']))
print('overhead over its %d bytes of streams: %d bytes; NSIS empty stub %d; ratio %.3f (goal: at most 1.000)' % (
    streams, ours - streams, peer['empty'], (ours - streams) / peer['empty']))
print('for reference: NSIS solid LZMA %d bytes (another payload format)' % peer['lzma'])
PY

echo
echo "== start-up (x86_64 under Wine)"
inwine wine "$out/x64/bench_timer.exe" startup "$rounds" \
    "$(winpath "$out/x64/karaoke204setup.exe")" "$(winpath "$out/x64/startup_bare.exe")" \
    | tee -a "$figures" || echo "start-up: not measured" | tee -a "$figures"
echo "(goal: at most 1.200)"

echo
echo "== silent install (x86_64 under Wine, NSIS amd64-unicode stub)"
inwine wine "$out/x64/bench_timer.exe" install "$rounds" 'C:\lkp-bench' \
    "$(winpath "$out/x64/karaoke204setup.exe")" "$(winpath "$out/nsis-amd64/peer-zlib.exe")" \
    | tee -a "$figures" || echo "silent install: not measured (see above)" | tee -a "$figures"
echo "(goal: at most 1.000)"
# Of ours, what the four shell links cost that every install must make (the
# desktop shortcut, the program group's three); NSIS's peer makes none.
inwine wine "$out/x64/shell_link_cost.exe" "$rounds" 'C:\lkp-links' 2>/dev/null | tee -a "$figures" ||
    echo "shell links: not measured" | tee -a "$figures"

echo
echo "== extraction (x86_64 under Wine)"
inwine wine "$out/x64/payload_bench.exe" \
    "$(winpath "$out/release/karaoke204setup.exe")" "$(winpath "$out/release/payload-pack")" "$rounds" \
    | grep -E 'payload:|extractPayload|bare' | tee -a "$figures"
inwine wineserver -k 2>/dev/null || true

echo
echo "== where the shipped installer's bytes go (from the linker map)"
python3 tools/size_breakdown.py "$out/release/karaoke204setup.exe" \
    "$out/release/karaoke204setup.map" "$repo" i686-w64-mingw32-gcc-nm | tee "$out/breakdown.md"
