// Songs shaped the way released games ship their loops, made of generated or real music and put
// through a lossy round trip as a game's files are.
#pragma once

#include "audio_files/pcm_audio.h"

enum class GameShape {
  // An introduction that is the loop's last seconds, the file cut at the loop's end: from the file's
  // end the music plays on into the loop's start.
  kLoopToTheEnd,
  // Another introduction, the loop, then a tail that is the loop's start again.
  kTailAfterTheLoop,
  // The music as it is, in which nothing repeats.
  kNothingRepeats,
  // An introduction whose last seconds are the loop's last ones (none: other music), the loop, then
  // a tail of 3.4 s that plays the loop's start again while it fades out from the music's level by
  // 29 dB, as a soundtrack's tracks are often released.
  kFadingTail,
};

struct GameSong {
  PcmAudio audio;
  LoopPoints loop;  // the loop the game plays; for kNothingRepeats, the stretch a composer would loop
};

// The fading tail of kFadingTail.
constexpr double kFadeSeconds = 3.4;
constexpr double kFadeDepth = 29;  // dB

// source: music with other music before the stretch section, which becomes the loop. leadSeconds: the
// introduction of kLoopToTheEnd and kFadingTail, the tail of kTailAfterTheLoop.
GameSong ShapeGameSong(const PcmAudio& source, LoopPoints section, GameShape shape, double leadSeconds);
// The same of generated music: two bars of introduction, a loop of eight bars at 123 beats a minute
// (about 15.6 s) and two bars of other music after it.
GameSong MakeGameSong(GameShape shape, double leadSeconds, int channels, long rate);

// Bars of chords, each with a melody and drums of its own so that nothing repeats as a copy: two bars
// of introduction, twelve of the body, four of an ending whose last three fade out to silence; through
// the lossy round trip.
constexpr int kEndingSongIntroBars = 2, kEndingSongBodyBars = 12, kEndingSongEndingBars = 4, kEndingSongFadedBars = 3;
PcmAudio MakeSongWithAnEnding(unsigned seed, double beatsPerMinute, int channels, long rate);

// audio encoded at libvorbisenc's quality 0.3 and decoded again, as 16-bit samples.
PcmAudio LossyRoundTrip(const PcmAudio& audio);
