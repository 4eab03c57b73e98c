#!/usr/bin/env bash
# ruxtool make on a folder interrupted as a developer interrupts it in the console: Wine hands the
# SIGINT of the process to its console control handler as CTRL_C_EVENT. The file under way fails as
# interrupted, no other begins, no temporary file is left and the exit code is 1. (A second Ctrl+C
# matters only where a call blocks and the work cannot see the first; every step here sees it within
# milliseconds, so the second finds the run ended.)
set -euo pipefail
wine_run=$1 ruxtool=$2 sample_maker=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
windows() { printf 'Z:%s' "$1" | tr / '\\'; }

"$wine_run" "$sample_maker" "$(windows "$work/sample")" >/dev/null
# A short sound first, so that its line shows the handler is in place while the phrase, a few
# seconds' work, is under way.
mkdir "$work/source"
cp "$work/sample/se/chime.wav" "$work/source/0-chime.wav"
cp "$work/sample/phrase.wav" "$work/sample/theme.flac" "$work/source/"

failures=0
fail() {
  echo "FAILED: $1"
  cat "$work/out.txt"
  failures=$((failures + 1))
}

# interrupt NAME EXPECTED-LINE...
interrupt() {
  local name=$1
  shift
  echo "== $name"
  rm -rf "$work/made" "$work/out.txt"
  "$wine_run" "$ruxtool" make -j 1 "$(windows "$work/source")" "$(windows "$work/made")" >"$work/out.txt" 2>&1 &
  local pid=$! tries=0
  until grep -q '^\[1/3\] 0-chime.wav: made' "$work/out.txt" 2>/dev/null; do
    sleep 0.05
    tries=$((tries + 1))
    [ "$tries" -lt 1200 ] || { kill "$pid"; fail "$name: the first file did not end"; return; }
  done
  kill -INT "$pid"
  local code=0
  wait "$pid" || code=$?
  [ "$code" = 1 ] || fail "$name: exit code $code, not 1"
  local line
  for line in "$@"; do grep -qF "$line" "$work/out.txt" || fail "$name: no line \"$line\""; done
  [ -z "$(find "$work/made" -name '*.ruxtool-part')" ] || fail "$name: temporary files left"
  [ "$(cd "$work/made" && ls)" = 0-chime.ogg ] || fail "$name: the outputs are $(cd "$work/made" && ls)"
}

interrupt "Ctrl+C" "Ctrl+C again stops at once" "[2/3] phrase.wav: failed: interrupted" \
  "3 files in" "; interrupted, 1 not made"
[ "$failures" = 0 ] && echo "1 passed, 0 failed"
exit "$failures"
