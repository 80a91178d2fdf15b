#!/bin/bash
# Signs a copy of the installer with a throw-away code-signing certificate,
# checks the signature (and that it notices a changed byte), then installs
# the signed copy in a scratch prefix, started as the package manager's
# manifest says: its payload checks must still pass.
# Usage: sign-and-install.sh SOURCE BUILD INSTALLER.exe E2E_TESTS.exe PYTHON
set -euo pipefail
source_dir=$(realpath "$1") build=$(realpath "$2") installer=$3 driver=$4 python=$5
work=$(mktemp -d "$build/wine/signing.XXXXXX")
trap 'rm -rf "$work"' EXIT
winpath() { echo "Z:$(tr / '\\' <<<"$1")"; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Lorimund test signing" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
"$source_dir/tools/sign.sh" "$work/cert.pem" "$work/key.pem" "$installer" "$work/signed.exe"
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed.exe" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log"; echo "the signature does not verify" >&2; exit 1; }
cmp -s "$installer" "$work/signed.exe" && { echo "signing changed nothing" >&2; exit 1; }
# A changed byte in the middle of the signed file must break the signature.
cp "$work/signed.exe" "$work/tampered.exe"
size=$(stat -c %s "$work/tampered.exe")
printf '\x5a' | dd of="$work/tampered.exe" bs=1 seek=$((size / 2)) conv=notrunc status=none
if osslsigncode verify -CAfile "$work/cert.pem" -in "$work/tampered.exe" >/dev/null 2>&1; then
    echo "a changed byte still verifies" >&2
    exit 1
fi

# The switches in the order the package manager puts them: the silent
# switch, the log, the install location last.
folder='C:\Winget Target\Karaoke Player'
log='C:\winget install.log'
arguments=$("$python" - "$source_dir/packaging/winget/Lorimund.KaraokePlayer.installer.yaml" \
                "$folder" "$log" <<'PY'
import sys, yaml
switches = yaml.safe_load(open(sys.argv[1]))["InstallerSwitches"]
print(" ".join([switches["Silent"], switches["Log"].replace("<LOGPATH>", sys.argv[3]),
                switches["InstallLocation"].replace("<INSTALLPATH>", sys.argv[2])]))
PY
)
echo "installing the signed copy with: $arguments"
LKP_SIGNED_INSTALLER=$(winpath "$work/signed.exe") LKP_INSTALL_ARGUMENTS=$arguments \
LKP_INSTALL_FOLDER=$folder LKP_INSTALL_LOG=$log \
    bash "$source_dir/tools/wine-scratch.sh" "$build" wine "$driver" \
    --gtest_filter=Manifest.SignedInstallerInstallsWithTheManifestsSwitches
