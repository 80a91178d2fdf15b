# Runs in the guest (tools/guest/boot.sh starts it as job.sh, in /mnt/job):
# the 32-bit test programs and scenarios that tests.txt lists, with Wine's
# 32-bit loader. Every program runs once, with all its tests: a process start
# costs seconds under emulation. Each entry gets a prefix of its own, an
# overlay over the baked one, so nothing of one run reaches another.
# For each entry NAME it leaves in results/: NAME.log (the program's output),
# NAME.xml (GoogleTest's report), NAME.rc and NAME.seconds.
set -u
export HOME=/root WINEARCH=win32 WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8
# No menu builder, no Mono or Gecko installers, no debugger waiting on a crash.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winedbg.exe=d"
jobs=${LKP_GUEST_JOBS:-2}
limit=${LKP_GUEST_TEST_TIMEOUT:-600}
results=/mnt/job/results
mkdir -p "$results"

Xvfb :9 -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
xvfb=$!
export DISPLAY=:9
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X9 ] && break; sleep 0.1; done

# A prefix of its own: the baked one below, this run's changes above. Not in
# memory: tmpfs keeps no user attributes, where Wine stores a file's hidden
# and system flags.
new_prefix() {
    local top=/var/tmp/prefixes/$1
    mkdir -p "$top/changes" "$top/work" "$top/prefix"
    mount -t overlay overlay \
        -o "lowerdir=/root/prefix,upperdir=$top/changes,workdir=$top/work" "$top/prefix" || return 1
    echo "$top/prefix"
}
drop_prefix() {
    WINEPREFIX=$1 wineserver -k 2>/dev/null
    WINEPREFIX=$1 wineserver -w 2>/dev/null
    umount "$1" && rm -rf "$(dirname "$1")"
}
winpath() { echo "Z:${1//\//\\}"; }

# run_gtest PREFIX NAME EXE FILTER [extra environment...]
run_gtest() {
    local prefix=$1 name=$2 exe=$3 filter=$4
    shift 4
    (cd "$(dirname "$exe")" &&
        env WINEPREFIX="$prefix" "$@" timeout -k 10 "$limit" wine "$exe" --gtest_filter="$filter" \
            --gtest_output="xml:$(winpath "$results/$name.xml")" </dev/null >>"$results/$name.log" 2>&1)
}

run_entry() {
    local kind=$1 name=$2 exe=$3 filter=${4:-$2} rc=0 start prefix
    start=$(date +%s%N)
    : >"$results/$name.log"
    case $kind in
    program | shared | scenario)
        prefix=$(new_prefix "$name") || rc=125
        if [ $rc = 0 ]; then
            run_gtest "$prefix" "$name" "$exe" "$filter" || rc=$?
            drop_prefix "$prefix"
        fi
        ;;
    compare)
        # A silent and a wizard install with the same choices, each in a
        # fresh prefix; what they leave behind must be the same.
        for way in Silent Wizard; do
            prefix=$(new_prefix "$name-$way") || { rc=125; break; }
            echo "== SameChoices.${way}Install" >>"$results/$name.log"
            run_gtest "$prefix" "$name-$way" "$exe" "SameChoices.${way}Install" \
                LKP_STATE_FILE="$(winpath "/var/tmp/prefixes/$name-$way.txt")" || rc=$?
            cat "$results/$name-$way.log" >>"$results/$name.log"
            rm -f "$results/$name-$way.log"
            drop_prefix "$prefix"
        done
        if [ $rc = 0 ]; then
            diff -u "/var/tmp/prefixes/$name-Wizard.txt" "/var/tmp/prefixes/$name-Silent.txt" \
                >>"$results/$name.log" 2>&1 || rc=1
            grep -q Lorimund.MIDI "/var/tmp/prefixes/$name-Silent.txt" || rc=1
            [ $rc = 0 ] && echo "the silent install left what the wizard left" >>"$results/$name.log"
        fi
        ;;
    *)
        echo "unknown kind $kind" >>"$results/$name.log"
        rc=125
        ;;
    esac
    awk -v a="$start" -v b="$(date +%s%N)" 'BEGIN { printf "%.2f\n", (b - a) / 1e9 }' \
        >"$results/$name.seconds"
    echo $rc >"$results/$name.rc"
    echo "$(date +%T) $name: exit $rc after $(cat "$results/$name.seconds") s"
}

echo "guest: $(nproc) processors, $(free -m | awk '/Mem:/ {print $2}') MiB, $(wine --version)"
# What runs and where it waits, every half minute: when an entry hangs, this
# tells where. Only /proc files that never wait on a process's memory lock
# (which ps does, and hangs with the process).
(
    while :; do
        sleep 30
        for task in /proc/[0-9]*; do
            read -r comm <"$task/comm" 2>/dev/null || continue
            echo "${task#/proc/} $comm $(cut -d' ' -f3 "$task/stat") $(cat "$task/wchan")"
        done >/tmp/processes.txt 2>/dev/null
        cp /tmp/processes.txt "$results/processes.txt"
    done
) &
monitor=$!

# A pool of $jobs entries at a time. Xvfb and the monitor are children too,
# so waits name the entries.
entries=()
while IFS=$'\t' read -r kind name exe filter; do
    [ -n "$kind" ] || continue
    while [ "$(jobs -rp | grep -cvxE "$monitor|$xvfb")" -ge "$jobs" ]; do
        sleep 1
    done
    run_entry "$kind" "$name" "$exe" "$filter" &
    entries+=($!)
done <tests.txt
wait "${entries[@]}"
kill $monitor
echo "guest: all entries run"
