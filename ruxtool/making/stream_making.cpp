// MakeStreams: each step in turn, the outputs kept under temporary names until the last has passed.
#include "making/stream_making.h"

#include <cmath>

#include "audio_files/audio_file.h"
#include "encoding/loop_streams.h"
#include "encoding/part_encoder.h"
#include "loop_search/loop_search.h"
#include "making/crossfade_length.h"
#include "making/output_files.h"
#include "system/stop_request.h"

namespace {

// The caller's question, or Ctrl+C, which the long loops of the steps see too.
bool Interrupted(const std::function<bool()>& interrupted, std::string& error) {
  if (!interrupted() && !StopRequested()) return false;
  error = "interrupted";
  return true;
}

// The loop as the parts divide it, and the crossfade in the loop part's last frames.
std::string LoopRecord(const MadeStreams& made) {
  if (made.loop.wholeInput) return "none";
  const LoopPoints parts = made.crossfade.parts;
  const std::string loop = "frames " + std::to_string(parts.start) + " to " + std::to_string(parts.end);
  return made.crossfade.frames ? loop + ", crossfade " + std::to_string(made.crossfade.frames) + " frames" : loop;
}

// The encoder's settings, with what the streams record in their comments.
VorbisSettings SettingsFor(const MakeRequest& request, const PcmAudio& audio, const MadeStreams& made) {
  MadeFrom record = request.record;
  record.loop = LoopRecord(made);
  return {audio.channels, audio.rate, request.quality / 10, 1, record.Comments()};
}

// How abrupt the loop's join is, and the crossfade the request asks for at its wrap. False, with the
// reason in error, where the crossfade is not shorter than the loop.
bool PlanRequestedCrossfade(const MakeRequest& request, const PcmAudio& audio, MadeStreams& made, std::string& error) {
  const LoopPoints loop = made.loop.loop;
  const std::vector<float> mono = MixToMono(audio);
  const JoinMeasure join(mono, audio.rate);
  made.join = join.Measure(loop);
  long frames = 0;
  if (made.loop.wholeInput) {
    // A stream that loops whole has nothing before its start to fade in.
  } else if (request.crossfade.automatic) {
    const CrossfadeLength length = ChooseCrossfadeLength(join, mono, audio.rate, loop);
    made.crossfadeChosen = true;
    made.seamRepeats = length.seamRepeats;
    frames = length.frames;
    made.crossfadedExcessDb = length.excessDb;
  } else {
    frames = static_cast<long>(request.crossfade.length.FrameAt(audio.rate));
    if (frames >= loop.Length()) {
      error = "the crossfade of " + std::to_string(frames) + " frames (--crossfade " + request.crossfade.length.text +
              ") is not shorter than the loop of " + std::to_string(loop.Length()) + " frames";
      return false;
    }
    if (frames > 0) made.crossfadedExcessDb = WrapExcessDb(join, mono, audio.rate, loop, frames);
  }
  made.crossfade = PlanCrossfade(loop, audio.Frames(), frames);
  return true;
}

void Amplify(std::vector<float>& samples, double gainDb) {
  const float factor = static_cast<float>(std::pow(10.0, gainDb / 20));
  for (float& sample : samples) sample *= factor;
}

bool MakeStreamsOf(const Rux2Exports& rux, const MakeRequest& request, const std::function<bool()>& interrupted,
                   MadeStreams& made, std::string& error) {
  PcmAudio audio;
  if (!ReadAudioFile(request.input, audio, error) || Interrupted(interrupted, error)) return false;
  made.channels = audio.channels;
  made.rate = audio.rate;
  made.frames = audio.Frames();
  made.decodedFromVorbis = audio.decodedFromVorbis;
  const long minimumLoop = ContextFor({audio.channels, audio.rate, request.quality / 10}).minimumLoop;
  const std::string refused = "libvorbisenc takes no stream of " + std::to_string(audio.channels) + " channels at " +
                              std::to_string(audio.rate) + " Hz";
  if (minimumLoop == 0) {
    error = refused;
    return false;
  }
  if (!ChooseLoop(request.loop, request.input, audio, minimumLoop, made.loop, error) ||
      !PlanRequestedCrossfade(request, audio, made, error)) {
    return false;
  }
  CrossfadeSides sides = SidesOf(made.crossfade, audio);
  BakeCrossfade(made.crossfade, CrossfadeCurve::kWeighted, audio);
  const LoopPoints loop = made.crossfade.parts;
  made.levelled = request.levelLoudness;
  if (made.levelled && !LevelLoudness(request.loudness, loop.end, audio, made.level, error)) {
    error = request.input + ": " + error;
    return false;
  }
  if (made.levelled) {
    Amplify(sides.out, made.level.gainDb);
    Amplify(sides.in, made.level.gainDb);
  }
  if (Interrupted(interrupted, error)) return false;
  LoopStreams streams;
  if (!MakeLoopStreams(audio, loop, SettingsFor(request, audio, made), streams)) {
    error = refused;
    return false;
  }
  if (made.loop.wholeInput) {
    streams.loop = StreamHeaderBytes(request.header, static_cast<int32_t>(audio.Frames()), audio.channels, audio.rate) +
                   streams.loop;
  }
  made.introPath = made.loop.wholeInput ? std::string() : request.introPath;
  made.loopPath = made.loop.wholeInput ? request.singlePath : request.loopPath;
  made.introBytes = streams.intro.size();
  made.loopBytes = streams.loop.size();
  if (Interrupted(interrupted, error)) return false;

  OutputFiles outputs;
  if (!made.introPath.empty() && !outputs.Write(made.introPath, streams.intro, error)) return false;
  if (!outputs.Write(made.loopPath, streams.loop, error)) return false;
  made.check = CheckSeams(rux, audio, loop, made.introPath.empty() ? std::string() : outputs.ReadBack(made.introPath),
                          outputs.ReadBack(made.loopPath), sides);
  if (!made.check.problem.empty()) {
    error = "the streams do not play as the input does: " + made.check.problem;
    return false;
  }
  return !Interrupted(interrupted, error) && outputs.Commit(error);
}

}  // namespace

bool MakeStreams(const Rux2Exports& rux, const MakeRequest& request, const std::function<bool()>& interrupted,
                 MadeStreams& made, std::string& error) {
  if (MakeStreamsOf(rux, request, interrupted, made, error)) return true;
  // A step stopped early by Ctrl+C fails for that reason, whatever it found missing.
  if (StopRequested()) error = "interrupted";
  return false;
}
