// Generated music in the shape of game music: an introduction, a section that repeats, more music
// after it. Bass, chords, an arpeggiated melody and drums, whose notes ring on and echo past their
// bar, so that what precedes a bar sounds into it. For the sample stream, the tests and the benchmark.
#pragma once

#include "audio_files/pcm_audio.h"

struct SongShape {
  int introBars = 2;
  int loopBars = 4;
  int repeats = 2;  // how often the loop section is written out
  int outroBars = 0;
  double beatsPerMinute = 123;
  // The loop section rendered as a loop, as a composer masters one: what rings on past its end sounds
  // into its start, and every repeat is the same frames. Otherwise the repeats are played one after
  // the other, each ringing into the next, and fall on fractions of a frame.
  bool seamlessLoop = true;
  unsigned seed = 1;
  // The song's last seconds fade out to silence, as a composer ends a track that does not loop.
  double fadeOutSeconds = 0;
};

struct GeneratedSong {
  PcmAudio audio;
  LoopPoints loop;  // the first repeat of the loop section, to the nearest frame
};

// channels: 1 or 2.
GeneratedSong MakeSong(const SongShape& shape, int channels, long rate);
