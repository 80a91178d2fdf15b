#!/bin/bash
# Boots the guest made by tools/guest/image.sh under qemu's software
# emulation, runs JOB-DIR/job.sh inside as root and powers it off.
# Usage: tools/guest/boot.sh IMAGE-DIR JOB-DIR [HOST-FOLDER...]
# Each HOST-FOLDER is shared with the guest at the same path (through
# JOB-DIR/mounts), so that paths compiled into the programs hold inside.
# JOB-DIR is the job's working folder, /mnt/job inside; after the run it
# holds job.log and job.rc, and console.log (the guest's serial console).
# Exit status: job.sh's; 100 when the guest never started the job (qemu or
# the boot failed), which is the stage's fault, not a test's; 101 when the
# job started but the time ran out before it ended.
# Environment: LKP_GUEST_PERSIST=1 keeps the guest's disk writes (used once,
# to bake the prefix); LKP_GUEST_CPUS (2), LKP_GUEST_MEMORY (MiB, 3072),
# LKP_GUEST_TIMEOUT (seconds, 1800).
set -euo pipefail
image=$(realpath "$1")
job=$(realpath "$2")
shift 2

: >"$job/mounts"
shares=(-virtfs "local,path=$job,mount_tag=job,security_model=none,id=job")
n=0
for folder in "$@"; do
    folder=$(realpath "$folder")
    n=$((n + 1))
    echo "share$n $folder" >>"$job/mounts"
    shares+=(-virtfs "local,path=$folder,mount_tag=share$n,security_model=none,id=share$n,readonly=off")
done
rm -f "$job/job.rc" "$job/job.log" "$job/console.log" "$job/boot.log"

snapshot=(-snapshot)
[ "${LKP_GUEST_PERSIST:-0}" = 1 ] && snapshot=()
# qemu64: a processor without SMAP. With SMAP (-cpu max), qemu 7.2's emulation
# faults the IRET that returns to 32-bit user code and kills every 32-bit
# process. Without SSE4/AVX glibc also takes paths that emulate faster.
# Multi-threaded TCG uses one host thread per guest processor. No KVM: on
# a virtual machine without nested virtualisation /dev/kvm can exist and
# open, and the guest then hangs before its first line.
status=0
timeout "${LKP_GUEST_TIMEOUT:-1800}" qemu-system-x86_64 \
    -accel tcg,thread=multi,tb-size=512 -cpu qemu64 \
    -smp "${LKP_GUEST_CPUS:-2}" -m "${LKP_GUEST_MEMORY:-3072}" \
    -M pc -nodefaults -no-user-config -display none -no-reboot \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 init=/sbin/lkp-init quiet loglevel=3 mitigations=off tsc=reliable" \
    -drive "file=$image/guest.raw,format=raw,if=virtio,cache=unsafe" "${snapshot[@]}" \
    "${shares[@]}" -serial stdio -monitor none \
    </dev/null >"$job/console.log" 2>&1 || status=$?
if [ ! -f "$job/job.rc" ]; then
    if [ -f "$job/boot.log" ]; then
        echo "guest: the job did not end in time (qemu exit status $status)" >&2
        exit 101
    fi
    echo "guest: the job did not start (qemu exit status $status); the console's end:" >&2
    tail -n 20 "$job/console.log" >&2
    exit 100
fi
exit "$(cat "$job/job.rc")"
