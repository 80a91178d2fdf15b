#!/bin/bash
# Usage: tools/guest/remove-tree.sh FOLDER...
# Removes folders in which an image build may have left the host's /dev,
# /proc and /sys mounted (a build that was killed): lets go of those mounts
# first, and never crosses into another file system.
set -euo pipefail
for folder in "$@"; do
    folder=$(realpath -m "$folder")
    { findmnt -rn -o TARGET | grep -F "$folder/" || true; } | sort -r | xargs -r -n1 umount -l
    rm -rf --one-file-system "$folder"
done
