// ChooseLoop: the options first (a frame, or the search), then the tags; the checks name the frames
// they found.
#include "loop_choice.h"

#include <cstdio>
#include <vector>

#include "loop_search.h"

namespace {

bool CheckLoop(LoopPoints loop, long frames, long minimumLoop, std::string& error) {
  const std::string start = std::to_string(loop.start), end = std::to_string(loop.end);
  if (loop.start >= loop.end) {
    error = "the loop starts at frame " + start + ", at or after its end, frame " + end;
  } else if (loop.end > frames) {
    error = "the loop ends at frame " + end + ", past the input's end (" + std::to_string(frames) + " frames)";
  } else if (loop.start == 0) {
    error = "the loop starts at frame 0, which leaves no introduction: write a single stream, which loops whole";
  } else if (loop.Length() < minimumLoop) {
    error = "the loop of " + std::to_string(loop.Length()) + " frames is shorter than four Vorbis blocks (" +
            std::to_string(minimumLoop) + " frames)";
  } else {
    return true;
  }
  return false;
}

bool FindLoop(const PcmAudio& audio, LoopChoice& choice, std::string& error) {
  const LoopSearchOptions search;
  const std::vector<LoopCandidate> loops = FindLoops(MixToMono(audio), audio.rate, search);
  if (loops.empty()) {
    error = "nothing in the input repeats for " + std::to_string(static_cast<int>(search.minimumSeconds)) +
            " s or longer: give --loop-start";
    return false;
  }
  char score[16];
  std::snprintf(score, sizeof score, "%.3f", loops.front().score);
  choice = {loops.front().loop, std::string("the best loop the search finds, score ") + score};
  return true;
}

bool TakeLoop(const MakeOptions& options, const PcmAudio& audio, LoopChoice& choice, std::string& error) {
  if (options.loopStartAuto) return FindLoop(audio, choice, error);
  if (options.loopStartGiven) {
    choice = {{options.loopStart, options.loopEndGiven ? options.loopEnd : audio.Frames()}, "the command line"};
    return true;
  }
  if (audio.loopTag.empty()) {
    error = "the input names no loop: give --loop-start, and --loop-end unless the loop ends the input";
    return false;
  }
  if (!audio.loopTagProblem.empty()) {
    error = options.input + ": its " + audio.loopTag + ": " + audio.loopTagProblem;
    return false;
  }
  choice = {audio.taggedLoop, "the input's " + audio.loopTag};
  return true;
}

}  // namespace

bool ChooseLoop(const MakeOptions& options, const PcmAudio& audio, long minimumLoop, LoopChoice& choice,
                std::string& error) {
  if (options.loopOutput.empty()) {
    choice = {{0, audio.Frames()}, "the whole input"};
    return true;
  }
  if (!TakeLoop(options, audio, choice, error)) return false;
  if (CheckLoop(choice.loop, audio.Frames(), minimumLoop, error)) return true;
  // A loop the input names is the file's fault: say which file and where in it.
  if (!options.loopStartGiven) error = options.input + ": its " + audio.loopTag + ": " + error;
  return false;
}
