// ChooseLoop: the options first, then the tags; the checks name the frames they found.
#include "loop_choice.h"

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

}  // namespace

bool ChooseLoop(const MakeOptions& options, const PcmAudio& audio, long minimumLoop, LoopPoints& loop,
                std::string& error) {
  if (options.loopOutput.empty()) {
    loop = {0, audio.Frames()};
    return true;
  }
  if (options.loopStartGiven) {
    loop = {options.loopStart, options.loopEndGiven ? options.loopEnd : audio.Frames()};
  } else if (audio.loopTag.empty()) {
    error = "the input names no loop: give --loop-start, and --loop-end unless the loop ends the input";
    return false;
  } else if (!audio.loopTagProblem.empty()) {
    error = "the input's " + audio.loopTag + " name no loop: " + audio.loopTagProblem;
    return false;
  } else {
    loop = audio.taggedLoop;
  }
  return CheckLoop(loop, audio.Frames(), minimumLoop, error);
}
