#!/usr/bin/env bash
# Fails unless the DLL starts at its own entry point, which refuses to load on a processor without
# SSE2 before anything of the library or its runtime runs, and unless that entry point itself uses no
# SSE register.
set -euo pipefail
dll=$1
# objdump translates its headings under a Japanese locale.
start=$(LC_ALL=C i686-w64-mingw32-objdump -f "$dll" | awk '/start address/ { print $3 }')
entry=$(i686-w64-mingw32-nm "$dll" | awk '$3 == "_RuxEntryPoint@12" { print "0x" $1 }')
if [ -z "$entry" ] || [ "$((start))" != "$((entry))" ]; then
  echo "$dll starts at $start, not at its entry point RuxEntryPoint ($entry)" >&2
  exit 1
fi
# The entry point's instructions, up to the next symbol.
code=$(LC_ALL=C i686-w64-mingw32-objdump -d --no-show-raw-insn --start-address="$entry" \
  --stop-address=$((entry + 1024)) "$dll" | awk '/^[0-9a-f]+ <[^>]*>:$/ { if (seen++) done = 1 } seen && !done')
if grep -q '%xmm' <<<"$code"; then
  echo "$dll's entry point uses SSE registers before it has checked for SSE2:" >&2
  grep '%xmm' <<<"$code" >&2
  exit 1
fi
echo "$dll starts at RuxEntryPoint ($(grep -cE '^ *[0-9a-f]+:' <<<"$code") instructions, no SSE)"
