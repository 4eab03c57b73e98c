// CWinThreadMaster over _beginthreadex and WaitForSingleObject.
#include "win_thread_master.h"

#include "exceptions.h"

bool CWinThreadMaster::StartThread() {
  // Created suspended so that the handle is stored before Run can look at it.
  unsigned threadId = 0;
  thread_ =
      reinterpret_cast<HANDLE>(startThread_(nullptr, 0, &ThreadProcedure, this, CREATE_SUSPENDED, &threadId));
  if (!thread_) return false;
  ResumeThread(thread_);
  return true;
}

void CWinThreadMaster::StopThread() {
  status_ = kStopRequested;
  if (!thread_) return;
  const DWORD wait = WaitForSingleObject(thread_, INFINITE);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_TIMEOUT) throw CCtrlFailed();
  CloseHandle(thread_);
  thread_ = nullptr;
}

void CWinThreadMaster::CheckStop() const {
  if (status_ == kStopRequested) throw CExKilledByCtrl();
}

unsigned __stdcall CWinThreadMaster::ThreadProcedure(void* self) {
  // Returning ends the thread through _endthreadex with this exit code.
  return static_cast<CWinThreadMaster*>(self)->Run();
}
