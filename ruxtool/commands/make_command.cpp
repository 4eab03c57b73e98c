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
              made.crossfade.parts.end);
  const Loudness result = level.Result();
  Print("gain:         %+.1f dB, to %.1f LUFS, true peak %.1f dBTP", level.gainDb, result.lufs,
              result.truePeakDb);
  if (level.heldByTruePeak) Print(": the true peak may not pass %.1f dBTP", target.truePeakCeilingDb);
  Print("\n");
}

// What fades out and what fades in, and where the parts meet.
void PrintCrossfade(const MadeStreams& made) {
  const CrossfadePlan& crossfade = made.crossfade;
  if (crossfade.frames == 0 && made.seamRepeats) {
    Print("crossfade:    none: the music repeats across the loop's seam, which plays as the input does\n");
    return;
  }
  if (crossfade.frames == 0) {
    Print("crossfade:    none, as asked\n");
    return;
  }
  const double rate = static_cast<double>(made.rate);
  Print("crossfade:    %.2f s (%ld frames)", crossfade.frames / rate, crossfade.frames);
  if (made.crossfadeChosen) Print(", chosen from the music");
  if (crossfade.asked > crossfade.frames) {
    Print(", shortened from %.2f s to what the input holds before the loop's start", crossfade.asked / rate);
  }
  const long shift = crossfade.parts.start - made.loop.loop.start;
  if (shift == crossfade.frames) {
    Print(": the music after the loop's end fades out as the loop's start fades in; the parts meet %ld frames after "
          "the loop's start\n",
          shift);
  } else if (shift == 0) {
    Print(": the loop's end fades out as the music before its start fades in\n");
  } else {
    Print(": the loop's end and the music after it fade out as the music around its start fades in; the parts meet "
          "%ld frames after the loop's start\n",
          shift);
  }
}

// How abrupt the jump from the loop's end into its start is, cut and crossfaded, by the join measure.
void PrintJoin(const MadeStreams& made) {
  Print("join:         %s jumps more than %.0f %% of the song's moments do, %+.1f dB over the music's own at the "
        "two points",
        made.loop.wholeInput ? "the stream's end into its start" : "cut, the loop's end into its start",
        made.join.percentile, made.join.excessDb);
  if (made.crossfade.frames) {
    Print("; crossfaded, %+.1f dB over the music on either side at most", made.crossfadedExcessDb);
  }
  Print("\n");
}

void PrintParts(const MadeStreams& made) {
  const LoopPoints loop = made.loop.loop, parts = made.crossfade.parts;
  if (made.loop.wholeInput) {
    Print("stream:       %s, %ld frames, %zu bytes\n", made.loopPath.c_str(), loop.Length(), made.loopBytes);
    PrintJoin(made);
    return;
  }
  Print("loop:         frames %ld to %ld, from %s\n", loop.start, loop.end, made.loop.source.c_str());
  if (!made.loop.moved.empty()) Print("loop moved:   %s\n", made.loop.moved.c_str());
  PrintJoin(made);
  PrintCrossfade(made);
  Print("introduction: %s, frames 0 to %ld, %zu bytes\n", made.introPath.c_str(), parts.start, made.introBytes);
  Print("loop part:    %s, frames %ld to %ld (%ld frames), %zu bytes\n", made.loopPath.c_str(), parts.start,
        parts.end, parts.Length(), made.loopBytes);
}

void PrintWrap(const WrapFigures& wrap) {
  Print("wrap:         %s: its largest second difference %.2f of the level around it, the music's own where the loop "
        "goes on %.2f, at its typical moment %.2f",
        wrap.Clicks() ? "clicks" : "no click", wrap.click, wrap.musicClick, wrap.typicalClick);
  if (wrap.crossfaded) Print("; its level at most %.1f dB below the two sides'", wrap.dipDb);
  Print("\n");
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
  PrintWrap(check.wrap);
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
