// ChooseLoop: the options first (frames or times, or the search), then the tags; the checks name the
// frames they found; given points are then checked against the music.
#include "loop_choice.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "given_loop_check.h"
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

// "4.09s is frame 180369" for a position given as a time.
std::string FrameOfTime(const AudioPosition& position, long rate) {
  return position.text + " is frame " + std::to_string(position.FrameAt(rate));
}

std::string CommandLineSource(const MakeOptions& options, long rate) {
  std::string times;
  for (const AudioPosition* position : {&options.loopStart, &options.loopEnd}) {
    if (!position->IsTime()) continue;
    times += (times.empty() ? " (" : ", ") + FrameOfTime(*position, rate);
  }
  return "the command line" + (times.empty() ? times : times + ")");
}

bool TakeLoop(const MakeOptions& options, const PcmAudio& audio, LoopChoice& choice, std::string& error) {
  if (options.loopStartAuto) return FindLoop(audio, choice, error);
  if (options.loopStartGiven) {
    const long long end = options.loopEndGiven ? options.loopEnd.FrameAt(audio.rate) : audio.Frames();
    choice = {{static_cast<long>(options.loopStart.FrameAt(audio.rate)), static_cast<long>(end)},
              CommandLineSource(options, audio.rate)};
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

// How far a point moved, as "992 frames earlier".
std::string Shift(long frames) {
  return std::to_string(std::labs(frames)) + (frames < 0 ? " frames earlier" : " frames later");
}

std::string WhyMoved(LoopPoints given, LoopPoints used) {
  const long start = used.start - given.start, end = used.end - given.end;
  if (end == 0) return "the music repeats " + Shift(start) + " than the start given";
  if (start == 0) return "the music repeats " + Shift(end) + " than the end given";
  if (start == end) return "neither point lies where the music repeats, which it does " + Shift(start);
  return "the music repeats " + Shift(start) + " than the start given and " + Shift(end) + " than the end given";
}

void MoveToRepeat(const PcmAudio& audio, LoopChoice& choice) {
  const LoopPoints given = choice.loop;
  choice.loop = CheckGivenLoop(MixToMono(audio), audio.rate, given);
  if (choice.loop.start == given.start && choice.loop.end == given.end) return;
  choice.moved = "frames " + std::to_string(given.start) + " to " + std::to_string(given.end) + " given, " +
                 std::to_string(choice.loop.start) + " to " + std::to_string(choice.loop.end) + " used: " +
                 WhyMoved(given, choice.loop);
}

}  // namespace

bool ChooseLoop(const MakeOptions& options, const PcmAudio& audio, long minimumLoop, LoopChoice& choice,
                std::string& error) {
  if (options.loopOutput.empty()) {
    choice = {{0, audio.Frames()}, "the whole input"};
    return true;
  }
  if (!TakeLoop(options, audio, choice, error)) return false;
  if (!CheckLoop(choice.loop, audio.Frames(), minimumLoop, error)) {
    // A loop the input names is the file's fault: say which file and where in it.
    if (!options.loopStartGiven) error = options.input + ": its " + audio.loopTag + ": " + error;
    return false;
  }
  if (options.loopStartAuto || options.exactLoop) return true;
  MoveToRepeat(audio, choice);
  return CheckLoop(choice.loop, audio.Frames(), minimumLoop, error);
}
