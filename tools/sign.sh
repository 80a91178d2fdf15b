#!/bin/bash
# Signs the installer with Authenticode (SHA-256 digest), so that Windows
# names its publisher and warns when its bytes were changed.
# Usage: tools/sign.sh CERT.pem KEY.pem INSTALLER.exe [SIGNED.exe]
#   CERT.pem  the code-signing certificate, followed by its chain if any
#   KEY.pem   its private key (unencrypted PEM)
#   Without SIGNED.exe the installer is signed in place.
#   LKP_TIMESTAMP_URL, when set, names an RFC 3161 time-stamp server, so that
#   the signature outlives the certificate.
set -euo pipefail
[ $# -ge 3 ] && [ $# -le 4 ] || { echo "usage: $0 CERT.pem KEY.pem INSTALLER.exe [SIGNED.exe]" >&2; exit 2; }
cert=$1 key=$2 in=$3 out=${4:-}
command -v osslsigncode >/dev/null || { echo "sign.sh: osslsigncode missing (apt-get install osslsigncode)" >&2; exit 1; }
target=${out:-$in}
# Sign into a temporary folder beside the target and move the result into
# place, so that a failed signing never leaves a half-written installer.
tempdir=$(mktemp -d "$(dirname "$target")/.signing.XXXXXX")
trap 'rm -rf "$tempdir"' EXIT
temp="$tempdir/signed.exe"
timestamp=()
[ -z "${LKP_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$LKP_TIMESTAMP_URL")
osslsigncode sign -certs "$cert" -key "$key" -h sha256 \
    -n "Lorimund's Karaoke Player 2.04" -i "https://www.lorimund.example/" \
    "${timestamp[@]}" -in "$in" -out "$temp" >/dev/null
chmod --reference="$in" "$temp"
mv -f "$temp" "$target"
echo "signed: $target"
