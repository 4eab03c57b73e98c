// Make: a folder made file by file, and reported on when asked, or one input made into its streams,
// with all that make did and measured printed for the developer.
#include "commands/commands.h"
#include "commands/interruption.h"
#include "make_options/make_request.h"
#include "making/stream_making.h"
#include "report/soundtrack_report.h"
#include "soundtrack/folder_make.h"
#include "system/console_output.h"
#include "system/free_memory.h"
#include "system/stop_request.h"

namespace {

int Fail(const std::string& error) {
  PrintError("ruxtool: %s\n", error.c_str());
  return 1;
}

void PrintInput(const MakeOptions& options, const MadeStreams& made) {
  if (made.decodedFromVorbis) {
    Print("%s is Ogg Vorbis: it is decoded and encoded again, which costs quality\n", options.input.c_str());
  }
  Print("input:        %s, %d channels, %ld Hz, %ld frames\n", options.input.c_str(), made.channels, made.rate,
              made.frames);
}

void PrintLoudness(const MadeStreams& made, const LoudnessTarget& target) {
  const LoudnessLevel& level = made.level;
  Print("loudness:     %.1f LUFS, true peak %.1f dBTP: %s (frames 0 to %ld)\n", level.measured.lufs,
              level.measured.truePeakDb,
              made.loop.wholeInput ? "the whole stream" : "the introduction and one pass of the loop",
              made.loop.loop.end);
  const Loudness result = level.Result();
  Print("gain:         %+.1f dB, to %.1f LUFS, true peak %.1f dBTP", level.gainDb, result.lufs,
              result.truePeakDb);
  if (level.heldByTruePeak) Print(": the true peak may not pass %.1f dBTP", target.truePeakCeilingDb);
  Print("\n");
}

void PrintParts(const MadeStreams& made) {
  const LoopPoints loop = made.loop.loop;
  if (made.loop.wholeInput) {
    Print("stream:       %s, %ld frames, %zu bytes\n", made.loopPath.c_str(), loop.Length(), made.loopBytes);
    return;
  }
  Print("loop:         frames %ld to %ld, from %s\n", loop.start, loop.end, made.loop.source.c_str());
  if (!made.loop.moved.empty()) Print("loop moved:   %s\n", made.loop.moved.c_str());
  Print("introduction: %s, frames 0 to %ld, %zu bytes\n", made.introPath.c_str(), loop.start, made.introBytes);
  Print("loop part:    %s, frames %ld to %ld (%ld frames), %zu bytes\n", made.loopPath.c_str(), loop.start,
              loop.end, loop.Length(), made.loopBytes);
}

void PrintCheck(const SeamCheck& check, bool twoParts) {
  Print("played:       %s through rux2.dll: %ld frames, as the input plays\n",
              twoParts ? "introduction, loop part, loop part" : "stream, stream again", check.playedFrames);
  for (const SeamResult& seam : check.seams) {
    Print("seam %-24s at frame %ld: ", seam.name, seam.frame);
    if (!seam.error.measured) {
      Print("the playback is too short to measure it\n");
      continue;
    }
    const double cost = seam.error.Cost();
    Print("%.1f dB signal to noise in the %ld frames around it, %.1f dB in the music around them: %.1f dB %s\n",
                seam.error.seamSnr, kSeamWindow, seam.error.bodySnr, cost < 0 ? -cost : cost,
                cost <= 0 ? "better" : "worse");
  }
}

int MakeFile(const Rux2Exports& rux, const MakeOptions& options) {
  const bool pointsGiven = options.loopStartGiven && !options.loopStartAuto;
  const std::string loopGiven =
      pointsGiven ? "the command line " + options.loopStart.text + " " + (options.loopEndGiven ? options.loopEnd.text : "-")
                  : "the input";
  MakeRequest request = RequestFor(options, options.input, loopGiven);
  const bool twoParts = !options.loopOutput.empty();
  (twoParts ? request.introPath : request.singlePath) = options.output;
  request.loopPath = options.loopOutput;
  MadeStreams made;
  std::string error;
  if (!MakeStreams(rux, request, StopRequested, made, error)) return Fail(error);
  PrintInput(options, made);
  if (made.levelled) PrintLoudness(made, options.loudness);
  PrintParts(made);
  PrintCheck(made.check, twoParts);
  return 0;
}

}  // namespace

int Make(const Rux2Exports& rux, const MakeOptions& options) {
  CatchInterruptions();
  if (!options.folder) return MakeFile(rux, options);
  // The heap's own overhead and the gaps between what the address space holds take some of what is free.
  const uint64_t memory = FreeMemory() / 8 * 7;
  if (options.report.empty()) return MakeFolder(rux, options, StopRequested, memory);
  return MakeFolderWithReport(rux, options, StopRequested, memory);
}
