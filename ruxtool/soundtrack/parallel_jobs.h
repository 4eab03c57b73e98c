// Jobs run on a few threads at once, each taking the next job as it comes free and as the memory the
// jobs under way leave allows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct JobMemory {
  std::vector<uint64_t> needs;  // the bytes each job takes at its peak
  uint64_t budget = 0;          // what the jobs under way may take together
};

// Runs job(0) to job(count - 1), each once and in order, on at most workers threads; returns when all
// have ended. A job starts when its need fits in the budget beside those of the jobs under way, or when
// none is under way, so that one always runs. stop, asked before each job starts, ends the run early:
// the jobs under way end, no others start.
void RunJobs(size_t count, unsigned workers, const JobMemory& memory, const std::function<void(size_t)>& job,
             const std::function<bool()>& stop);
