// Where make cuts an input: loop points given on the command line or in a loops.txt, the input's own
// tags, or the search; given points checked against the music and moved to where it repeats when
// they are a little off.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"
#include "number_text/audio_position.h"

struct LoopRequest {
  bool wholeInput = false;  // one stream of the whole input, which loops whole
  bool pointsGiven = false;
  AudioPosition start;
  bool endGiven = false;  // otherwise the loop ends with the input
  AudioPosition end;
  std::string pointsSource;  // "the command line", "loops.txt line 3"
  enum class Search { kNever, kFirst, kWhereUntagged } search = Search::kNever;
  bool required = true;  // false: an input without a loop becomes one stream of the whole input
  bool exact = false;    // given points kept as they are
  bool toleranceGiven = false;  // given points known only to within tolerance, moved to where the music joins best
  AudioPosition tolerance;
};

struct LoopChoice {
  bool wholeInput = false;
  LoopPoints loop;
  std::string source;  // where it came from, for the developer to see
  std::string moved;   // empty, or what was given and why it was moved
};

// input: the file's name, for the messages. minimumLoop: the shortest loop make can make seamless.
// False, with the reason in error, when the loop cannot be made.
bool ChooseLoop(const LoopRequest& request, const std::string& input, const PcmAudio& audio, long minimumLoop,
                LoopChoice& choice, std::string& error);
