#!/usr/bin/env bash
# Builds rux2.h and a small engine the way Visual C++ does, with clang for its target and lld-link
# with /SAFESEH against rux2.lib, runs the engine under Wine on a stream and compares what it decoded
# with ruxtool's decode; and compiles rux2.h as C89 and C++ there, and as C89 and C99 with MinGW, with
# warnings as errors.
# Usage: check_engine.sh RUX2_H_FOLDER RUX2_LIB RUX2_DLL RUXTOOL STREAM WINE_RUN
set -euo pipefail
headers=$1 import_library=$2 dll=$3 ruxtool=$4 stream=$5 wine_run=$6
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
msvc=(clang --target=i686-pc-windows-msvc -I"$here/include" -I"$headers" -Wall -Wextra -Werror)

echo '#include <windows.h>
#include "rux2.h"' >"$work/header.c"
"${msvc[@]}" -std=c89 -pedantic -fsyntax-only "$work/header.c"
"${msvc[@]}" -x c++ -fsyntax-only "$work/header.c"
for standard in c89 c99; do
  i686-w64-mingw32-gcc -std=$standard -pedantic -Wall -Wextra -Werror -I"$headers" -fsyntax-only "$work/header.c"
done

"${msvc[@]}" -std=c89 -pedantic -O2 -c "$here/engine.c" -o "$work/engine.obj"
llvm-dlltool -m i386 -k -d "$here/kernel32.def" -l "$work/kernel32.lib"
lld-link /nologo /safeseh /subsystem:console /entry:EngineMain /nodefaultlib "$work/engine.obj" \
  "$import_library" "$work/kernel32.lib" /out:"$work/engine.exe"

cp "$dll" "$work/"
cp "$stream" "$work/stream.ogg"
(cd "$work" && "$wine_run" engine.exe) || { echo "the engine ended with $? failures" >&2; exit 1; }
(cd "$work" && "$wine_run" "$ruxtool" decode stream.ogg reference.wav >/dev/null)
tail -c +45 "$work/reference.wav" >"$work/reference.pcm"
[ -s "$work/reference.pcm" ] || { echo "ruxtool decoded nothing" >&2; exit 1; }
cmp "$work/memory.pcm" "$work/reference.pcm"
cmp "$work/file.pcm" "$work/reference.pcm"
echo "a Visual C++ engine linked rux2.lib with /SAFESEH and decoded $(basename "$stream") completely"
