// ParseLoopList: the text as UTF-8 whatever it was saved in, then line by line, the name being the rest
// of the line after the two points, so that it may hold spaces.
#include "soundtrack/loop_list.h"

#include <sstream>

#include "system/path_names.h"
#include "system/unicode_text.h"

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// False, with the reason, when the line names a file but its points cannot be read.
bool ParsePoints(const std::string& start, const std::string& end, LoopListEntry& entry, std::string& problem) {
  entry.noLoop = start == "-1";
  if (!entry.noLoop && !ParseAudioPosition(start.c_str(), entry.start)) {
    problem = "the start " + start + " is no frame, time or -1";
    return false;
  }
  entry.endGiven = end != "-" && !(entry.noLoop && end == "-1");
  if (entry.endGiven && !ParseAudioPosition(end.c_str(), entry.end)) {
    problem = "the end " + end + " is no frame, time or -";
    return false;
  }
  return true;
}

}  // namespace

const LoopListEntry* LoopList::Find(const std::string& fileName, std::string& problem) const {
  const LoopListEntry* found = nullptr;
  for (const LoopListEntry& entry : entries) {
    if (!SameName(entry.name, fileName)) continue;
    if (found) {
      problem = "loops.txt names it on lines " + std::to_string(found->line) + " and " + std::to_string(entry.line);
      return nullptr;
    }
    found = &entry;
  }
  if (found) problem = found->problem;
  return found && problem.empty() ? found : nullptr;
}

LoopList ParseLoopList(const std::string& bytes) {
  LoopList list;
  std::istringstream lines(EditedTextAsUtf8(bytes));
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    line = Trimmed(line);
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string start, end;
    LoopListEntry entry;
    fields >> start >> end;
    std::getline(fields, entry.name);
    entry.name = Trimmed(entry.name);
    entry.line = number;
    entry.text = start + " " + end;
    const std::string where = "loops.txt line " + std::to_string(number) + ": ";
    if (entry.name.empty()) {
      list.problems.push_back(where + "it is not START END NAME");
      continue;
    }
    std::string problem;
    if (!ParsePoints(start, end, entry, problem)) entry.problem = where + problem;
    list.entries.push_back(entry);
  }
  return list;
}
