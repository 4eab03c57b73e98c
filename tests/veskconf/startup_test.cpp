// Start-up of the real program: one copy at a time, never beside the engine, the configuration
// directory, the missing settings file.
#include <windows.h>

#include <gtest/gtest.h>

#include "game_folder.h"

namespace {

// "設定ファイル異常" and "設定ファイルがありません。"
const wchar_t kMissingCaption[] = L"\x8A2D\x5B9A\x30D5\x30A1\x30A4\x30EB\x7570\x5E38";
const wchar_t kMissingText[] =
    L"\x8A2D\x5B9A\x30D5\x30A1\x30A4\x30EB\x304C\x3042\x308A\x307E\x305B\x3093\x3002";
// A folder name ending in "表" (0x95 0x5C), whose trail byte is a backslash.
const char kFolderEndingInTrailBackslash[] = "\x83\x51\x81\x5B\x83\x80\x95\x5C";

// A marker the program writes into the file it saves, to see which file it chose.
const char kMarkedSettings[] = "[MOUSE_INFO]\r\nAUTO_CLEAR=3\r\n";

bool Saved(const std::string& settings) { return settings.find("JOYPAD_USE=") != std::string::npos; }

// Starts the program, waits for its sheet and presses OK.
void RunAndPressOk(const std::string& program, const std::string& currentDirectory) {
  const OpenSheet sheet = StartSheet(program, currentDirectory);
  ASSERT_NE(sheet.window, nullptr);
  sheet.Driver().PressOk();
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
}

// Runs the program until it ends by itself and tells whether it ever showed a window.
bool EndsWithoutAWindow(VeskconfProcess& process) {
  bool windowSeen = false;
  WaitUntil(
      [&] {
        windowSeen = windowSeen || !process.Windows().empty();
        return process.WaitForExit(0) != STILL_ACTIVE;
      },
      kExitTimeoutMs);
  return !windowSeen && process.WaitForExit(0) == 0;
}

TEST(Startup, ASecondCopyEndsAtOnceWithoutAWindowAndTheFirstGoesOn) {
  GameFolder game;
  game.WriteSettings(kMarkedSettings);
  const std::string program = game.InstallProgram(game.Path());
  const OpenSheet first = StartSheet(program, game.Path());
  ASSERT_NE(first.window, nullptr);

  VeskconfProcess second(program, game.Path());
  EXPECT_TRUE(EndsWithoutAWindow(second));

  EXPECT_TRUE(IsWindow(first.window));
  first.Driver().PressOk();
  EXPECT_EQ(first.process->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_TRUE(Saved(game.Settings()));
}

TEST(Startup, WhileTheEngineRunsItEndsAtOnceSilently) {
  GameFolder game;
  game.WriteSettings(kMarkedSettings);
  HANDLE engine = CreateMutexA(nullptr, TRUE, "Orvelle VESK INTERFACE");
  ASSERT_NE(engine, nullptr);
  VeskconfProcess program(game.InstallProgram(game.Path()), game.Path());
  EXPECT_TRUE(EndsWithoutAWindow(program));
  ReleaseMutex(engine);
  CloseHandle(engine);
  EXPECT_EQ(game.Settings(), kMarkedSettings);
}

TEST(Startup, TheCurrentDirectoryWinsOverTheProgramsOwn) {
  GameFolder game;
  const std::string programFolder = game.Folder("program");
  const std::string current = game.Folder("current");
  game.WriteSettings(kMarkedSettings, programFolder);
  game.WriteSettings(kMarkedSettings, current);
  RunAndPressOk(game.InstallProgram(programFolder), current);
  EXPECT_TRUE(Saved(game.Settings(current)));
  EXPECT_EQ(game.Settings(programFolder), kMarkedSettings);
  EXPECT_FALSE(game.Keys(current).empty());
}

TEST(Startup, TheProgramsDirectoryServesWhenTheCurrentOneHasNoSettings) {
  GameFolder game;
  const std::string programFolder = game.Folder("program");
  const std::string current = game.Folder("elsewhere");
  game.WriteSettings(kMarkedSettings, programFolder);
  RunAndPressOk(game.InstallProgram(programFolder), current);
  EXPECT_TRUE(Saved(game.Settings(programFolder)));
  EXPECT_FALSE(game.Keys(programFolder).empty());
  EXPECT_TRUE(game.Keys(current).empty());
}

TEST(Startup, AProgramFolderNameEndingInATrailByteBackslashIsKeptWhole) {
  GameFolder game;
  const std::string programFolder = game.Folder(kFolderEndingInTrailBackslash);
  game.WriteSettings(kMarkedSettings, programFolder);
  RunAndPressOk(game.InstallProgram(programFolder), game.Folder("elsewhere"));
  EXPECT_TRUE(Saved(game.Settings(programFolder)));
}

TEST(Startup, ACurrentDirectoryNameEndingInATrailByteBackslashGetsItsSeparator) {
  GameFolder game;
  std::string current = game.Folder(kFolderEndingInTrailBackslash);
  game.WriteSettings(kMarkedSettings, current);
  current.pop_back();  // as a user's current directory, without the final separator
  RunAndPressOk(game.InstallProgram(game.Folder("program")), current);
  EXPECT_TRUE(Saved(game.Settings(current + "\\")));
}

TEST(Startup, ADriveRootAsCurrentDirectoryIsUsedAsItIs) {
  // The prefix's own drive C: serves as the root; nothing else of the tests writes there.
  GameFolder game;
  const std::string root = "C:\\";
  game.WriteSettings(kMarkedSettings, root);
  DeleteFileA("C:\\key.cfg");
  RunAndPressOk(game.InstallProgram(game.Folder("program")), root);
  EXPECT_TRUE(Saved(game.Settings(root)));
  EXPECT_FALSE(game.Keys(root).empty());
  DeleteFileA("C:\\vesk.cfg");
  DeleteFileA("C:\\key.cfg");
}

TEST(Startup, WithoutASettingsFileItSaysSoAndEnds) {
  GameFolder game;
  VeskconfProcess program(game.InstallProgram(game.Path()), game.Path());
  HWND box = program.WaitForWindow(kMissingCaption, kStartTimeoutMs);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kMissingText);
  EXPECT_TRUE(IsOkOnlyWarning(box, kExitTimeoutMs));
  AnswerMessageBox(box, IDOK);
  EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_TRUE(game.Keys().empty());
}

TEST(Startup, TheProgramAsksToRunWithThePlayersOwnRights) {
  // Without a manifest Windows would redirect its writes in a protected folder to a per-user copy.
  HMODULE program = LoadLibraryExA(BuiltVeskconfPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  HRSRC resource = FindResourceA(program, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_NE(resource, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program, resource))),
                             SizeofResource(program, resource));
  FreeLibrary(program);
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos);
}

TEST(Startup, ArgumentsOnTheCommandLineAreIgnored) {
  GameFolder game;
  game.WriteSettings(kMarkedSettings);
  VeskconfProcess program(game.InstallProgram(game.Path()), game.Path(), "/reset --help \"C:\\nowhere\"");
  HWND sheet = program.WaitForWindow(kSheetCaption, kStartTimeoutMs);
  ASSERT_NE(sheet, nullptr);
  SheetDriver(sheet, program.Handle()).PressCancel();
  EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(game.Settings(), kMarkedSettings);
}

}  // namespace
