#!/usr/bin/env bash
# Makes the decoder's and ruxtool's test streams in FOLDER: their signals written as WAV files by COMMAND (the
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
  # ruxtool make's input with a loop in the comments that many engines' tools read.
  if [ "$wav" = stereo_44100.wav ]; then
    "$oggenc" --quiet --quality 3 --comment LOOPSTART=44100 --comment LOOPLENGTH=66150 \
      --output looping_stereo_44100.ogg "$wav"
  fi
  rm "$wav"
  serial=$((serial + 1))
done
