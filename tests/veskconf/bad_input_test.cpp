// The real program against files and folders that resist: no crash, no hang, exit code 0, and
// nothing written unless OK was pressed; a save that fails changes neither file.
#include <windows.h>

#include <gtest/gtest.h>

#include "game_folder.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

// Holds a file open without sharing, as another program may.
class FileLock {
 public:
  explicit FileLock(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~FileLock() { Release(); }
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class HostileFolder : public testing::Test {
 protected:
  OpenSheet Start() {
    OpenSheet sheet = StartSheet(game_.InstallProgram(game_.Path()), game_.Path());
    EXPECT_NE(sheet.window, nullptr);
    return sheet;
  }
  GameFolder game_;
};

TEST_F(HostileFolder, ASettingsFileThatCannotBeReadOpensWithDefaultsAndCancelWritesNothing) {
  game_.WriteSettings(FullSettings());
  FileLock lock(game_.Path() + "vesk.cfg");
  ASSERT_TRUE(lock.Held());
  const OpenSheet sheet = Start();
  ASSERT_NE(sheet.window, nullptr);
  EXPECT_TRUE(sheet.Driver().IsChecked(IDC_SYSTEM_FULL_SCREEN));
  sheet.Driver().PressCancel();
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
  lock.Release();
  EXPECT_EQ(game_.Settings(), FullSettings());
  EXPECT_TRUE(game_.Keys().empty());
}

TEST_F(HostileFolder, OkOnASettingsFileHeldByAnotherProgramChangesNeitherFile) {
  game_.WriteSettings(FullSettings());
  game_.WriteKeys(FullKeys());
  FileLock lock(game_.Path() + "vesk.cfg");
  const OpenSheet sheet = Start();
  ASSERT_NE(sheet.window, nullptr);
  sheet.Driver().SelectTab(5);
  sheet.Driver().Pick(IDC_KEY_SLOT_1, 22);
  sheet.Driver().PressOk();
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
  lock.Release();
  EXPECT_EQ(game_.Settings(), FullSettings());
  EXPECT_EQ(game_.Keys(), FullKeys());
}

TEST_F(HostileFolder, OkOnAKeyFileHeldByAnotherProgramChangesNeitherFile) {
  game_.WriteSettings("");
  game_.WriteKeys(FullKeys());
  FileLock lock(game_.Path() + "key.cfg");
  const OpenSheet sheet = Start();
  ASSERT_NE(sheet.window, nullptr);
  sheet.Driver().Click(IDC_SYSTEM_WINDOWED);
  sheet.Driver().PressOk();
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
  lock.Release();
  EXPECT_EQ(game_.Keys(), FullKeys());
  EXPECT_EQ(game_.Settings(), "");
}

TEST_F(HostileFolder, AReadOnlyFolderAndReadOnlyFilesAreStillSaved) {
  game_.WriteSettings("");
  game_.WriteKeys(FullKeys());
  const std::string program = game_.InstallProgram(game_.Path());
  SetFileAttributesA((game_.Path() + "vesk.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA((game_.Path() + "key.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
  std::string folder = game_.Path();
  folder.pop_back();
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_READONLY);
  const OpenSheet sheet = StartSheet(program, game_.Path());
  ASSERT_NE(sheet.window, nullptr);
  sheet.Driver().PressOk();
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(KeyLineCount(game_.Settings()), 55);
  EXPECT_EQ(ValueIn(game_.Path() + "key.cfg", "KEY_FUNCTION_51", "KEY_DATA_01"), "4");
}

}  // namespace
