#!/bin/bash
# Installs what a fresh Debian 12 machine needs to build the installer and run
# its tests under Wine. Idempotent and non-interactive; run as root or with sudo.
set -euo pipefail

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

PKGS="wine wine32:i386 wine32-preloader:i386 wine64 g++-mingw-w64-i686 libz-mingw-w64-dev
      xvfb xauth cmake ninja-build googletest imagemagick zopfli python3 qemu-user"

missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
# The real ImageMagick, not a stand-in that may shadow it on PATH.
[ -x /usr/bin/import ] || missing="$missing imagemagick"

if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -qq
    # Recommends stay on: they bring fonts-wine and the i386 X libraries that
    # dialogs need to render with the right glyphs.
    $SUDO apt-get install -y -qq $PKGS >/dev/null
fi

# Some virtual machines run 64-bit user code only: there the kernel refuses
# every i386 program (ENOEXEC), Wine's 32-bit loader included. qemu's user-mode
# emulator, registered for i386 ELF files, runs it instead; Wine's preloader
# keeps the address-space layout that Wine needs under it.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e $binfmt/register ] || $SUDO mount -t binfmt_misc binfmt_misc $binfmt
    if [ ! -e $binfmt/qemu-i386 ]; then
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:' |
            $SUDO tee $binfmt/register >/dev/null
    fi
    /usr/lib/wine/wine --version >/dev/null
fi
