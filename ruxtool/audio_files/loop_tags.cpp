// ReadLoopTags: the first comment of each spelling counts; a length and an end that disagree name no
// loop rather than one of two.
#include "audio_files/loop_tags.h"

#include <cctype>
#include <cstdint>
#include <initializer_list>

#include "number_text/parse_number.h"

namespace {

struct Tag {
  std::string name;  // as the comment spells it
  std::string value;
};

bool NameIs(const std::string& comment, size_t nameLength, const char* wanted) {
  size_t i = 0;
  for (; i < nameLength && wanted[i]; ++i) {
    if (std::toupper(static_cast<unsigned char>(comment[i])) != wanted[i]) return false;
  }
  return i == nameLength && !wanted[i];
}

// The first comment under one of the names.
bool FindTag(const std::vector<std::string>& comments, std::initializer_list<const char*> names, Tag& tag) {
  for (const std::string& comment : comments) {
    const size_t equals = comment.find('=');
    if (equals == std::string::npos) continue;
    for (const char* name : names) {
      if (!NameIs(comment, equals, name)) continue;
      tag = {comment.substr(0, equals), comment.substr(equals + 1)};
      return true;
    }
  }
  return false;
}

bool ParseFrame(const Tag& tag, long highest, long& frame, std::string& problem) {
  if (ParseWholeNumber(tag.value.c_str(), 0, highest, frame)) return true;
  problem = tag.name + " \"" + tag.value + "\" is no frame number";
  return false;
}

// The loop's end from a length, an end or neither; empty problem when it is named.
long LoopEnd(const Tag* length, const Tag* end, long start, long frames, std::string& problem) {
  long fromLength = 0, fromEnd = 0;
  if (length && !ParseFrame(*length, INT32_MAX - start, fromLength, problem)) return 0;
  if (end && !ParseFrame(*end, INT32_MAX, fromEnd, problem)) return 0;
  if (length && end && start + fromLength != fromEnd) {
    problem = length->name + " " + length->value + " and " + end->name + " " + end->value +
              " disagree: the loop ends at frame " + std::to_string(start + fromLength) + " or " + end->value;
  }
  return length ? start + fromLength : end ? fromEnd : frames;
}

}  // namespace

void ReadLoopTags(const std::vector<std::string>& comments, long frames, PcmAudio& audio) {
  Tag start, length, end;
  if (!FindTag(comments, {"LOOPSTART", "LOOP_START"}, start)) return;
  const bool lengthFound = FindTag(comments, {"LOOPLENGTH", "LOOPLEN"}, length);
  const bool endFound = FindTag(comments, {"LOOPEND", "LOOP_END"}, end);
  audio.loopTag = start.name + (lengthFound ? " and " + length.name : "") + (endFound ? " and " + end.name : "") +
                  (lengthFound || endFound ? " comments" : " comment, looping to the end");
  long first = 0;
  if (!ParseFrame(start, INT32_MAX, first, audio.loopTagProblem)) return;
  const long last = LoopEnd(lengthFound ? &length : nullptr, endFound ? &end : nullptr, first, frames,
                            audio.loopTagProblem);
  audio.taggedLoop = {first, last};
}
