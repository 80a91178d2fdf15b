#!/bin/bash
# Usage: tools/wine-env.sh ROOT COMMAND [ARGS...]
# Runs COMMAND with Wine pointed at the project's own prefix below ROOT, never
# at the user's. HOME and XDG_* move too, since Wine links Desktop and
# Documents to $HOME when it makes a prefix.
root=$1
shift
# The tests are 64-bit Windows programs run by Wine's native 64-bit loader:
# "wine", "wineserver" and "wineboot" below ROOT/bin name those.
bin="$root/bin"
if [ ! -x "$bin/wineboot" ]; then
    mkdir -p "$bin"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$bin/wine"
    printf '#!/bin/sh\nexec /usr/lib/wine/wineserver64 "$@"\n' > "$bin/wineserver"
    chmod +x "$bin/wine" "$bin/wineserver"
    printf '#!/bin/sh\nexec "%s/wine" wineboot "$@"\n' "$bin" > "$bin/wineboot"
    chmod +x "$bin/wineboot"
fi
export PATH="$bin:$PATH"
export WINEPREFIX="$root/prefix"
export WINEARCH=win64
export WINEDEBUG=${LKP_WINEDEBUG:--all}
# No debugger: a crashing test program just ends instead of waiting on one.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winedbg.exe=d"
export HOME="$root/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_RUNTIME_DIR="$root/run"
# GetACP/GetOEMCP follow LANG: Western code pages unless a test asks otherwise.
export LANG=${LKP_LANG:-C.UTF-8}
export LC_ALL=$LANG
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
exec "$@"
