// MakeStreams: each step in turn, the outputs kept under temporary names until the last has passed.
#include "making/stream_making.h"

#include "audio_files/audio_file.h"
#include "encoding/loop_streams.h"
#include "encoding/part_encoder.h"
#include "making/output_files.h"
#include "system/stop_request.h"

namespace {

// The caller's question, or Ctrl+C, which the long loops of the steps see too.
bool Interrupted(const std::function<bool()>& interrupted, std::string& error) {
  if (!interrupted() && !StopRequested()) return false;
  error = "interrupted";
  return true;
}

std::string LoopRecord(const LoopChoice& choice) {
  if (choice.wholeInput) return "none";
  return "frames " + std::to_string(choice.loop.start) + " to " + std::to_string(choice.loop.end);
}

// The encoder's settings, with what the streams record in their comments.
VorbisSettings SettingsFor(const MakeRequest& request, const PcmAudio& audio, const LoopChoice& choice) {
  MadeFrom record = request.record;
  record.loop = LoopRecord(choice);
  return {audio.channels, audio.rate, request.quality / 10, 1, record.Comments()};
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
  if (!ChooseLoop(request.loop, request.input, audio, minimumLoop, made.loop, error)) return false;
  const LoopPoints loop = made.loop.loop;
  made.levelled = request.levelLoudness;
  if (made.levelled && !LevelLoudness(request.loudness, loop.end, audio, made.level, error)) {
    error = request.input + ": " + error;
    return false;
  }
  if (Interrupted(interrupted, error)) return false;
  LoopStreams streams;
  if (!MakeLoopStreams(audio, loop, SettingsFor(request, audio, made.loop), streams)) {
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
                          outputs.ReadBack(made.loopPath));
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
