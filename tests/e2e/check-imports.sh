#!/bin/bash
# Checks a built installer: Windows looks for any DLL outside its known list
# beside the program first, which in a download folder is where a planted one
# would wait; so only such DLLs may be imported, none delay-loaded. Common
# controls come from the side-by-side store only when the manifest asks for
# version 6. With WINDRES given, the manifest and version resource too.
# Usage: check-imports.sh OBJDUMP FILE [WINDRES]
objdump=$1 file=$2 windres=${3:-}
fail() { echo "$file: $*" >&2; failed=1; }
failed=0
headers=$("$objdump" -p "$file") || exit 1
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || fail "imports no DLL"
for dll in $dlls; do
    case $dll in
        kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|ole32.dll|msvcrt.dll) ;;
        comctl32.dll)
            grep -aq 'Microsoft.Windows.Common-Controls' "$file" &&
                grep -aq 'version="6.0.0.0"' "$file" || fail "comctl32.dll without version 6" ;;
        *) fail "imports $dll, which may be planted" ;;
    esac
done
grep -Eq "^Entry d 0*[1-9a-f]" <<<"$headers" && fail "delay-loads a DLL"
if [ -n "$windres" ]; then
    for text in requireAdministrator dpiAware '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
        grep -aqF "$text" "$file" || fail "manifest without $text"
    done
    rc=$("$windres" -i "$file" -O rc)
    for line in 'PRODUCTVERSION 2, 4, 0, 0' 'VALUE "ProductName", "Lorimund'\''s Karaoke Player"' \
                'VALUE "ProductVersion", "2.04"'; do
        grep -qF "$line" <<<"$rc" || fail "version resource without $line"
    done
fi
exit $failed
