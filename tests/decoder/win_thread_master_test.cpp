// CWinThreadMaster: a stop request reaches a Run loop through the stop check.
#include "win_thread_master.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "exceptions.h"

namespace {

class StopCheckingThread final : public CWinThreadMaster {
 public:
  bool stopSeen = false;

 private:
  unsigned Run() override {
    try {
      for (;;) {
        CheckStop();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    } catch (const CExKilledByCtrl&) {
      stopSeen = true;
    }
    return 0;
  }
};

TEST(WinThreadMaster, AStopRequestEndsARunLoopThroughTheStopCheck) {
  StopCheckingThread thread;
  ASSERT_TRUE(thread.StartThread());
  thread.StopThread();
  EXPECT_TRUE(thread.stopSeen);
  EXPECT_THROW(thread.CheckStop(), CExKilledByCtrl);
}

}  // namespace
