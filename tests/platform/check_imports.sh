#!/usr/bin/env bash
# Fails when a deliverable imports a DLL that is not part of Windows itself: it ships alone in the
# game's folder, so a runtime DLL of the compiler would be missing on the player's machine.
set -euo pipefail
binary=$1
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|d3d9|msvcrt|winmm|version|ws2_32|ntdll)\.dll$'
# objdump translates its headings under a Japanese locale.
imports=$(LC_ALL=C i686-w64-mingw32-objdump -p "$binary" | awk '/DLL Name:/ { print tolower($3) }')
[ -n "$imports" ] || { echo "$binary: no import table found" >&2; exit 1; }
status=0
for dll in $imports; do
  if [[ ! $dll =~ $system_dlls ]]; then
    echo "$binary imports $dll, which is not a Windows system DLL" >&2
    status=1
  fi
done
echo "$binary imports: $(echo $imports)"
exit $status
