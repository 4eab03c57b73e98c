// The sheet as a whole: its tabs, OK, Cancel and the close box, and what OK makes of the files.
#include <windows.h>

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "file_bytes.h"
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

TEST_F(Sheet, AFontThePlatformReadsOtherwiseIsSavedWithEveryOtherKey) {
  std::string hiragana;  // 100 times "あ" (82 A0)
  for (int i = 0; i < 100; ++i) hiragana += "\x82\xA0";
  // The platform reads the first without one pair of quotes, the second cut to 127 bytes: the
  // lead byte of the 64th character is dropped with it.
  const std::pair<std::string, std::string> fonts[] = {{"\"\"abc\"\"", "\"abc\""}, {hiragana, hiragana.substr(0, 126)}};
  for (const auto& [font, saved] : fonts) {
    game_.WriteSettings(Replaced(FullSettings(), "FONT=VL Gothic", "FONT=" + font));
    game_.WriteKeys(FullKeys());
    Start();
    Driver().PressOk();
    EXPECT_EQ(WaitForExit(), 0u);
    EXPECT_EQ(game_.Settings(), Replaced(FullSettings(), "FONT=VL Gothic", "FONT=" + saved));
    EXPECT_EQ(game_.Keys(), FullKeys());
  }
}

// The identity of a file: volume and index (Wine: device and inode).
std::pair<DWORD, ULONGLONG> IdentityOf(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  BY_HANDLE_FILE_INFORMATION info = {};
  GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  return {info.dwVolumeSerialNumber, (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

TEST_F(Sheet, OkRewritesTheFilesThemselvesSoThatLinksHold) {
  // Both files are second names of files elsewhere.
  const std::string elsewhere = game_.Folder("elsewhere");
  game_.WriteSettings(FullSettings(), elsewhere);
  game_.WriteKeys(FullKeys(), elsewhere);
  for (const char* name : {"vesk.cfg", "key.cfg"})
    ASSERT_TRUE(CreateHardLinkA((game_.Path() + name).c_str(), (elsewhere + name).c_str(), nullptr));
  const auto settingsIdentity = IdentityOf(game_.Path() + "vesk.cfg");
  const auto keysIdentity = IdentityOf(game_.Path() + "key.cfg");
  Start();
  Driver().Click(IDC_SYSTEM_ONE_CPU);
  Driver().SelectTab(5);
  Driver().Pick(IDC_KEY_SLOT_1, 22);
  Driver().PressOk();
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(game_.Settings(elsewhere), Replaced(FullSettings(), "ONE_CPU=1", "ONE_CPU=0"));
  EXPECT_EQ(game_.Keys(elsewhere), Replaced(FullKeys(), "KEY_DATA_01=1\r\n", "KEY_DATA_01=22\r\n"));
  EXPECT_EQ(IdentityOf(game_.Path() + "vesk.cfg"), settingsIdentity);
  EXPECT_EQ(IdentityOf(game_.Path() + "key.cfg"), keysIdentity);
}

TEST_F(Sheet, FilesOfThePlayerNamedLikeWorkingCopiesSurviveOk) {
  game_.WriteSettings(FullSettings());
  game_.WriteKeys(FullKeys());
  const char* const names[] = {"vesk.cfg.saving", "vesk.cfg.check", "key.cfg.saving", "key.cfg.check"};
  for (const char* name : names) WriteFileBytes(game_.Path() + name, std::string("the player's ") + name);
  Start();
  const std::vector<std::string> before = FilesIn(game_.Path());
  Driver().Click(IDC_SYSTEM_ONE_CPU);
  Driver().PressOk();
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(game_.Settings(), Replaced(FullSettings(), "ONE_CPU=1", "ONE_CPU=0"));
  for (const char* name : names) EXPECT_EQ(ReadFileBytes(game_.Path() + name), std::string("the player's ") + name);
  EXPECT_EQ(FilesIn(game_.Path()), before);
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
