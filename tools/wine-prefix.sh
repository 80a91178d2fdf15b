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
    cat > "$template/settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunServices]
"winemenubuilder"=-
REG
    inwine wine regedit /S "$template/settings.reg" </dev/null >>"$template/boot.log" 2>&1
    timeout 300 "$here/wine-env.sh" "$template" wineserver -w || inwine wineserver -k
    [ -d "$template/prefix/drive_c" ] || { echo "wine-prefix: wineboot failed, see $template/boot.log" >&2; exit 1; }
    touch "$template/.ready"
fi

# Wine links the user's Desktop, Documents and the like to $HOME when it makes
# a prefix, by absolute path, so every copy of the template would write its
# shortcuts into the template's own home. Real folders keep each copy apart.
for link in "$template"/prefix/drive_c/users/*/*; do
    if [ -L "$link" ]; then
        rm "$link"
        mkdir "$link"
    fi
done

rm -rf "$root/prefix" "$root/home"
cp -a "$template/prefix" "$root/prefix"
cp -a "$template/home" "$root/home"
