#!/usr/bin/env bash
# Fails unless the release archive holds what a game developer needs, as described in its README:
# the two stripped programs (version block kept, Windows system DLLs imported only) whose debugging
# information in symbols/ turns an address back into a source line, the engine's header and import
# libraries, ruxtool in tools/ finding the rux2.dll above it and reading audio files through the
# libsndfile DLL beside it, libsndfile's sources, the licence notices, and the two texts for game
# developers.
# Usage: check_release.sh ARCHIVE WINE_RUN
set -euo pipefail
archive=$1 wine_run=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
name=$(basename "$archive" .zip)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "release: $*" >&2; exit 1; }

expected="$name/
$name/README-en.txt
$name/README-ja.txt
$name/licenses/
$name/licenses/libebur128.txt
$name/licenses/libflac.txt
$name/licenses/libogg.txt
$name/licenses/libopus.txt
$name/licenses/libsndfile.txt
$name/licenses/libvorbis.txt
$name/licenses/mingw-w64-runtime.txt
$name/licenses/winpthreads.txt
$name/rux2.dll
$name/sdk/
$name/sdk/librux2.dll.a
$name/sdk/rux2.def
$name/sdk/rux2.h
$name/sdk/rux2.lib
$name/sources/
$name/sources/libsndfile_1.2.0-REVISION.debian.tar.xz
$name/sources/libsndfile_1.2.0-REVISION.dsc
$name/sources/libsndfile_1.2.0.orig.tar.gz
$name/symbols/
$name/symbols/rux2.dll.debug
$name/symbols/ruxtool.exe.debug
$name/symbols/veskconf.exe.debug
$name/tools/
$name/tools/libsndfile-1.dll
$name/tools/ruxtool.exe
$name/veskconf.exe"
# The Debian revision of libsndfile's source package is whichever the archive holds.
actual=$(unzip -Z1 "$archive" | sed 's/libsndfile_1\.2\.0-[^/]*\.\(debian\.tar\.xz\|dsc\)$/libsndfile_1.2.0-REVISION.\1/' |
  LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "$archive holds:
$actual
expected:
$expected"
unzip -q "$archive" -d "$work"
cd "$work/$name"

# objdump translates its headings under a Japanese locale.
for program in veskconf.exe rux2.dll; do
  sections=$(LC_ALL=C i686-w64-mingw32-objdump -h "$program")
  ! grep -q ' \.debug_' <<<"$sections" || fail "$program still holds debugging information"
  grep -q ' \.rsrc ' <<<"$sections" || fail "$program lost its resources"
  link=$(i686-w64-mingw32-objcopy --dump-section .gnu_debuglink=/dev/stdout "$program" | tr -d '\0')
  [[ $link == "$program.debug"* ]] || fail "$program does not name symbols/$program.debug"
  "$here/../platform/check_imports.sh" "$program" >/dev/null
done

for program in tools/ruxtool.exe tools/libsndfile-1.dll; do
  sections=$(LC_ALL=C i686-w64-mingw32-objdump -h "$program")
  ! grep -q ' \.debug_' <<<"$sections" || fail "$program still holds debugging information"
done
"$here/../platform/check_imports.sh" tools/ruxtool.exe libsndfile-1.dll >/dev/null
"$here/../platform/check_imports.sh" tools/libsndfile-1.dll >/dev/null
# ruxtool loads the rux2.dll of the game's folder: then it goes on to look for the stream.
found=$("$wine_run" tools/ruxtool.exe info missing.ogg 2>&1 || true)
grep -q 'cannot read missing.ogg' <<<"$found" || fail "tools/ruxtool.exe does not find rux2.dll: $found"
# It reads audio files through the DLL beside it, which tells a text from audio.
found=$("$wine_run" tools/ruxtool.exe find-loop README-en.txt 2>&1 || true)
grep -q 'not an audio file that ruxtool reads' <<<"$found" || fail "tools/ruxtool.exe does not read through libsndfile: $found"

# An address in the shipped DLL, as a crash report gives it, reads as its source line.
headers=$(LC_ALL=C i686-w64-mingw32-objdump -p rux2.dll)
base=$(awk '$1 == "ImageBase" { print $2 }' <<<"$headers")
rva=$(awk '
  /^Export Address Table/ { table = 1; next }
  table && /Export RVA/ { gsub(/[][]/, " "); address[$1] = $4; next }
  /Ordinal\/Name Pointer/ { table = 0; names = 1; next }
  names && /RUX_Init$/ && !found { gsub(/[][]/, " "); print address[$1]; found = 1 }' <<<"$headers")
[ -n "$rva" ] && [ -n "$base" ] || fail "rux2.dll's RUX_Init not found in its export table"
line=$(i686-w64-mingw32-addr2line -f -e symbols/rux2.dll.debug "$(printf '0x%x' $((0x$base + 0x$rva)))")
grep -q 'RUX_Init' <<<"$line" && grep -q 'exports\.cpp:' <<<"$line" ||
  fail "symbols/rux2.dll.debug does not resolve RUX_Init: $line"

grep -q 'RUX_GetProcessFrame' sdk/rux2.h || fail "sdk/rux2.h is not the decoder's header"
for text in README-en.txt README-ja.txt licenses/*.txt; do
  [ -s "$text" ] || fail "$text is empty"
  ! grep -qv $'\r$' "$text" || fail "$text has a line without CRLF"
done
# The Japanese text is Shift-JIS: "ゲーム開発者" (game developers) in code page 932.
LC_ALL=C grep -qF $'\x83\x51\x81\x5b\x83\x80\x8a\x4a\x94\xad\x8e\xd2' README-ja.txt || fail "README-ja.txt is not Shift-JIS"
grep -q 'Xiph.org' licenses/libogg.txt && grep -q 'Xiph.org' licenses/libvorbis.txt ||
  fail "the libogg and libvorbis notices are not theirs"
grep -q 'MinGW-w64 runtime' licenses/mingw-w64-runtime.txt && grep -q 'mingw-w64 project' licenses/winpthreads.txt ||
  fail "the MinGW-w64 notices are not theirs"
grep -q 'Erik de Castro Lopo' licenses/libsndfile.txt && grep -q 'LESSER GENERAL PUBLIC LICENSE' licenses/libsndfile.txt ||
  fail "the libsndfile notice is not its own"
grep -q 'Xiph.Org Foundation' licenses/libflac.txt && grep -q 'Xiph.Org' licenses/libopus.txt &&
  grep -q 'Jan Kokem' licenses/libebur128.txt || fail "the libFLAC, libopus and libebur128 notices are not theirs"
listing=$(tar -tzf sources/libsndfile_1.2.0.orig.tar.gz)
grep -qx 'libsndfile-1.2.0/src/sndfile.c' <<<"$listing" || fail "sources/ does not hold libsndfile's sources"
echo "$archive holds the release"
