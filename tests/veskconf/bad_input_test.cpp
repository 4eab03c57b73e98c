// The real program against files and folders that resist: no crash, no hang, exit code 0, and
// nothing written unless OK was pressed; a save that fails changes neither file and says why.
#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "game_folder.h"
#include "resource_ids.h"
#include "sample_files.h"
#include "small_disk.h"

namespace {

// "設定の保存エラー"
const char kSaveFailureCaption[] = "\x90\xDD\x92\xE8\x82\xCC\x95\xDB\x91\xB6\x83\x47\x83\x89\x81\x5B";
// "フォルダーへの書き込みが許可されていません。「Program Files」などの保護されたフォルダーにゲームが
// ある場合は、環境設定ツールを管理者として実行してください。"
const char kWriteProtected[] =
    "\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82\xD6\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD"
    "\x82\xAA\x8B\x96\x89\xC2\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81\x42"
    "\x81\x75\x50\x72\x6F\x67\x72\x61\x6D\x20\x46\x69\x6C\x65\x73\x81\x76\x82\xC8\x82\xC7\x82"
    "\xCC\x95\xDB\x8C\xEC\x82\xB3\x82\xEA\x82\xBD\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82"
    "\xC9\x83\x51\x81\x5B\x83\x80\x82\xAA\x82\xA0\x82\xE9\x8F\xEA\x8D\x87\x82\xCD\x81\x41\x8A"
    "\xC2\x8B\xAB\x90\xDD\x92\xE8\x83\x63\x81\x5B\x83\x8B\x82\xF0\x8A\xC7\x97\x9D\x8E\xD2\x82"
    "\xC6\x82\xB5\x82\xC4\x8E\xC0\x8D\x73\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81"
    "\x42";
// "ディスクの空き容量が足りません。空きを作ってから、もう一度お試しください。"
const char kDiskFull[] =
    "\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xCC\x8B\xF3\x82\xAB\x97\x65\x97\xCA\x82\xAA\x91\xAB"
    "\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42\x8B\xF3\x82\xAB\x82\xF0\x8D\xEC\x82\xC1\x82\xC4"
    "\x82\xA9\x82\xE7\x81\x41\x82\xE0\x82\xA4\x88\xEA\x93\x78\x82\xA8\x8E\x8E\x82\xB5\x82\xAD"
    "\x82\xBE\x82\xB3\x82\xA2\x81\x42";
// "ファイルがほかのプログラムで使用中です。そのプログラムを閉じてから、もう一度お試しください。"
const char kInUse[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x82\xD9\x82\xA9\x82\xCC\x83\x76\x83\x8D\x83\x4F"
    "\x83\x89\x83\x80\x82\xC5\x8E\x67\x97\x70\x92\x86\x82\xC5\x82\xB7\x81\x42\x82\xBB\x82\xCC"
    "\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\x82\xF0\x95\xC2\x82\xB6\x82\xC4\x82\xA9\x82\xE7"
    "\x81\x41\x82\xE0\x82\xA4\x88\xEA\x93\x78\x82\xA8\x8E\x8E\x82\xB5\x82\xAD\x82\xBE\x82\xB3"
    "\x82\xA2\x81\x42";

// "「" file "」を保存できませんでした。\n設定ファイルは変更前のままです。\n\n" cause
std::string SaveFailureText(const std::string& file, const std::string& cause) {
  return "\x81\x75" + file +
         "\x81\x76\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5"
         "\x82\xBD\x81\x42\x0A\x90\xDD\x92\xE8\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x95\xCF\x8D"
         "\x58\x91\x4F\x82\xCC\x82\xDC\x82\xDC\x82\xC5\x82\xB7\x81\x42\x0A\x0A" +
         cause;
}

// After OK: the sheet has closed, one warning says why nothing was saved, and the program ends
// with 0 once it is answered.
void ExpectToldAfterTheSheet(const OpenSheet& sheet, const std::string& text) {
  HWND box = sheet.process->WaitForWindow(kSaveFailureCaption, kExitTimeoutMs);
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(IsWindow(sheet.window));
  EXPECT_EQ(MessageBoxText(box), text);
  EXPECT_TRUE(IsOkOnlyWarning(box, kExitTimeoutMs));
  AnswerMessageBox(box, IDOK);
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
}

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

TEST_F(HostileFolder, OkOnASettingsFileHeldByAnotherProgramChangesNeitherFileAndSaysSo) {
  game_.WriteSettings(FullSettings());
  game_.WriteKeys(FullKeys());
  FileLock lock(game_.Path() + "vesk.cfg");
  const OpenSheet sheet = Start();
  ASSERT_NE(sheet.window, nullptr);
  sheet.Driver().SelectTab(5);
  sheet.Driver().Pick(IDC_KEY_SLOT_1, 22);
  sheet.Driver().PressOk();
  ExpectToldAfterTheSheet(sheet, SaveFailureText("vesk.cfg", kInUse));
  lock.Release();
  EXPECT_EQ(game_.Settings(), FullSettings());
  EXPECT_EQ(game_.Keys(), FullKeys());
}

TEST_F(HostileFolder, OkOnAKeyFileHeldByAnotherProgramChangesNeitherFileAndSaysSo) {
  game_.WriteSettings("");
  game_.WriteKeys(FullKeys());
  FileLock lock(game_.Path() + "key.cfg");
  const OpenSheet sheet = Start();
  ASSERT_NE(sheet.window, nullptr);
  sheet.Driver().Click(IDC_SYSTEM_WINDOWED);
  sheet.Driver().PressOk();
  ExpectToldAfterTheSheet(sheet, SaveFailureText("key.cfg", kInUse));
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

// "vesk.cfg" without its message section, which a save appends with the held defaults.
const std::string kMessageSection = FullSettings().substr(
    FullSettings().find("[MESSAGE_INFO]"), FullSettings().find("[SAVE_INFO]") - FullSettings().find("[MESSAGE_INFO]"));
const std::string kDefaultMessageSection =
    "[MESSAGE_INFO]\r\nFONT=\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\r\nTEXT_BOLD=0\r\n"
    "TEXT_GANG=1\r\nTEXT_WAIT=2\r\nVOICE_CUT_MODE=0\r\nEFFECT_TYPE=1\r\nEFFECT_TIMER=2\r\nREAD_SKIP=1\r\n"
    "AUTO_VOICE_SYNC=1\r\nAUTO_MODE_1=10\r\nAUTO_MODE_2=0\r\nAUTO_MODE_3=0\r\n";

// A game folder on the small disk CTest mounts, filled up before the program starts.
class FullDiskFolder : public SmallDiskTest {
 protected:
  // Starts the program from the build with the folder as current directory, and presses OK.
  OpenSheet PressOkOnAFullDisk(const std::string& settings) {
    WriteFileBytes(folder_ + "vesk.cfg", settings);
    WriteFileBytes(folder_ + "key.cfg", FullKeys());
    FillDisk(0);
    OpenSheet sheet = StartSheet(BuiltVeskconfPath(), folder_);
    EXPECT_NE(sheet.window, nullptr);
    if (sheet.window != nullptr) sheet.Driver().PressOk();
    return sheet;
  }
};

TEST_F(FullDiskFolder, ANewTextThatFitsTheFilesOwnSpaceIsSaved) {
  const std::string settings = Replaced(FullSettings(), kMessageSection, "");
  const OpenSheet sheet = PressOkOnAFullDisk(settings);
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(ReadFileBytes(folder_ + "vesk.cfg"), settings + kDefaultMessageSection);
  EXPECT_EQ(ReadFileBytes(folder_ + "key.cfg"), FullKeys());
}

TEST_F(FullDiskFolder, WithNoRoomForTheGrowthNeitherFileChangesAndThePlayerIsTold) {
  // Padded to end just short of its second page, which the appended section overflows.
  std::string settings = Replaced(FullSettings(), kMessageSection, "") + "[ENGINE_PRIVATE]\r\nPAD=\r\n";
  settings = Replaced(settings, "PAD=", "PAD=" + std::string(2 * kDiskPage - 20 - settings.size(), 'x'));
  const OpenSheet sheet = PressOkOnAFullDisk(settings);
  ExpectToldAfterTheSheet(sheet, SaveFailureText("vesk.cfg", kDiskFull));
  EXPECT_EQ(ReadFileBytes(folder_ + "vesk.cfg"), settings);
  EXPECT_EQ(ReadFileBytes(folder_ + "key.cfg"), FullKeys());
}

// Game folders in which the player may write the files there are but create none, prepared by
// tests/platform/unprivileged.sh, which runs these tests as an unprivileged user.
class ProtectedFolder : public testing::Test {
 protected:
  void SetUp() override {
    const char* games = std::getenv("VESK_PROTECTED_GAMES");
    if (games == nullptr) GTEST_SKIP() << "runs as an unprivileged user only (tests/platform/unprivileged.sh)";
    games_ = WindowsPathOf(games) + "\\";
  }
  std::string Folder(const char* name) const { return games_ + name + "\\"; }
  static OpenSheet PressOkIn(const std::string& folder) {
    OpenSheet sheet = StartSheet(BuiltVeskconfPath(), folder);
    EXPECT_NE(sheet.window, nullptr);
    if (sheet.window != nullptr) sheet.Driver().PressOk();
    return sheet;
  }

  std::string games_;
};

TEST_F(ProtectedFolder, FilesThatExistAreSavedWhereNoNewFileMayBeCreated) {
  const std::string folder = Folder("writable");
  WriteFileBytes(folder + "vesk.cfg", Replaced(FullSettings(), "ONE_CPU=1", "ONE_CPU=7"));
  WriteFileBytes(folder + "key.cfg", FullKeys());
  const OpenSheet sheet = PressOkIn(folder);
  EXPECT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(ReadFileBytes(folder + "vesk.cfg"), FullSettings());
  EXPECT_EQ(ReadFileBytes(folder + "key.cfg"), FullKeys());
}

TEST_F(ProtectedFolder, AKeyFileThatCannotBeCreatedLeavesBothFilesAndTheAdviceToRunAsAdministrator) {
  const std::string folder = Folder("no-key-file");
  WriteFileBytes(folder + "vesk.cfg", FullSettings());
  const OpenSheet sheet = PressOkIn(folder);
  ExpectToldAfterTheSheet(sheet, SaveFailureText("key.cfg", kWriteProtected));
  EXPECT_EQ(ReadFileBytes(folder + "vesk.cfg"), FullSettings());
  EXPECT_FALSE(FileExists(folder + "key.cfg"));
}

TEST_F(ProtectedFolder, AReadOnlyFileOfAnotherUserLeavesBothFilesAndSaysSo) {
  const std::string folder = Folder("read-only-settings");
  const std::string settings = ReadFileBytes(folder + "vesk.cfg");
  WriteFileBytes(folder + "key.cfg", FullKeys());
  const OpenSheet sheet = PressOkIn(folder);
  ExpectToldAfterTheSheet(sheet, SaveFailureText("vesk.cfg", kWriteProtected));
  EXPECT_EQ(ReadFileBytes(folder + "vesk.cfg"), settings);
  EXPECT_EQ(ReadFileBytes(folder + "key.cfg"), FullKeys());
}

}  // namespace
