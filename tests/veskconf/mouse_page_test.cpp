// The mouse and video page as a player uses it.
#include <gtest/gtest.h>

#include "page_test.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

const int kCursorButtons[] = {IDC_MOUSE_HIDE_NEVER, IDC_MOUSE_HIDE_5S, IDC_MOUSE_HIDE_10S, IDC_MOUSE_HIDE_15S,
                              IDC_MOUSE_HIDE_20S};

class MousePage : public PageTest {
 protected:
  SheetDriver Open(const std::string& settings) { return PageTest::Open(Tab::kMouse, settings); }
  std::string Saved(const char* section, const char* key) const { return SavedSetting(section, key); }
};

TEST_F(MousePage, AFileWithoutItsKeysShowsFiveSecondsAndNoFrameControl) {
  const SheetDriver page = Open("");
  EXPECT_TRUE(page.IsChecked(IDC_MOUSE_HIDE_5S));
  EXPECT_TRUE(page.IsChecked(IDC_VIDEO_FRAME_FREE));
  EXPECT_FALSE(page.IsChecked(IDC_VIDEO_FRAME_AUTO));
  page.Click(IDC_MOUSE_HIDE_15S);
  page.Click(IDC_VIDEO_FRAME_AUTO);
  PressOk();
  EXPECT_EQ(Saved("MOUSE_INFO", "AUTO_CLEAR"), "3");
  EXPECT_EQ(Saved("VIDEO_INFO", "FRAME_CTRL"), "2");
}

TEST_F(MousePage, AutoClearFiveHasNoButtonAndSurvivesOk) {
  const SheetDriver page = Open("[MOUSE_INFO]\r\nAUTO_CLEAR=5\r\n");
  for (int button : kCursorButtons) EXPECT_FALSE(page.IsChecked(button)) << button;
  PressOk();
  EXPECT_EQ(Saved("MOUSE_INFO", "AUTO_CLEAR"), "5");
}

TEST_F(MousePage, ChoosingAButtonReplacesAutoClearFive) {
  const SheetDriver page = Open("[MOUSE_INFO]\r\nAUTO_CLEAR=5\r\n");
  page.Click(IDC_MOUSE_HIDE_NEVER);
  PressOk();
  EXPECT_EQ(Saved("MOUSE_INFO", "AUTO_CLEAR"), "0");
}

}  // namespace
