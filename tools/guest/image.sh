#!/bin/bash
# Builds the emulated guest that runs the 32-bit programs: Debian 12 amd64,
# whose stock kernel runs 32-bit user code, with Wine's 32-bit loader and a
# baked 32-bit prefix. Everything comes from Debian's archive.
# Usage: tools/guest/image.sh OUT-DIR
# Writes OUT-DIR/vmlinuz, initrd.img and guest.raw (a 4 GiB sparse ext4
# image), then OUT-DIR/.ready. Needs root (debootstrap, chroot, mount), the
# host packages debootstrap, e2fsprogs and qemu-system-x86, and about 5 GB
# of disk while it runs. Takes about 4-6 minutes on 2 cores.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
out=$(realpath -m "$1")
mirror=${LKP_DEBIAN_MIRROR:-http://deb.debian.org/debian}
suite=bookworm

work="$out.work"
root="$work/rootfs"
remove_tree() { "$here/remove-tree.sh" "$@"; }
remove_tree "$work" "$out"
mkdir -p "$work" "$out"
t0=$(date +%s)
log() { echo "guest image: +$(( $(date +%s) - t0 ))s $*"; }

mounts=()
unmount_all() {
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
    mounts=()
}
trap 'unmount_all; remove_tree "$work"' EXIT

log "debootstrap $suite"
debootstrap --variant=minbase --arch=amd64 --include=ca-certificates,kmod,procps \
    "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -20 "$work/debootstrap.log"; exit 1; }

mount -t proc proc "$root/proc" && mounts+=("$root/proc")
mount -t sysfs sys "$root/sys" && mounts+=("$root/sys")
mount --bind /dev "$root/dev" && mounts+=("$root/dev")
mount --bind /dev/pts "$root/dev/pts" && mounts+=("$root/dev/pts")
# No service starts inside the chroot.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb http://deb.debian.org/debian-security $suite-security main
EOF
cat >"$root/etc/dpkg/dpkg.cfg.d/01-nodoc" <<'EOF'
path-exclude /usr/share/doc/*
path-include /usr/share/doc/*/copyright
path-exclude /usr/share/man/*
path-exclude /usr/share/info/*
path-exclude /usr/share/locale/*
path-include /usr/share/locale/en*
EOF
echo 'APT::Install-Recommends "false";' >"$root/etc/apt/apt.conf.d/99norecommends"

# A small initramfs that mounts the virtio disk and the 9p shares.
mkdir -p "$root/etc/initramfs-tools/conf.d"
printf 'MODULES=list\nCOMPRESS=gzip\n' >"$root/etc/initramfs-tools/conf.d/guest"
printf '%s\n' virtio_pci virtio_blk ext4 9p 9pnet_virtio overlay >"$root/etc/initramfs-tools/modules"

in_root() { chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive LC_ALL=C "$@"; }
log "packages: kernel, X server, Wine (64- and 32-bit)"
in_root dpkg --add-architecture i386
in_root apt-get update -q >"$work/apt.log" 2>&1
# The host cannot run i386 programs, so a maintainer script that does fails;
# in bookworm only libglib2.0-0:i386's does, and it ignores the failure. Wine
# needs neither of the caches that script builds.
in_root apt-get install -y -q linux-image-amd64 initramfs-tools xvfb xauth \
    fonts-wine wine wine64 wine32:i386 libwine:i386 >>"$work/apt.log" 2>&1 ||
    { tail -30 "$work/apt.log"; exit 1; }
in_root apt-get clean
rm -rf "$root"/var/lib/apt/lists/*

install -m 755 "$here/init.sh" "$root/sbin/lkp-init"
echo lkp-guest >"$root/etc/hostname"
echo "/dev/vda / ext4 rw 0 1" >"$root/etc/fstab"

unmount_all
cp -L "$root"/boot/vmlinuz-* "$out/vmlinuz"
cp -L "$root"/boot/initrd.img-* "$out/initrd.img"
# The initramfs loads every module the guest needs; the driver trees for real
# hardware are 300 MB the guest never reads.
for tree in sound drivers/gpu drivers/net drivers/media drivers/infiniband drivers/staging \
    drivers/scsi drivers/usb drivers/iio drivers/bluetooth net/wireless net/bluetooth \
    drivers/hid drivers/input; do
    rm -rf "$root"/usr/lib/modules/*/kernel/$tree
done
log "rootfs $(du -sh "$root" | cut -f1); making the disk image"
mkfs.ext4 -q -F -L lkp-guest -d "$root" "$out/guest.raw" 4G
remove_tree "$root"

# The 32-bit prefix, made once in the guest itself: its first boot takes
# a minute and a half under emulation, which every later run saves.
log "baking the 32-bit Wine prefix"
job=$(mktemp -d "$work/bake.XXXXXX")
install -m 644 "$here/bake.sh" "$job/job.sh"
install -m 644 "$here/../wine-settings.reg" "$job/settings.reg"
LKP_GUEST_PERSIST=1 "$here/boot.sh" "$out" "$job" || { cat "$job/job.log" 2>/dev/null; exit 1; }
cat "$job/job.log"
log "done: image $(du -h "$out/guest.raw" | cut -f1) on disk"
touch "$out/.ready"
