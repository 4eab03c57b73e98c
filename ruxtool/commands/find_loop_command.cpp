// FindLoop: the input read mixed to one channel, its loops printed for a developer or a script: the
// frames and the score first, for scripts, then the kind of repeat and the length for a person.
#include "audio_files/audio_file.h"
#include "commands/commands.h"
#include "loop_search/loop_search.h"
#include "system/console_output.h"

namespace {

const char* KindName(LoopKind kind) {
  return kind == LoopKind::kToTheEnd ? "loop to the end of the music" : "repeated section";
}

}  // namespace

int FindLoop(const FindLoopOptions& options) {
  PcmAudio audio;
  std::string error;
  if (!ReadAudioFile(options.input, audio, error, true)) {
    PrintError("ruxtool: %s\n", error.c_str());
    return 1;
  }
  const std::vector<LoopCandidate> loops = FindLoops(audio.samples, audio.rate, options.search);
  if (loops.empty()) {
    PrintError("ruxtool: nothing in %s repeats for %g s or longer\n", options.input.c_str(),
                 options.search.minimumSeconds);
    return 1;
  }
  for (const LoopCandidate& candidate : loops) {
    Print("%ld %ld %.3f %s, %.2f s\n", candidate.loop.start, candidate.loop.end, candidate.score,
                KindName(candidate.kind), candidate.loop.Length() / static_cast<double>(audio.rate));
  }
  return 0;
}
