// The sheet as a whole: its tabs, OK, Cancel and the close box, and what its manifest asks of
// Windows.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

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

// Whatever the system's code page, the Shift-JIS of the files comes back byte for byte: a file that
// holds its values already is written back as it was, Japanese face name and the engine's own
// Japanese text included, after every page has applied.
TEST_F(Sheet, OkWritesAFileThatHoldsItsValuesAlreadyBackByteForByte) {
  std::string settings = FullSettings();
  // "ＭＳ 明朝", installed nowhere, and "第三章　旅立ち" in a section of the engine.
  settings.replace(settings.find("VL Gothic"), 9, "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9");
  settings += "[SCENARIO]\r\nTITLE=\x91\xE6\x8E\x4F\x8F\xCD\x81\x40\x97\xB7\x97\xA7\x82\xBF\r\n";
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
