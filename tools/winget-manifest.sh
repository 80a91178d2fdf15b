#!/bin/bash
# Writes the package manager's manifests for a release: the three files of
# packaging/winget/ with the SHA-256 of the installer that will be published
# (sign it first: signing changes its bytes).
# Usage: tools/winget-manifest.sh INSTALLER.exe OUT-DIR
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
[ $# -eq 2 ] || { echo "usage: $0 INSTALLER.exe OUT-DIR" >&2; exit 2; }
installer=$1 out=$2
hash=$(sha256sum "$installer" | cut -d' ' -f1 | tr a-f A-F)
mkdir -p "$out"
for manifest in packaging/winget/*.yaml; do
    # Quoted: YAML reads a hash of digits only, or digits and one E, as a number.
    sed -E "s/^( *InstallerSha256:).*/\1 \"$hash\"/" "$manifest" >"$out/$(basename "$manifest")"
done
echo "$out: manifests for $installer (SHA-256 $hash)"
