// The system page as a player uses it.
#include <gtest/gtest.h>

#include "page_test.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

class SystemPage : public PageTest {
 protected:
  void Start(const std::string& settings) { PageTest::Open(Tab::kSystem, settings); }
  std::string Saved(const char* section, const char* key) const { return SavedSetting(section, key); }
};

TEST_F(SystemPage, AFileWithoutKeysShowsTheDefaults) {
  Start("");
  const SheetDriver page = Driver();
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_FULL_SCREEN));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_WINDOWED));
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_TIME_SYNC));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_FRAME_SYNC));
  EXPECT_EQ(page.Selection(IDC_SYSTEM_CACHE_SIZE), 3);
  EXPECT_EQ(page.SelectedText(IDC_SYSTEM_CACHE_SIZE), L"32M\x30D0\x30A4\x30C8");
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_PACK_HEADER_CHECK));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_PACK_DATA_CHECK));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_CONFIRM_LOAD));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_CONFIRM_OVERWRITE));
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_ALL_EFFECTS));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_RUN_INACTIVE));
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_PERFORMANCE_TIMER));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_ONE_CPU));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_OUTSIDE_MESSAGE_WINDOW));
  page.PressCancel();
}

TEST_F(SystemPage, ListsTheSixCacheSizesInOrder) {
  Start("");
  const SheetDriver page = Driver();
  ASSERT_EQ(page.ItemCount(IDC_SYSTEM_CACHE_SIZE), 6);
  EXPECT_EQ(page.ItemText(IDC_SYSTEM_CACHE_SIZE, 0), L"\x30AD\x30E3\x30C3\x30B7\x30E5\x7121\x52B9");
  EXPECT_EQ(page.ItemText(IDC_SYSTEM_CACHE_SIZE, 1), L"8M\x30D0\x30A4\x30C8");
  EXPECT_EQ(page.ItemText(IDC_SYSTEM_CACHE_SIZE, 5), L"128M\x30D0\x30A4\x30C8");
  page.PressCancel();
}

TEST_F(SystemPage, TheChoicesOfAPlayerReachTheFile) {
  Start("");
  const SheetDriver page = Driver();
  page.Click(IDC_SYSTEM_WINDOWED);
  page.Click(IDC_SYSTEM_FRAME_SYNC);
  page.Pick(IDC_SYSTEM_CACHE_SIZE, 0);
  page.Click(IDC_SYSTEM_CONFIRM_LOAD);
  page.Click(IDC_SYSTEM_PACK_HEADER_CHECK);
  page.Click(IDC_SYSTEM_ONE_CPU);
  page.Click(IDC_SYSTEM_OUTSIDE_MESSAGE_WINDOW);
  PressOk();
  // Window mode is held as 0 and written as 1.
  EXPECT_EQ(Saved("WINDOW_STATUS", "WINDOW_MODE"), "1");
  EXPECT_EQ(Saved("SYSTEM_INFO", "WAIT_TIMING"), "1");
  EXPECT_EQ(Saved("SYSTEM_INFO", "IMAGE_CACHE_SIZE"), "0");
  EXPECT_EQ(Saved("SYSTEM_INFO", "DLG_LOAD"), "1");
  EXPECT_EQ(Saved("SYSTEM_INFO", "PACK_HEADER_CHECK"), "0");
  EXPECT_EQ(Saved("SYSTEM_INFO", "ONE_CPU"), "1");
  EXPECT_EQ(Saved("SYSTEM_INFO", "WINDOW_FULL_MOVE_USE"), "1");
  EXPECT_EQ(Saved("SYSTEM_INFO", "EFFECT_USE"), "1");
}

TEST_F(SystemPage, OpeningTheCacheListAndClosingItChangesNothing) {
  Start(FullSettings());
  const SheetDriver page = Driver();
  EXPECT_EQ(page.Selection(IDC_SYSTEM_CACHE_SIZE), 4);
  SendMessageA(page.Control(IDC_SYSTEM_CACHE_SIZE), CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageA(page.Control(IDC_SYSTEM_CACHE_SIZE), CB_SHOWDROPDOWN, FALSE, 0);
  PressOk();
  EXPECT_EQ(Saved("SYSTEM_INFO", "IMAGE_CACHE_SIZE"), "4");
  EXPECT_EQ(Saved("WINDOW_STATUS", "WINDOW_MODE"), "1");
  EXPECT_EQ(Saved("SYSTEM_INFO", "WAIT_TIMING"), "1");
}

TEST_F(SystemPage, ALoadedFileShowsItsValues) {
  Start(FullSettings());
  const SheetDriver page = Driver();
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_WINDOWED));
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_FRAME_SYNC));
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_OUTSIDE_MESSAGE_WINDOW));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_PACK_HEADER_CHECK));
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_PACK_DATA_CHECK));
  EXPECT_TRUE(page.IsChecked(IDC_SYSTEM_RUN_INACTIVE));
  EXPECT_FALSE(page.IsChecked(IDC_SYSTEM_PERFORMANCE_TIMER));
  page.PressCancel();
}

}  // namespace
