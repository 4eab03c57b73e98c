// The sheet as a whole: its tabs, OK, Cancel and the close box, what OK makes of the files, and what
// its manifest asks of Windows.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "game_folder.h"
#include "remote_memory.h"
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
  EXPECT_EQ(driver.TabCaption(0), L"\x30B7\x30B9\x30C6\x30E0\x8A2D\x5B9A");
  EXPECT_EQ(driver.TabCaption(1), L"\x30B0\x30E9\x30D5\x30A3\x30C3\x30AF\x8A2D\x5B9A");
  EXPECT_EQ(driver.TabCaption(2), L"\x30B5\x30A6\x30F3\x30C9\x8A2D\x5B9A");
  EXPECT_EQ(driver.TabCaption(3), L"\x30E1\x30C3\x30BB\x30FC\x30B8\x8A2D\x5B9A");
  EXPECT_EQ(driver.TabCaption(4), L"\x30DE\x30A6\x30B9\xFF06\x52D5\x753B\x8A2D\x5B9A");
  EXPECT_EQ(driver.TabCaption(5), L"\x30AD\x30FC\x8A2D\x5B9A");
  driver.PressCancel();
  EXPECT_EQ(WaitForExit(), 0u);
}

// Only the buttons of common controls version 6 know their ideal size.
TEST_F(Sheet, RunsWithTheControlsOfCurrentWindows) {
  game_.WriteSettings("");
  Start();
  SIZE ideal = {};
  const RemoteMemory memory(sheet_.process->Handle(), sizeof ideal);
  EXPECT_TRUE(memory.SendWith(GetDlgItem(sheet_.window, IDOK), BCM_GETIDEALSIZE, 0, ideal));
  EXPECT_GT(ideal.cx, 0);
  Driver().PressCancel();
  EXPECT_EQ(WaitForExit(), 0u);
}

// The program's manifest as the platform reads it: aware of the display's scaling for the whole
// system, and made for Windows 7 to 11.
TEST(Manifest, AsksForSystemDpiAwarenessAndNamesWindowsSevenToEleven) {
  wchar_t program[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, BuiltVeskconfPath().c_str(), -1, program, MAX_PATH);
  ACTCTXW request = {};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = program;
  request.lpResourceName = MAKEINTRESOURCEW(1);
  HANDLE context = CreateActCtxW(&request);
  ASSERT_NE(context, INVALID_HANDLE_VALUE);
  struct Setting {
    const wchar_t* space;
    const wchar_t* name;
    std::wstring value;
  };
  const Setting settings[] = {
      {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true"},
      {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", L"system"},
  };
  for (const Setting& setting : settings) {
    wchar_t value[64] = {};
    SIZE_T length = 0;
    EXPECT_TRUE(QueryActCtxSettingsW(0, context, setting.space, setting.name, value, 64, &length)) << setting.name;
    EXPECT_EQ(value, setting.value) << setting.name;
  }
  DWORD compatibility[64] = {};
  EXPECT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, compatibility,
                           sizeof compatibility, nullptr));
  EXPECT_EQ(reinterpret_cast<const ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(compatibility)->ElementCount, 4u);
  ReleaseActCtx(context);
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

// Whatever the system's code page, the Shift-JIS of the files comes back byte for byte: a file that
// holds its values already is written back as it was, Japanese face name and the engine's own
// Japanese text included, after every page has applied.
TEST_F(Sheet, OkWritesAFileThatHoldsItsValuesAlreadyBackByteForByte) {
  std::string settings = FullSettings();
  // "ＭＳ 明朝", installed nowhere, and in a section of the engine "第三章　旅立ち" and half-width
  // "ｱ1ﾍｯｱ", which code page 936 cannot read.
  settings.replace(settings.find("VL Gothic"), 9, "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9");
  settings += "[SCENARIO]\r\nTITLE=\x91\xE6\x8E\x4F\x8F\xCD\x81\x40\x97\xB7\x97\xA7\x82\xBF\r\n"
              "KANA=\xB1\x31\xCD\xAF\xB1\r\n";
  game_.WriteSettings(settings);
  game_.WriteKeys(FullKeys());
  Start();
  for (int tab = 1; tab < 6; ++tab) Driver().SelectTab(tab);
  Driver().PressOk();
  EXPECT_EQ(WaitForExit(), 0u);
  EXPECT_EQ(game_.Settings(), settings);
  EXPECT_EQ(game_.Keys(), FullKeys());
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
