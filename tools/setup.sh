#!/bin/bash
# Installs what a fresh Debian 12 machine needs to build the installer and run
# its tests under Wine. Idempotent and non-interactive; run as root or with sudo.
set -euo pipefail

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# i686 builds the shipped installer; x86_64 builds the test programs, which
# Wine's 64-bit loader runs natively (see README: machines that run 64-bit
# user code only cannot start Wine's 32-bit loader, wine32, though it installs).
# The shipped installer uses the win32 thread model; the 32-bit test programs
# the posix one (GoogleTest needs std::mutex). qemu and debootstrap make and
# boot the emulated guest that runs the 32-bit programs (tools/i686-stage.sh).
PKGS="wine wine64 wine32:i386 g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix
      g++-mingw-w64-x86-64-posix
      xvfb xauth cmake ninja-build googletest imagemagick zopfli python3
      osslsigncode openssl python3-yaml python3-jsonschema"
# Without their Recommends: qemu's would bring a desktop's worth of GUI.
GUEST_PKGS="qemu-system-x86 debootstrap e2fsprogs"

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=""
for p in $PKGS; do
    installed "$p" || missing="$missing $p"
done
missing_guest=""
for p in $GUEST_PKGS; do
    installed "$p" || missing_guest="$missing_guest $p"
done
# The real ImageMagick, not a stand-in that may shadow it on PATH.
[ -x /usr/bin/import ] || missing="$missing imagemagick"

if [ -n "$missing$missing_guest" ]; then
    export DEBIAN_FRONTEND=noninteractive
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -qq
    # Recommends stay on: they bring fonts-wine and the X libraries that
    # dialogs need to render with the right glyphs.
    [ -z "$missing" ] || $SUDO apt-get install -y -qq $PKGS >/dev/null
    [ -z "$missing_guest" ] ||
        $SUDO apt-get install -y -qq --no-install-recommends $GUEST_PKGS >/dev/null
fi

# A qemu handler for i386 programs (which earlier versions of this script
# registered) makes Wine start its 32-bit helpers half-working: their threads
# crash and a prefix's first boot can hang. The tests never need it.
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    echo 0 | $SUDO tee /proc/sys/fs/binfmt_misc/qemu-i386 >/dev/null || true
fi
