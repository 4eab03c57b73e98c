// Root of the program's window objects: the message handler every object overrides, and the
// press counter of TrackToggle.
#pragma once

#include <windows.h>

#include <cstdint>

class CWinCmdTarget {
 public:
  CWinCmdTarget(const CWinCmdTarget&) = delete;
  CWinCmdTarget& operator=(const CWinCmdTarget&) = delete;

  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // Phase 1 counts a press once until phase 2 releases it; returns the lowest bit of the count.
  virtual std::int32_t TrackToggle(std::int32_t ignored, std::int32_t phase);

 protected:
  CWinCmdTarget() = default;
  ~CWinCmdTarget() = default;

 private:
  std::int32_t pressed_ = 0;
  std::int32_t pressCount_ = 0;
  std::int32_t lastCount_ = 0;
  std::int32_t lastResult_ = 0;
};
