// ShapeGameSong: stretches of the music cut and joined into the game's shape, then coded and decoded.
#include "game_songs.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "encoding/part_encoder.h"
#include "music_generator.h"
#include "reference_decoder.h"

namespace {

// frames [first, first + count) of source after what audio holds.
void Append(PcmAudio& audio, const PcmAudio& source, long first, long count) {
  audio.samples.insert(audio.samples.end(), source.samples.begin() + first * source.channels,
                       source.samples.begin() + (first + count) * source.channels);
}

// The last seconds of audio faded out by depth dB, evenly in dB.
void FadeOut(PcmAudio& audio, double seconds, double depth) {
  const long frames = std::lround(seconds * audio.rate), first = audio.Frames() - frames;
  for (long frame = first; frame < audio.Frames(); ++frame) {
    const float gain = static_cast<float>(std::pow(10.0, -depth / 20 * (frame - first) / frames));
    for (int channel = 0; channel < audio.channels; ++channel) audio.samples[frame * audio.channels + channel] *= gain;
  }
}

}  // namespace

GameSong ShapeGameSong(const PcmAudio& source, LoopPoints section, GameShape shape, double leadSeconds) {
  const long lead = std::lround(leadSeconds * source.rate);
  GameSong song{{source.channels, source.rate}, section};
  switch (shape) {
    case GameShape::kLoopToTheEnd:
      Append(song.audio, source, section.end - lead, lead);
      Append(song.audio, source, section.start, section.Length());
      song.loop = {lead, lead + section.Length()};
      break;
    case GameShape::kTailAfterTheLoop:
      Append(song.audio, source, 0, section.end);
      Append(song.audio, source, section.start, lead);
      break;
    case GameShape::kNothingRepeats:
      song.audio.samples = source.samples;
      break;
    case GameShape::kFadingTail: {
      Append(song.audio, source, lead > 0 ? section.end - lead : 0, lead > 0 ? lead : section.start);
      const long loopStart = song.audio.Frames();
      Append(song.audio, source, section.start, section.Length());
      Append(song.audio, source, section.start, std::lround(kFadeSeconds * source.rate));
      FadeOut(song.audio, kFadeSeconds, kFadeDepth);
      song.loop = {loopStart, loopStart + section.Length()};
      break;
    }
  }
  song.audio = LossyRoundTrip(song.audio);
  return song;
}

GameSong MakeGameSong(GameShape shape, double leadSeconds, int channels, long rate) {
  SongShape music;
  music.introBars = 2;
  music.loopBars = 8;
  music.repeats = 1;
  music.outroBars = 2;
  // A loop that ends on C where the introduction ends on E: the music before the loop's start and
  // before its end is not alike, so that only what is copied repeats.
  music.seed = 1;
  const GeneratedSong generated = MakeSong(music, channels, rate);
  return ShapeGameSong(generated.audio, generated.loop, shape, leadSeconds);
}

PcmAudio MakeSongWithAnEnding(unsigned seed, double beatsPerMinute, int channels, long rate) {
  SongShape shape;
  shape.introBars = kEndingSongIntroBars;
  shape.loopBars = kEndingSongBodyBars;
  shape.repeats = 1;
  shape.outroBars = kEndingSongEndingBars;
  shape.beatsPerMinute = beatsPerMinute;
  shape.seamlessLoop = false;
  shape.seed = seed;
  shape.fadeOutSeconds = kEndingSongFadedBars * 4 * 60 / beatsPerMinute;
  return LossyRoundTrip(MakeSong(shape, channels, rate).audio);
}

PcmAudio LossyRoundTrip(const PcmAudio& audio) {
  const VorbisSettings settings{audio.channels, audio.rate, 0.3f, 1};
  const PartPlan whole{{{0, audio.Frames()}}, 0, audio.Frames()};
  const ReferencePcm decoded = DecodeReference(EncodePart(audio, whole, settings));
  PcmAudio lossy{decoded.channels, decoded.rate};
  lossy.samples.resize(decoded.pcm.size() / 2);
  for (size_t i = 0; i < lossy.samples.size(); ++i) {
    int16_t sample;
    std::memcpy(&sample, &decoded.pcm[2 * i], 2);
    lossy.samples[i] = sample / 32768.0f;
  }
  return lossy;
}
