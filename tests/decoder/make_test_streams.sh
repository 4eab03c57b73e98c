#!/usr/bin/env bash
# Makes the decoder tests' streams in FOLDER: their signals written as WAV files under Wine, then
# encoded natively by oggenc, which is much faster than encoding under the emulator.
set -euo pipefail
wine_run=$1 make_signals=$2 oggenc=$3 folder=$4
rm -rf "$folder"
mkdir -p "$folder"
cd "$folder"
"$wine_run" "$make_signals" .
serial=1
for wav in *.wav; do
  "$oggenc" --quiet --quality 3 --serial "$serial" --output "${wav%.wav}.ogg" "$wav"
  rm "$wav"
  serial=$((serial + 1))
done
