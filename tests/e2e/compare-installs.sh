#!/bin/bash
# Installs silently in one fresh prefix and through the wizard with the same
# (default) choices in another, then compares what the two left behind.
# Usage: compare-installs.sh BUILD E2E_TESTS_EXE
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build=$(realpath "$1")
driver=$2
states=$(mktemp -d "$build/wine/compare.XXXXXX")
trap 'rm -rf "$states"' EXIT
for way in Silent Wizard; do
    LKP_STATE_FILE="Z:$(tr / '\\' <<<"$states/$way.txt")" \
        bash "$here/../../tools/wine-scratch.sh" "$build" wine "$driver" \
        --gtest_filter="SameChoices.${way}Install"
done
for way in Silent Wizard; do
    grep -q 'Lorimund.MIDI' "$states/$way.txt" || { echo "no state saved by the $way install" >&2; exit 1; }
done
diff -u "$states/Wizard.txt" "$states/Silent.txt"
echo "the silent install left what the wizard left ($(wc -l <"$states/Silent.txt") lines compared)"
