// A decoder record bound to ruxtool's stream the way the engine binds one, closed at the end.
#pragma once

#include <string>

#include "commands/tool_options.h"
#include "rux2_library/rux2_library.h"

class BoundStream {
 public:
  // Memory images are handed over with freeOnClose, allocated with LocalAlloc as the DLL requires.
  BoundStream(const Rux2Library& rux, const ToolOptions& options);
  ~BoundStream();
  BoundStream(const BoundStream&) = delete;
  BoundStream& operator=(const BoundStream&) = delete;

  // Empty once bound; otherwise why the stream could not be read into memory.
  const std::string& Error() const { return error_; }
  DecoderRecord& Record() { return record_; }

 private:
  void BindFiles(const ToolOptions& options);
  void BindImages(const ToolOptions& options);

  const Rux2Library& rux_;
  DecoderRecord record_{};
  std::string error_;
};
