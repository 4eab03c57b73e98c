// A call run the way a game runs the decoder: on a thread of its own whose stack is 1 MiB, as
// Windows gives a game's threads by default.
#pragma once

#include <cstddef>
#include <functional>

constexpr size_t kGameThreadStackBytes = 1 << 20;

// Runs call on a new thread with kGameThreadStackBytes of stack and returns once it has ended; false,
// without running it, when no thread could be started. A stack overflow ends the process, as it ends
// the game.
bool RunOnGameThread(const std::function<void()>& call);
