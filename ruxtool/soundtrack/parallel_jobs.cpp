// RunJobs over std::thread and one counter of the jobs handed out.
#include "soundtrack/parallel_jobs.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

void RunJobs(size_t count, unsigned workers, const std::function<void(size_t)>& job,
             const std::function<bool()>& stop) {
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t index; !stop() && (index = next++) < count;) job(index);
  };
  std::vector<std::thread> threads;
  const size_t extra = std::min<size_t>(std::max(1u, workers), count) - (count ? 1 : 0);
  for (size_t i = 0; i < extra; ++i) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
}
