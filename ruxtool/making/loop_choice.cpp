// ChooseLoop: the places the request names, in its order; the checks name the frames they found; given
// and tagged points are then checked against the music.
#include "making/loop_choice.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "loop_search/given_loop_check.h"
#include "loop_search/join_within_reach.h"
#include "loop_search/loop_search.h"

namespace {

// A beat this far out of step across a join is heard.
constexpr double kBeatOutOfStep = 0.1;

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

// Where a loop came from: given points and tags are checked against the music; a loop the search found
// already lies where it repeats.
enum class Origin { kGivenPoints, kTags, kSearchOrNone, kFailed };

// The best loop the search finds; where it finds none, no loop, or an error where one is required.
Origin FindLoop(const LoopRequest& request, const PcmAudio& audio, LoopChoice& choice, std::string& error) {
  const LoopSearchOptions search;
  const std::vector<LoopCandidate> loops = FindLoops(MixToMono(audio), audio.rate, search);
  const std::string nothing =
      "nothing in the input repeats for " + std::to_string(static_cast<int>(search.minimumSeconds)) + " s or longer";
  if (loops.empty() && request.required) {
    error = nothing + ": give --loop-start";
    return Origin::kFailed;
  }
  if (loops.empty()) {
    choice = {true, {0, audio.Frames()}, "no loop: " + nothing};
    return Origin::kSearchOrNone;
  }
  char score[16];
  std::snprintf(score, sizeof score, "%.3f", loops.front().score);
  choice = {false, loops.front().loop, std::string("the best loop the search finds, score ") + score};
  return Origin::kSearchOrNone;
}

// "4.09s is frame 180369" for a position given as a time.
std::string FrameOfTime(const AudioPosition& position, long rate) {
  return position.text + " is frame " + std::to_string(position.FrameAt(rate));
}

std::string PointsSource(const LoopRequest& request, long rate) {
  std::string times;
  for (const AudioPosition* position : {&request.start, &request.end}) {
    if (!position->IsTime()) continue;
    times += (times.empty() ? " (" : ", ") + FrameOfTime(*position, rate);
  }
  return request.pointsSource + (times.empty() ? times : times + ")");
}

// The loop where the request looks for it: given points, the search first if asked, the input's tags,
// the search where the input names none. kFailed, with the reason in error, where none can be had.
Origin TakeLoop(const LoopRequest& request, const std::string& input, const PcmAudio& audio, LoopChoice& choice,
                std::string& error) {
  if (request.pointsGiven) {
    const long long end = request.endGiven ? request.end.FrameAt(audio.rate) : audio.Frames();
    choice = {false, {static_cast<long>(request.start.FrameAt(audio.rate)), static_cast<long>(end)},
              PointsSource(request, audio.rate)};
    return Origin::kGivenPoints;
  }
  if (request.search == LoopRequest::Search::kFirst) return FindLoop(request, audio, choice, error);
  if (!audio.loopTag.empty() && !audio.loopTagProblem.empty()) {
    error = input + ": its " + audio.loopTag + ": " + audio.loopTagProblem;
    return Origin::kFailed;
  }
  if (!audio.loopTag.empty()) {
    choice = {false, audio.taggedLoop, "the input's " + audio.loopTag};
    return Origin::kTags;
  }
  if (request.search == LoopRequest::Search::kWhereUntagged) return FindLoop(request, audio, choice, error);
  if (!request.required) {
    choice = {true, {0, audio.Frames()}, "no loop: the input names none"};
    return Origin::kSearchOrNone;
  }
  error = "the input names no loop: give --loop-start, and --loop-end unless the loop ends the input";
  return Origin::kFailed;
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

std::string Moved(LoopPoints given, LoopPoints used, const std::string& why) {
  return "frames " + std::to_string(given.start) + " to " + std::to_string(given.end) + " given, " +
         std::to_string(used.start) + " to " + std::to_string(used.end) + " used: " + why;
}

void MoveToRepeat(const PcmAudio& audio, LoopChoice& choice) {
  const LoopPoints given = choice.loop;
  choice.loop = CheckGivenLoop(MixToMono(audio), audio.rate, given);
  if (choice.loop.start == given.start && choice.loop.end == given.end) return;
  choice.moved = Moved(given, choice.loop, WhyMoved(given, choice.loop));
}

// "on the downbeat, the join 3.1 dB smoother (join at percentile 41, excess -0.2 dB)"; where the points
// given were out of step with the beat, how far.
std::string WhyJoined(const MovedJoin& moved) {
  char text[160];
  std::string why = moved.onDownbeat ? "on the downbeat" : "on the beat";
  if (moved.givenBeatError > kBeatOutOfStep) {
    std::snprintf(text, sizeof text, ", in step (the points given were %.2f of a beat out)", moved.givenBeatError);
    why += text;
  }
  const double smoother = moved.given.jumpDb - moved.used.jumpDb;
  std::snprintf(text, sizeof text, ", the join %.1f dB %s (%s)", std::fabs(smoother),
                smoother >= 0 ? "smoother" : "more abrupt", JoinFigureText(moved.used).c_str());
  return why + text;
}

// Each point moved within the tolerance to where the music joins best; false, with the reason in error,
// where the tolerance is as long as the loop.
bool MoveToJoin(const LoopRequest& request, const PcmAudio& audio, LoopChoice& choice, std::string& error) {
  const LoopPoints given = choice.loop;
  const long reach = static_cast<long>(request.tolerance.FrameAt(audio.rate));
  if (reach >= given.Length()) {
    error = "the loop tolerance " + request.tolerance.text + " (" + std::to_string(reach) + " frames) reaches across the loop of " +
            std::to_string(given.Length()) + " frames";
    return false;
  }
  const bool clipsStart = given.start - reach < 1, clipsEnd = given.end + reach > audio.Frames();
  if (clipsStart || clipsEnd) {
    choice.source += std::string(", the tolerance clipped to the input's ") +
                     (clipsStart && clipsEnd ? "start and end" : clipsStart ? "start" : "end");
  }
  const MovedJoin moved = JoinWithinReach(MixToMono(audio), audio.rate, given, reach);
  choice.loop = moved.loop;
  if (moved.loop.start == given.start && moved.loop.end == given.end) return true;
  choice.moved = Moved(given, moved.loop, moved.copy ? WhyMoved(given, moved.loop) : WhyJoined(moved));
  return true;
}

}  // namespace

bool ChooseLoop(const LoopRequest& request, const std::string& input, const PcmAudio& audio, long minimumLoop,
                LoopChoice& choice, std::string& error) {
  if (request.wholeInput) {
    choice = {true, {0, audio.Frames()}, "the whole input"};
    return true;
  }
  const Origin origin = TakeLoop(request, input, audio, choice, error);
  if (origin == Origin::kFailed) return false;
  if (choice.wholeInput) return true;
  if (!CheckLoop(choice.loop, audio.Frames(), minimumLoop, error)) {
    // A loop the input names is the file's fault: say which file and where in it.
    if (origin == Origin::kTags) error = input + ": its " + audio.loopTag + ": " + error;
    return false;
  }
  if (origin == Origin::kSearchOrNone || request.exact) return true;
  if (!request.toleranceGiven) {
    MoveToRepeat(audio, choice);
  } else if (!MoveToJoin(request, audio, choice, error)) {
    return false;
  }
  return CheckLoop(choice.loop, audio.Frames(), minimumLoop, error);
}
