// What RUX_InputFile costs before it returns, for a stream at some place in a file of some size: its
// time, how many bytes the file source has read by then and the memory it holds; and whether the stream
// then decodes exactly as the stream alone does.
#pragma once

#include <cstdint>
#include <string>

struct FileOpenCost {
  double milliseconds = 0;   // the median of the runs
  uint32_t bytesRead = 0;    // the most of any run
  uint64_t memoryBytes = 0;  // taken by the open, the most of any run
  bool decodesAsAlone = false;
};

// Writes a sparse file of fileBytes bytes holding the stream at offset at path, binds the stream there
// with its offset and size runs times, decodes it once, and removes the file.
FileOpenCost MeasureFileOpen(const std::string& path, const std::string& stream, uint64_t fileBytes,
                             uint64_t offset, int runs);
