#!/usr/bin/env bash
# Makes the decoder tests' streams in FOLDER: their signals written as WAV files by COMMAND (the
# signal program, under Wine in the Windows build), then encoded natively by oggenc, which is much
# faster than encoding under the emulator.
# Usage: make_test_streams.sh OGGENC FOLDER COMMAND...
set -euo pipefail
oggenc=$1 folder=$2
shift 2
rm -rf "$folder"
mkdir -p "$folder"
cd "$folder"
"$@" .
serial=1
for wav in *.wav; do
  "$oggenc" --quiet --quality 3 --serial "$serial" --output "${wav%.wav}.ogg" "$wav"
  rm "$wav"
  serial=$((serial + 1))
done
