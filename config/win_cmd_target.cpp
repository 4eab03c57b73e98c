// TrackToggle's press counter.
#include "win_cmd_target.h"

std::int32_t CWinCmdTarget::TrackToggle(std::int32_t, std::int32_t phase) {
  if (phase == 1) {
    if (!pressed_) {
      ++pressCount_;
      pressed_ = 1;
    }
    lastResult_ = pressCount_ & 1;
    return lastResult_;
  }
  if (phase == 2) {
    // Releasing also clears the pressed mark, or no later press would ever count.
    lastCount_ = pressCount_;
    pressCount_ = 0;
    lastResult_ = 0;
    pressed_ = 0;
  }
  return 0;
}
