#!/usr/bin/env bash
# Fails unless the DLL exports exactly the twelve RUX_ functions, undecorated, with their ordinals.
set -euo pipefail
dll=$1
expected='1 RUX_Close
2 RUX_CloseCoder
3 RUX_DetectConfigure
4 RUX_GetPcmFormat
5 RUX_GetPcmLength
6 RUX_GetProcessFrame
7 RUX_Init
8 RUX_InputFile
9 RUX_InputFile2
10 RUX_InputMemory
11 RUX_InputMemory2
12 RUX_Replay'
# The name table lists "[index] name"; an export's ordinal is its index plus the ordinal base.
# objdump translates its headings under a Japanese locale.
actual=$(LC_ALL=C i686-w64-mingw32-objdump -p "$dll" | awk '
  /Ordinal Base/ { base = $NF }
  /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
  names && /^\t\[/ { gsub(/[][]/, " "); print $1 + base, $2; next }
  names { names = 0 }')
if [ "$actual" != "$expected" ]; then
  echo "$dll exports:" >&2
  echo "$actual" >&2
  echo "expected:" >&2
  echo "$expected" >&2
  exit 1
fi
echo "$dll exports the twelve RUX_ functions with their ordinals"
