// PlayedOnce, MadeSeams, SplitSeams and UncutSeams: every stream played through the exports under
// test.
#include "seam_comparison.h"

#include <cstdint>
#include <cstring>

#include "encoding/loop_streams.h"
#include "encoding/part_encoder.h"
#include "rux2_under_test.h"
#include "seams/part_playback.h"

namespace {

VorbisSettings SettingsOf(const SeamCase& seamCase) {
  return {seamCase.song.audio.channels, seamCase.song.audio.rate, seamCase.quality, 1};
}

PcmAudio IdealPlayback(const GeneratedSong& song) {
  PcmAudio ideal{song.audio.channels, song.audio.rate};
  const auto at = [&song](long frame) { return song.audio.samples.begin() + frame * song.audio.channels; };
  ideal.samples.assign(at(0), at(song.loop.end));
  ideal.samples.insert(ideal.samples.end(), at(song.loop.start), at(song.loop.end));
  return ideal;
}

}  // namespace

std::vector<float> PlayedOnce(const std::string& stream, int channels) {
  std::vector<float> samples;
  DecoderRecord record{};
  Rux2().RUX_Init(&record);
  Rux2().RUX_InputMemory(&record, const_cast<char*>(stream.data()), static_cast<uint32_t>(stream.size()), 0);
  if (Rux2().RUX_DetectConfigure(&record) == RUX_OK) {
    PlayActivePart(Rux2(), record, channels, [&samples](const char* pcm, size_t bytes) {
      for (size_t i = 0; i + 1 < bytes; i += 2) {
        int16_t sample;
        std::memcpy(&sample, pcm + i, 2);
        samples.push_back(sample / 32767.0f);
      }
    });
  }
  Rux2().RUX_Close(&record);
  return samples;
}

SeamCheck MadeSeams(const SeamCase& seamCase) {
  LoopStreams streams;
  MakeLoopStreams(seamCase.song.audio, seamCase.song.loop, SettingsOf(seamCase), streams);
  return CheckSeams(Rux2(), seamCase.song.audio, seamCase.song.loop, streams.intro, streams.loop);
}

SeamCheck SplitSeams(const SeamCase& seamCase) {
  const LoopPoints loop = seamCase.song.loop;
  VorbisSettings settings = SettingsOf(seamCase);
  std::string intro;
  if (loop.start > 0) {
    intro = EncodePart(seamCase.song.audio, PartPlan{{{0, loop.start}}, 0, loop.start}, settings);
    ++settings.serial;
  }
  const std::string loopPart =
      EncodePart(seamCase.song.audio, PartPlan{{{loop.start, loop.Length()}}, 0, loop.Length()}, settings);
  return CheckSeams(Rux2(), seamCase.song.audio, loop, intro, loopPart);
}

std::vector<SeamError> UncutSeams(const SeamCase& seamCase, const SeamCheck& check) {
  const PcmAudio ideal = IdealPlayback(seamCase.song);
  const std::string uncut = EncodePart(ideal, PartPlan{{{0, ideal.Frames()}}, 0, ideal.Frames()}, SettingsOf(seamCase));
  const std::vector<float> played = PlayedOnce(uncut, ideal.channels);
  if (played.size() != ideal.samples.size()) return {};
  std::vector<SeamError> seams;
  for (const SeamResult& seam : check.seams) {
    seams.push_back(MeasureSeam(ideal.samples.data(), played.data(), ideal.Frames(), ideal.channels, seam.frame));
  }
  return seams;
}
