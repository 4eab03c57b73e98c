// RunOnGameThread over a POSIX thread with its stack size set.
#include <pthread.h>

#include "game_thread.h"

namespace {

void* RunCall(void* call) {
  (*static_cast<const std::function<void()>*>(call))();
  return nullptr;
}

}  // namespace

bool RunOnGameThread(const std::function<void()>& call) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, kGameThreadStackBytes);
  pthread_t thread;
  const bool started =
      pthread_create(&thread, &attributes, RunCall, const_cast<std::function<void()>*>(&call)) == 0;
  pthread_attr_destroy(&attributes);
  if (!started) return false;
  pthread_join(thread, nullptr);
  return true;
}
