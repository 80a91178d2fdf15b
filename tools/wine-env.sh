#!/bin/bash
# Usage: tools/wine-env.sh ROOT COMMAND [ARGS...]
# Runs COMMAND with Wine pointed at the project's own prefix below ROOT, never
# at the user's. HOME and XDG_* move too, since Wine links Desktop and
# Documents to $HOME when it makes a prefix.
root=$1
shift
export WINEPREFIX="$root/prefix"
export WINEARCH=win32
export WINEDEBUG=${LKP_WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
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
