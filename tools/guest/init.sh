#!/bin/bash
# The guest's first and only process started by the kernel (no init system,
# so that a boot takes seconds). Mounts the job's share at /mnt/job and the
# shares it lists in /mnt/job/mounts ("tag path" lines) at those same paths,
# so that paths compiled into the test programs hold inside too; runs
# /mnt/job/job.sh; writes its exit code to /mnt/job/job.rc and its output to
# /mnt/job/job.log; powers off.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
mount -o remount,rw /
hostname lkp-guest
share() {  # tag path; cache=loose: Wine maps executables, which 9p without a cache serves as zeros
    mkdir -p "$2" && mount -t 9p -o trans=virtio,version=9p2000.L,msize=524288,cache=loose "$1" "$2"
}
# The job's own share goes without a cache: the host reads what is written.
mkdir -p /mnt/job
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=524288 job /mnt/job; then
    echo "lkp-init: up after $(cut -d' ' -f1 /proc/uptime) s" >/mnt/job/boot.log
    ok=1
    if [ -f /mnt/job/mounts ]; then
        while read -r tag path; do
            [ -n "$tag" ] || continue
            share "$tag" "$path" || { echo "lkp-init: cannot mount $tag at $path" >>/mnt/job/boot.log; ok=0; }
        done </mnt/job/mounts
    fi
    if [ $ok = 1 ]; then
        cd /mnt/job
        bash /mnt/job/job.sh >/mnt/job/job.log 2>&1
        echo $? >/mnt/job/job.rc.part
        mv /mnt/job/job.rc.part /mnt/job/job.rc
    fi
    cd /
    kill -TERM -1 2>/dev/null
    sleep 1
    kill -KILL -1 2>/dev/null
    sync
    umount -a -t 9p 2>/dev/null
else
    echo "lkp-init: no job share" >/dev/console
fi
sync
mount -o remount,ro /
# One compound command, parsed whole before the disk goes away.
{ echo o >/proc/sysrq-trigger; while :; do :; done; }
