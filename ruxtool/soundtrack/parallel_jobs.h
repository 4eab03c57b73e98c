// Jobs run on a few threads at once, each taking the next job as it comes free.
#pragma once

#include <cstddef>
#include <functional>

// Runs job(0) to job(count - 1), each once, on at most workers threads; returns when all have ended.
// stop, asked before each job starts, ends the run early: the jobs under way end, no others start.
void RunJobs(size_t count, unsigned workers, const std::function<void(size_t)>& job,
             const std::function<bool()>& stop);
