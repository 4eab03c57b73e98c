// CWinThreadMaster: the base of classes that run one thread of their own, started and stopped by
// their owner.
#pragma once

#include <atomic>
#include <cstdint>

#include "kernel.h"

class CWinThreadMaster {
 public:
  // Creates a thread as kernel::StartThread does. Tests pass one that fails.
  using ThreadStarter = bool (*)(kernel::Thread& thread, kernel::ThreadProcedure procedure, void* argument);
  static constexpr uint32_t kStopRequested = 0x80000001;

  explicit CWinThreadMaster(ThreadStarter startThread = &kernel::StartThread) : startThread_(startThread) {}
  CWinThreadMaster(const CWinThreadMaster&) = delete;
  CWinThreadMaster& operator=(const CWinThreadMaster&) = delete;

  // Starts Run on a new thread; false when the thread could not be created.
  bool StartThread();
  // Requests the stop and waits for the thread to end. Throws CCtrlFailed when the wait fails.
  void StopThread();
  // For Run loops that end on request: throws CExKilledByCtrl once the stop has been requested.
  void CheckStop() const;

 protected:
  // Owners destroy the exact class; the thread must have been stopped.
  ~CWinThreadMaster() = default;
  kernel::Thread ThreadHandle() const { return thread_; }

 private:
  // The thread's body; its result is the thread's exit code.
  virtual unsigned Run() = 0;
  static unsigned KERNEL_THREAD_ENTRY ThreadProcedure(void* self);

  const ThreadStarter startThread_;
  kernel::Thread thread_ = nullptr;
  std::atomic<uint32_t> status_{0};
};
