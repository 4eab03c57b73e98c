// The sheet as a whole: its tabs, OK and Cancel.
#include <gtest/gtest.h>

#include "game_folder.h"

namespace {

TEST(Sheet, OpensWithSixTabsAndCancelEndsWithExitCodeZero) {
  GameFolder game;
  game.WriteSettings("");
  const OpenSheet sheet = StartSheet(game.InstallProgram(game.Path()), game.Path());
  ASSERT_NE(sheet.window, nullptr);
  const SheetDriver driver = sheet.Driver();
  EXPECT_EQ(driver.TabCount(), 6);
  EXPECT_EQ(driver.TabCaption(0), "\x83\x56\x83\x58\x83\x65\x83\x80\x90\xDD\x92\xE8");
  driver.SelectTab(4);
  EXPECT_EQ(driver.CurrentTab(), 4);
  driver.PressCancel();
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
}

}  // namespace
