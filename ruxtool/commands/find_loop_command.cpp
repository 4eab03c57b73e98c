// FindLoop: the input read mixed to one channel, its loops printed for a developer or a script: the
// frames and the score first, for scripts, then the kind of repeat, the length and the join's figure
// for a person; the best joins near points given roughly before the others.
#include <algorithm>
#include <cstdlib>

#include "audio_files/audio_file.h"
#include "commands/commands.h"
#include "loop_search/loop_search.h"
#include "loop_search/musical_joins.h"
#include "system/console_output.h"

namespace {

const char* KindName(LoopKind kind) {
  return kind == LoopKind::kToTheEnd       ? "loop to the end of the music"
         : kind == LoopKind::kMusicalJoin ? "musical join"
                                          : "repeated section";
}

// The joins within the tolerance of the points given; false, with the reason in error, where the
// points do not lie in the input or the tolerance reaches across the loop.
bool JoinsNearPoints(const FindLoopOptions& options, const PcmAudio& audio, std::vector<LoopCandidate>& joins,
                     std::string& error) {
  const LoopPoints given{static_cast<long>(options.start.FrameAt(audio.rate)),
                         options.endGiven ? static_cast<long>(options.end.FrameAt(audio.rate)) : audio.Frames()};
  const long reach = static_cast<long>(options.tolerance.FrameAt(audio.rate));
  if (given.start < 1 || given.end > audio.Frames() || given.start >= given.end) {
    error = "the loop from frame " + std::to_string(given.start) + " to " + std::to_string(given.end) +
            " does not lie in " + options.input + " (" + std::to_string(audio.Frames()) + " frames), after its first frame";
    return false;
  }
  if (reach >= given.Length()) {
    error = "the loop tolerance " + options.tolerance.text + " (" + std::to_string(reach) +
            " frames) reaches across the loop of " + std::to_string(given.Length()) + " frames";
    return false;
  }
  const JoinMeasure measure(audio.samples, audio.rate);
  joins = MusicalJoins(audio.samples, audio.rate, measure).Near(given, reach, options.search.count);
  return true;
}

}  // namespace

int FindLoop(const FindLoopOptions& options) {
  PcmAudio audio;
  std::string error;
  if (!ReadAudioFile(options.input, audio, error, true)) {
    PrintError("ruxtool: %s\n", error.c_str());
    return 1;
  }
  std::vector<LoopCandidate> loops;
  if (options.pointsGiven && !JoinsNearPoints(options, audio, loops, error)) {
    PrintError("ruxtool: %s\n", error.c_str());
    return 1;
  }
  for (const LoopCandidate& found : FindLoops(audio.samples, audio.rate, options.search)) {
    const bool known = std::any_of(loops.begin(), loops.end(), [&](const LoopCandidate& loop) {
      return loop.loop.start == found.loop.start && loop.loop.end == found.loop.end;
    });
    if (!known && loops.size() < options.search.count) loops.push_back(found);
  }
  if (loops.empty()) {
    PrintError("ruxtool: nothing in %s repeats for %g s or longer\n", options.input.c_str(),
                 options.search.minimumSeconds);
    return 1;
  }
  for (const LoopCandidate& candidate : loops) {
    Print("%ld %ld %.3f %s, %.2f s, %s\n", candidate.loop.start, candidate.loop.end, candidate.score,
          KindName(candidate.kind), candidate.loop.Length() / static_cast<double>(audio.rate),
          JoinFigureText(candidate.join).c_str());
  }
  return 0;
}
