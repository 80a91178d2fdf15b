# Runs once in the guest while its image is made, with writes kept: makes the
# 32-bit prefix that every later run starts from, with the test settings.
set -eu
export HOME=/root WINEARCH=win32 WINEPREFIX=/root/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winedbg.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
Xvfb :9 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY=:9
start=$(date +%s)
wineboot -i
wine regedit /S settings.reg
wineserver -w
# Wine links Desktop, Documents, Templates and the like to $HOME, which holds
# the prefix itself here: a walk over drive C would go round for ever. Real
# folders keep the copies of the prefix apart.
find "$WINEPREFIX/drive_c/users" -type l | while read -r link; do
    rm "$link"
    mkdir "$link"
done
test -z "$(find "$WINEPREFIX/drive_c" -type l)"
test -d "$WINEPREFIX/drive_c/windows/system32"
echo "prefix made in $(( $(date +%s) - start )) s: $(du -sh "$WINEPREFIX" | cut -f1)"
sync
