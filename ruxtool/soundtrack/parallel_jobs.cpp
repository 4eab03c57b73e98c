// RunJobs over std::thread: the next job and the memory taken are handed out under one lock; a thread
// whose next job does not fit waits for another to end.
#include "soundtrack/parallel_jobs.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

class JobQueue {
 public:
  JobQueue(size_t count, const JobMemory& memory, const std::function<bool()>& stop)
      : count_(count), memory_(memory), stop_(stop) {}

  // The next job, once it fits; false when there is none or the run is stopped.
  bool Take(size_t& index) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      if (next_ >= count_ || stop_()) return false;
      if (running_ == 0 || taken_ + memory_.needs[next_] <= memory_.budget) break;
      // stop is asked again now and then while the memory is short.
      ended_.wait_for(lock, std::chrono::milliseconds(100));
    }
    index = next_++;
    taken_ += memory_.needs[index];
    ++running_;
    return true;
  }

  void End(size_t index) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      taken_ -= memory_.needs[index];
      --running_;
    }
    ended_.notify_all();
  }

 private:
  const size_t count_;
  const JobMemory& memory_;
  const std::function<bool()>& stop_;
  std::mutex mutex_;
  std::condition_variable ended_;
  size_t next_ = 0;
  size_t running_ = 0;
  uint64_t taken_ = 0;
};

}  // namespace

void RunJobs(size_t count, unsigned workers, const JobMemory& memory, const std::function<void(size_t)>& job,
             const std::function<bool()>& stop) {
  JobQueue queue(count, memory, stop);
  const auto work = [&] {
    for (size_t index; queue.Take(index);) {
      job(index);
      queue.End(index);
    }
  };
  std::vector<std::thread> threads;
  const size_t extra = std::min<size_t>(std::max(1u, workers), count) - (count ? 1 : 0);
  for (size_t i = 0; i < extra; ++i) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
}
