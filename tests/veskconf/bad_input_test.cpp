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
const wchar_t kSaveFailureCaption[] =
    L"\x8A2D\x5B9A\x306E\x4FDD\x5B58\x30A8\x30E9\x30FC";
// "フォルダーへの書き込みが許可されていません。「Program Files」などの保護されたフォルダーにゲームが
// ある場合は、環境設定ツールを管理者として実行してください。"
const wchar_t kWriteProtected[] =
    L"\x30D5\x30A9\x30EB\x30C0\x30FC\x3078\x306E\x66F8\x304D\x8FBC\x307F\x304C\x8A31\x53EF\x3055\x308C"
    L"\x3066\x3044\x307E\x305B\x3093\x3002\x300CProgram Files\x300D\x306A\x3069\x306E\x4FDD\x8B77"
    L"\x3055\x308C\x305F\x30D5\x30A9\x30EB\x30C0\x30FC\x306B\x30B2\x30FC\x30E0\x304C\x3042\x308B\x5834"
    L"\x5408\x306F\x3001\x74B0\x5883\x8A2D\x5B9A\x30C4\x30FC\x30EB\x3092\x7BA1\x7406\x8005\x3068\x3057"
    L"\x3066\x5B9F\x884C\x3057\x3066\x304F\x3060\x3055\x3044\x3002";
// "ディスクの空き容量が足りません。空きを作ってから、もう一度お試しください。"
const wchar_t kDiskFull[] =
    L"\x30C7\x30A3\x30B9\x30AF\x306E\x7A7A\x304D\x5BB9\x91CF\x304C\x8DB3\x308A\x307E\x305B\x3093\x3002"
    L"\x7A7A\x304D\x3092\x4F5C\x3063\x3066\x304B\x3089\x3001\x3082\x3046\x4E00\x5EA6\x304A\x8A66\x3057"
    L"\x304F\x3060\x3055\x3044\x3002";
// "ファイルがほかのプログラムで使用中です。そのプログラムを閉じてから、もう一度お試しください。"
const wchar_t kInUse[] =
    L"\x30D5\x30A1\x30A4\x30EB\x304C\x307B\x304B\x306E\x30D7\x30ED\x30B0\x30E9\x30E0\x3067\x4F7F\x7528"
    L"\x4E2D\x3067\x3059\x3002\x305D\x306E\x30D7\x30ED\x30B0\x30E9\x30E0\x3092\x9589\x3058\x3066\x304B"
    L"\x3089\x3001\x3082\x3046\x4E00\x5EA6\x304A\x8A66\x3057\x304F\x3060\x3055\x3044\x3002";

// "「" file "」を保存できませんでした。\n設定ファイルは変更前のままです。\n\n" cause
std::wstring SaveFailureText(const std::wstring& file, const std::wstring& cause) {
  return L"\x300C" + file +
         L"\x300D\x3092\x4FDD\x5B58\x3067\x304D\x307E\x305B\x3093\x3067\x3057\x305F\x3002\x000A\x8A2D"
         L"\x5B9A\x30D5\x30A1\x30A4\x30EB\x306F\x5909\x66F4\x524D\x306E\x307E\x307E\x3067\x3059\x3002"
         L"\x000A\x000A" +
         cause;
}

// After OK: the sheet has closed, one warning says why nothing was saved, and the program ends
// with 0 once it is answered.
void ExpectToldAfterTheSheet(const OpenSheet& sheet, const std::wstring& text) {
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
  ExpectToldAfterTheSheet(sheet, SaveFailureText(L"vesk.cfg", kInUse));
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
  ExpectToldAfterTheSheet(sheet, SaveFailureText(L"key.cfg", kInUse));
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
  ExpectToldAfterTheSheet(sheet, SaveFailureText(L"vesk.cfg", kDiskFull));
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
  ExpectToldAfterTheSheet(sheet, SaveFailureText(L"key.cfg", kWriteProtected));
  EXPECT_EQ(ReadFileBytes(folder + "vesk.cfg"), FullSettings());
  EXPECT_FALSE(FileExists(folder + "key.cfg"));
}

TEST_F(ProtectedFolder, AReadOnlyFileOfAnotherUserLeavesBothFilesAndSaysSo) {
  const std::string folder = Folder("read-only-settings");
  const std::string settings = ReadFileBytes(folder + "vesk.cfg");
  WriteFileBytes(folder + "key.cfg", FullKeys());
  const OpenSheet sheet = PressOkIn(folder);
  ExpectToldAfterTheSheet(sheet, SaveFailureText(L"vesk.cfg", kWriteProtected));
  EXPECT_EQ(ReadFileBytes(folder + "vesk.cfg"), settings);
  EXPECT_EQ(ReadFileBytes(folder + "key.cfg"), FullKeys());
}

}  // namespace
