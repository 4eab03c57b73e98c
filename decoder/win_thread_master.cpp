// CWinThreadMaster over the kernel seam's threads and waits.
#include "win_thread_master.h"

#include "exceptions.h"

bool CWinThreadMaster::StartThread() { return startThread_(thread_, &ThreadProcedure, this); }

void CWinThreadMaster::StopThread() {
  status_ = kStopRequested;
  if (!thread_) return;
  if (kernel::WaitForThread(thread_, kernel::kWaitForever) == kernel::WaitResult::kFailed)
    throw CCtrlFailed();
  kernel::CloseThread(thread_);
  thread_ = nullptr;
}

void CWinThreadMaster::CheckStop() const {
  if (status_ == kStopRequested) throw CExKilledByCtrl();
}

unsigned KERNEL_THREAD_ENTRY CWinThreadMaster::ThreadProcedure(void* self) {
  // Returning ends the thread with this exit code.
  return static_cast<CWinThreadMaster*>(self)->Run();
}
