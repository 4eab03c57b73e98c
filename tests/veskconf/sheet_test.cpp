// The sheet as a whole: its tabs, OK, Cancel and the close box.
#include <windows.h>

#include <gtest/gtest.h>

#include "game_folder.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

FILETIME LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b) { return CompareFileTime(&a, &b) == 0; }

class Sheet : public testing::Test {
 protected:
  void Start() {
    sheet_ = StartSheet(game_.InstallProgram(game_.Path()), game_.Path());
    ASSERT_NE(sheet_.window, nullptr);
  }
  SheetDriver Driver() const { return sheet_.Driver(); }
  DWORD WaitForExit() const { return sheet_.process->WaitForExit(kExitTimeoutMs); }

  GameFolder game_;
  OpenSheet sheet_;
};

TEST_F(Sheet, HasSixTabsCaptionedByTheirTemplates) {
  game_.WriteSettings("");
  Start();
  const SheetDriver driver = Driver();
  ASSERT_EQ(driver.TabCount(), 6);
  EXPECT_EQ(driver.CurrentTab(), 0);
  EXPECT_EQ(driver.TabCaption(0), "\x83\x56\x83\x58\x83\x65\x83\x80\x90\xDD\x92\xE8");
  EXPECT_EQ(driver.TabCaption(1), "\x83\x4F\x83\x89\x83\x74\x83\x42\x83\x62\x83\x4E\x90\xDD\x92\xE8");
  EXPECT_EQ(driver.TabCaption(2), "\x83\x54\x83\x45\x83\x93\x83\x68\x90\xDD\x92\xE8");
  EXPECT_EQ(driver.TabCaption(3), "\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57\x90\xDD\x92\xE8");
  EXPECT_EQ(driver.TabCaption(4), "\x83\x7D\x83\x45\x83\x58\x81\x95\x93\xAE\x89\xE6\x90\xDD\x92\xE8");
  EXPECT_EQ(driver.TabCaption(5), "\x83\x4C\x81\x5B\x90\xDD\x92\xE8");
  driver.PressCancel();
  EXPECT_EQ(WaitForExit(), 0u);
}

TEST_F(Sheet, OkAfterOnlyTheFirstTabWritesBothFilesInFull) {
  game_.WriteSettings("");
  Start();
  Driver().PressOk();
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(KeyLineCount(game_.Settings()), 55);
  EXPECT_EQ(KeyLineCount(game_.Keys()), 100);
  EXPECT_EQ(ValueIn(game_.Path() + "key.cfg", "KEY_FUNCTION_20", "KEY_DATA_05"), "0");
}

TEST_F(Sheet, OkWritesThePagesNeverOpenedAsTheyWereLoaded) {
  game_.WriteSettings(FullSettings());
  game_.WriteKeys(FullKeys());
  Start();
  Driver().PressOk();
  EXPECT_EQ(WaitForExit(), 0u);
  const std::string settings = game_.Path() + "vesk.cfg";
  EXPECT_EQ(ValueIn(settings, "SOUND_INFO", "MUSIC_VOLUME"), "64");
  EXPECT_EQ(ValueIn(settings, "MESSAGE_INFO", "FONT"), "VL Gothic");
  EXPECT_EQ(ValueIn(settings, "GRAPHIC_CONFIG", "TEXTURE_MIN_FILTER"), "2");
  EXPECT_EQ(ValueIn(settings, "SAVE_INFO", "LAST_SLOT"), "3");
  EXPECT_EQ(ValueIn(settings, "SYSTEM_INFO", "JOYPAD_USE"), "0");
  EXPECT_EQ(ValueIn(game_.Path() + "key.cfg", "KEY_FUNCTION_02", "KEY_DATA_03"), "8");
}

TEST_F(Sheet, CancelAfterChangesOnSeveralTabsLeavesBothFilesUntouched) {
  game_.WriteSettings(FullSettings());
  game_.WriteKeys(FullKeys());
  const FILETIME settingsTime = LastWrite(game_.Path() + "vesk.cfg");
  const FILETIME keysTime = LastWrite(game_.Path() + "key.cfg");
  Start();
  const SheetDriver driver = Driver();
  driver.Click(IDC_SYSTEM_WINDOWED);
  driver.Click(IDC_SYSTEM_ONE_CPU);
  driver.SelectTab(1);
  driver.Click(IDC_GRAPHIC_LEVEL_0);
  driver.SelectTab(4);
  driver.Click(IDC_MOUSE_HIDE_20S);
  driver.SelectTab(5);
  driver.Pick(IDC_KEY_SLOT_1, 22);
  driver.Click(IDC_KEY_JOYPAD);
  driver.PressCancel();
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(game_.Settings(), FullSettings());
  EXPECT_EQ(game_.Keys(), FullKeys());
  EXPECT_TRUE(SameTime(LastWrite(game_.Path() + "vesk.cfg"), settingsTime));
  EXPECT_TRUE(SameTime(LastWrite(game_.Path() + "key.cfg"), keysTime));
}

TEST_F(Sheet, TheCloseBoxAndEscapeSaveNothing) {
  game_.WriteSettings(FullSettings());
  for (const bool useEscape : {false, true}) {
    Start();
    Driver().Click(IDC_SYSTEM_WINDOWED);
    if (useEscape) {
      HWND focus = Driver().Control(IDC_SYSTEM_WINDOWED);
      PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1);
      PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    } else {
      PostMessageA(sheet_.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    EXPECT_EQ(WaitForExit(), 0u);
    EXPECT_EQ(game_.Settings(), FullSettings());
    EXPECT_TRUE(game_.Keys().empty());
  }
}

}  // namespace
