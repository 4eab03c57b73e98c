// What RUX_InputFile costs before it returns, for files of a given size: its time, and how many
// bytes the file source has read by then.
#pragma once

#include <cstdint>
#include <string>

struct FileOpenCost {
  double milliseconds = 0;  // the median of the runs
  uint32_t bytesRead = 0;
  bool decodes = false;  // the stream at the file's start detects and plays after the open
};

// Writes a file of fileBytes bytes (the stream, then zeros) at path, opens it runs times and removes it.
FileOpenCost MeasureFileOpen(const std::string& path, const std::string& stream, uint64_t fileBytes,
                             int runs);
