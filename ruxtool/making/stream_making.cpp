// MakeStreams: each step in turn, the outputs kept under temporary names until the last has passed.
// The check plays the streams from memory; what it measured then goes into their comment headers,
// laid again over the same audio pages, and the files written are read back, compared byte for byte
// and their headers read through the exports once more.
#include "making/stream_making.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "audio_files/audio_file.h"
#include "encoding/comment_relay.h"
#include "encoding/loop_streams.h"
#include "encoding/part_encoder.h"
#include "loop_search/join_measure.h"
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
  return UsedLoop{made.crossfade.parts.start, made.crossfade.parts.end, made.crossfade.frames}.Text();
}

// How abrupt the loop's join sounds, "join at percentile 72, excess +0.4 dB; +0.1 dB beyond the
// music's own jump"; none for a single stream. A loop whose music goes on as a copy, on either side of it, jumps
// exactly as the music itself does at one of its points, however abrupt that moment is: the last
// figure, the jump less the larger of the music's own jumps at the two points, tells such a loop from a
// cut the music never makes.
std::string JoinRecord(const JoinMeasure& measure, long frames, LoopPoints loop, const JoinFigure& join) {
  double own = -HUGE_VAL;
  for (const long frame : {loop.start, loop.end}) {
    const bool inside = frame >= measure.Window() && frame + measure.Window() <= frames;
    if (inside) own = std::max(own, measure.OwnJump(frame));
  }
  const double beyond = std::isfinite(own) ? join.jumpDb - own : join.excessDb;
  char text[64];
  std::snprintf(text, sizeof text, "; %+.1f dB beyond the music's own jump", beyond);
  return JoinFigureText(join) + text;
}

// What the streams record before they are played: the request's record and the loop chosen.
MadeFrom RecordBeforePlaying(const MakeRequest& request, const MadeStreams& made) {
  MadeFrom record = request.record;
  record.loop = LoopRecord(made);
  record.loopFrom = made.loop.source;
  record.loopMoved = made.loop.moved;
  record.join = made.joinRecord;
  return record;
}

std::vector<RecordedSeam> RecordedSeams(const SeamCheck& check) {
  std::vector<RecordedSeam> seams;
  for (const SeamResult& seam : check.seams) {
    seams.push_back({seam.name, seam.error.measured, seam.error.seamSnr, seam.error.bodySnr});
  }
  return seams;
}

// The streams' comment headers laid again with the seams the check measured.
bool RecordSeams(const MadeFrom& before, const SeamCheck& check, size_t headerBytes, LoopStreams& streams,
                 std::string& error) {
  MadeFrom record = before;
  record.seams = RecordedSeams(check);
  if ((streams.intro.empty() || RelayComments(streams.intro, 0, record.Comments())) &&
      RelayComments(streams.loop, headerBytes, record.Comments())) {
    return true;
  }
  error = "the seams measured do not fit the streams' comment headers";
  return false;
}

// Writes the streams under temporary names and reads them back: the same bytes, whose headers the
// exports read as they read those that played.
bool WriteStreams(const Rux2Exports& rux, const PcmAudio& audio, const MadeStreams& made, const LoopStreams& streams,
                  OutputFiles& outputs, std::string& error) {
  if (!made.introPath.empty() && !outputs.Write(made.introPath, streams.intro, error)) return false;
  if (!outputs.Write(made.loopPath, streams.loop, error)) return false;
  const std::string intro = made.introPath.empty() ? std::string() : outputs.ReadBack(made.introPath);
  const std::string loop = outputs.ReadBack(made.loopPath);
  std::string problem = intro != streams.intro || loop != streams.loop ? "they read back otherwise than written" : "";
  if (problem.empty()) problem = CheckHeaders(rux, audio, made.crossfade.parts, intro, loop);
  if (problem.empty()) return true;
  error = "the streams written do not read as those played: " + problem;
  return false;
}

// How abrupt the loop's join is, and the crossfade the request asks for at its wrap. False, with the
// reason in error, where the crossfade is not shorter than the loop.
bool PlanRequestedCrossfade(const MakeRequest& request, const PcmAudio& audio, MadeStreams& made, std::string& error) {
  const LoopPoints loop = made.loop.loop;
  const std::vector<float> mono = MixToMono(audio);
  const JoinMeasure join(mono, audio.rate);
  made.join = join.Measure(loop);
  if (!made.loop.wholeInput) made.joinRecord = JoinRecord(join, audio.Frames(), loop, made.join);
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
  const MadeFrom record = RecordBeforePlaying(request, made);
  const VorbisSettings settings{audio.channels, audio.rate, request.quality / 10, 1, record.Comments()};
  if (!MakeLoopStreams(audio, loop, settings, streams)) {
    error = refused;
    return false;
  }
  const auto frames = static_cast<int32_t>(audio.Frames());
  const std::string header =
      made.loop.wholeInput ? StreamHeaderBytes(request.header, frames, audio.channels, audio.rate) : std::string();
  streams.loop = header + streams.loop;
  made.introPath = made.loop.wholeInput ? std::string() : request.introPath;
  made.loopPath = made.loop.wholeInput ? request.singlePath : request.loopPath;
  if (Interrupted(interrupted, error)) return false;

  made.check = CheckSeams(rux, audio, loop, streams.intro, streams.loop, sides, request.listener);
  if (!made.check.problem.empty()) {
    error = "the streams do not play as the input does: " + made.check.problem;
    return false;
  }
  if (!RecordSeams(record, made.check, header.size(), streams, error)) return false;
  made.introBytes = streams.intro.size();
  made.loopBytes = streams.loop.size();
  OutputFiles outputs;
  if (!WriteStreams(rux, audio, made, streams, outputs, error)) return false;
  if (Interrupted(interrupted, error) || !outputs.Commit(error)) return false;
  if (request.listener) request.listener->Kept();
  return true;
}

}  // namespace

bool MakeStreams(const Rux2Exports& rux, const MakeRequest& request, const std::function<bool()>& interrupted,
                 MadeStreams& made, std::string& error) {
  if (MakeStreamsOf(rux, request, interrupted, made, error)) return true;
  // A step stopped early by Ctrl+C fails for that reason, whatever it found missing.
  if (StopRequested()) error = "interrupted";
  return false;
}
