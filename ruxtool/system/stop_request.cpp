// StopRequested: one flag, set from the console's handler thread and read by every job's thread.
#include "system/stop_request.h"

#include <atomic>

namespace {

std::atomic<bool> requested{false};

}  // namespace

void SetStopRequested(bool value) { requested = value; }

bool StopRequested() { return requested; }
