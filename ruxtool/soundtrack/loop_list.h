// A folder's loops.txt, in the format loop tools share: one line per file, "START END NAME", START and
// END as on make's command line (frames, seconds or minutes and seconds), END exclusive or "-" for the
// file's end, a START of -1 for a file that has no loop whatever its tags say. Blank lines and lines
// that start with # are passed over.
#pragma once

#include <string>
#include <vector>

#include "number_text/audio_position.h"

struct LoopListEntry {
  std::string name;  // the file's name in the folder
  bool noLoop = false;
  AudioPosition start;
  bool endGiven = false;  // false for "-": the loop ends with the file
  AudioPosition end;
  std::string text;  // "START END" as written, which outputs record
  int line = 0;
  std::string problem;  // "loops.txt line 3: ..." where the points cannot be read
};

struct LoopList {
  std::vector<LoopListEntry> entries;
  // "loops.txt line 3: ..." for each line that names no file.
  std::vector<std::string> problems;

  // The entry for a file of the folder, matched as Windows matches names; null when there is none.
  // problem: why the file cannot take its entry (its points cannot be read, or it is named twice).
  const LoopListEntry* Find(const std::string& fileName, std::string& problem) const;
};

// bytes: the whole file, in UTF-8 (Notepad's way of saving) or else in code page 932. The entries'
// names are UTF-8, as ruxtool's paths are.
LoopList ParseLoopList(const std::string& bytes);
