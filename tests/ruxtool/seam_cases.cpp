// SeamCases: a 441 Hz tone at oggenc's default quality and at make's, a mono one at 22050 Hz, three
// bars of music, and nine bars delivered in a WAV file.
#include "seam_cases.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "audio_files/audio_file.h"
#include "file_bytes.h"
#include "wav_bytes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Three bars of music whose loop points fall between its notes, with a crossfade of a quarter second.
GeneratedSong Music() {
  SongShape shape;
  shape.introBars = 1;
  shape.loopBars = 2;
  shape.seamlessLoop = false;
  const GeneratedSong song = MakeSong(shape, 2, 44100);
  const long eighth = song.loop.Length() / 16;
  return CrossfadeMastered(song.audio, {song.loop.start + 3 * eighth / 2, song.loop.end - eighth / 3}, 11025);
}

// Three bars of introduction, a loop of four and an ending of two, written as a 24-bit WAV file with
// the loop in its smpl chunk and read back as make reads it. The loop starts 0.2 s into its bar, 40 ms
// before a hi-hat. Its loop part, encoded after the loop's end, met the introduction 1.3 dB worse than
// an uncut stream there, where the parts split and encoded alone met 1 dB better.
GeneratedSong DeliveredMusic(const std::string& folder) {
  SongShape shape;
  shape.introBars = 3;
  shape.repeats = 1;
  shape.outroBars = 2;
  shape.seed = 11;
  const GeneratedSong song = MakeSong(shape, 2, 44100);
  const long offset = song.loop.Length() / 64 * 5 / 3;
  const LoopPoints loop{song.loop.start + offset, song.loop.end + offset};
  const std::string path = folder + "delivered_music.wav";
  WriteFileBytes(path, WavBytes({"24-bit stereo", 24, false, false, 2, 44100}, song.audio.samples, &loop));
  GeneratedSong delivered;
  std::string error;
  ReadAudioFile(path, delivered.audio, error);
  std::remove(path.c_str());
  delivered.loop = delivered.audio.taggedLoop;
  return delivered;
}

// A single stream that loops whole.
GeneratedSong Whole(GeneratedSong song) {
  song.loop = {0, song.audio.Frames()};
  return song;
}

}  // namespace

GeneratedSong Tone(int channels, long rate, double hertz, LoopPoints loop) {
  GeneratedSong tone{{channels, rate}, loop};
  for (long frame = 0; frame < loop.end + rate; ++frame) {
    for (int channel = 0; channel < channels; ++channel) {
      tone.audio.samples.push_back(static_cast<float>(0.5 * std::sin(2 * kPi * hertz * frame / rate + channel)));
    }
  }
  return tone;
}

GeneratedSong CrossfadeMastered(const PcmAudio& source, LoopPoints loop, long fade) {
  GeneratedSong song{{source.channels, source.rate}, loop};
  const auto frame = [&source](long at) { return source.samples.begin() + at * source.channels; };
  song.audio.samples.assign(frame(0), frame(loop.end));
  for (long i = 0; i < fade; ++i) {
    const double weight = 0.5 - 0.5 * std::cos(kPi * (i + 1) / fade);
    for (int channel = 0; channel < source.channels; ++channel) {
      float& sample = song.audio.samples[(loop.end - fade + i) * source.channels + channel];
      sample = static_cast<float>((1 - weight) * sample + weight * *(frame(loop.start - fade + i) + channel));
    }
  }
  song.audio.samples.insert(song.audio.samples.end(), song.audio.samples.begin() + loop.start * source.channels,
                            song.audio.samples.end());
  return song;
}

std::vector<SeamCase> SeamCases(const std::string& folder) {
  const LoopPoints toneLoop{44123, 44123 + 3 * 44100};
  return {
      {"441 Hz stereo tone at 44100 Hz, quality 3", Tone(2, 44100, 441, toneLoop), 0.3f, true},
      {"441 Hz stereo tone at 44100 Hz, quality 5", Tone(2, 44100, 441, toneLoop), 0.5f, true},
      {"441 Hz mono tone at 22050 Hz, quality 5", Tone(1, 22050, 441, {22071, 22071 + 2 * 22050}), 0.5f, true},
      {"music, quality 3", Music(), 0.3f},
      {"music, quality 5", Music(), 0.5f},
      {"music played whole, quality 5", Whole(Music()), 0.5f},
      {"24-bit music from a WAV file, quality 5", DeliveredMusic(folder), 0.5f},
  };
}
