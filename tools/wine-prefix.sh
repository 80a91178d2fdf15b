#!/bin/bash
# Makes a fresh Wine prefix under $1 (default: build/wine) for one test run.
# The first call builds a template prefix with the settings that keep GUI tests
# fast and safe; later calls copy it, which takes seconds instead of a boot.
set -euo pipefail
root=$(realpath -m "${1:-build/wine}")
here=$(dirname "$(realpath "$0")")
template="$root/template"
inwine() { "$here/wine-env.sh" "$template" "$@"; }

if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    mkdir -p "$template"
    inwine wineboot -i </dev/null >"$template/boot.log" 2>&1 || true
    # A virtual desktop (closing a window on bare Xvfb waits seconds), no crash
    # dialog that would wait forever, no menu builder.
    cp "$here/wine-settings.reg" "$template/settings.reg"
    inwine wine regedit /S "$template/settings.reg" </dev/null >>"$template/boot.log" 2>&1
    timeout 300 "$here/wine-env.sh" "$template" wineserver -w || inwine wineserver -k
    [ -d "$template/prefix/drive_c" ] || { echo "wine-prefix: wineboot failed, see $template/boot.log" >&2; exit 1; }
    touch "$template/.ready"
fi

# Wine links the user's Desktop, Documents, Templates and the like to $HOME
# when it makes a prefix, by absolute path, so every copy of the template
# would write its shortcuts into the template's own home, and a walk over
# drive C would leave the prefix. Real folders keep each copy apart.
find "$template/prefix/drive_c/users" -type l | while read -r link; do
    rm "$link"
    mkdir "$link"
done

rm -rf "$root/prefix" "$root/home"
cp -a "$template/prefix" "$root/prefix"
cp -a "$template/home" "$root/home"
