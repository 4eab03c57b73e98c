#!/usr/bin/env bash
# Fails when a deliverable imports a DLL that is neither part of Windows itself nor one of those named
# after it, which ship beside it: a runtime DLL of the compiler would be missing on the player's
# machine.
# Usage: check_imports.sh BINARY [SHIPPED_DLL...]
set -euo pipefail
binary=$1
shift
shipped=("$@")
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|d3d9|msvcrt|winmm|version|ws2_32|ntdll)\.dll$'
# objdump translates its headings under a Japanese locale.
imports=$(LC_ALL=C i686-w64-mingw32-objdump -p "$binary" | awk '/DLL Name:/ { print tolower($3) }')
[ -n "$imports" ] || { echo "$binary: no import table found" >&2; exit 1; }
status=0
is_shipped() {
  local name
  for name in "${shipped[@]}"; do [ "$1" = "${name,,}" ] && return 0; done
  return 1
}
for dll in $imports; do
  if [[ ! $dll =~ $system_dlls ]] && ! is_shipped "$dll"; then
    echo "$binary imports $dll, which is not a Windows system DLL" >&2
    status=1
  fi
done
echo "$binary imports: $(echo $imports)"
exit $status
