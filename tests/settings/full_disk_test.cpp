// Saving onto a disk that runs full: the files keep everything they held.
#include <windows.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "settings_groups.h"

namespace {

constexpr DWORD kPage = 4096;

// The small disk CTest mounts, as a Windows path; empty when it could not be mounted.
std::string SmallDisk() {
  const char* unixPath = std::getenv("SMALL_DISK");
  if (unixPath == nullptr) return "";
  std::string path = std::string("Z:") + unixPath + "/";
  for (char& c : path)
    if (c == '/') c = '\\';
  // An unmounted folder is not small: a filler would fill the real disk.
  ULARGE_INTEGER total = {};
  if (!GetDiskFreeSpaceExA(path.c_str(), nullptr, &total, nullptr) || total.QuadPart > 1024 * 1024) return "";
  return path;
}

// Fills the disk to the last page, then gives back free bytes.
class Filler {
 public:
  Filler(const std::string& path, DWORD free) : path_(path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string page(kPage, 'x');
    DWORD written = kPage;
    LONG size = 0;
    while (written == kPage && WriteFile(file, page.data(), kPage, &written, nullptr)) size += static_cast<LONG>(written);
    SetFilePointer(file, size - static_cast<LONG>(free), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
  }
  ~Filler() { DeleteFileA(path_.c_str()); }

 private:
  std::string path_;
};

class FullDisk : public testing::Test {
 protected:
  void SetUp() override {
    disk_ = SmallDisk();
    if (disk_.empty()) GTEST_SKIP() << "no small disk mounted (the tests run as root mount one)";
    directory_ = disk_ + "game\\";
    CreateDirectoryA(directory_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"vesk.cfg", "key.cfg", "vesk.cfg.saving", "vesk.cfg.check", "key.cfg.saving",
                             "key.cfg.check"})
      DeleteFileA((directory_ + name).c_str());
    RemoveDirectoryA(directory_.c_str());
  }
  bool Save() { return SaveSettings(directory_.c_str(), groups_.Record()); }
  bool NoWorkingCopiesLeft() const {
    for (const char* name : {"vesk.cfg.saving", "vesk.cfg.check", "key.cfg.saving", "key.cfg.check"})
      if (FileExists(directory_ + name)) return false;
    return true;
  }

  std::string disk_;
  std::string directory_;
  SettingsGroups groups_;
};

// Keys of the engine's own, enough to fill about two pages.
std::string EngineKeys() {
  std::string text = "[ENGINE_PRIVATE]\r\n";
  for (int i = 0; text.size() < 2 * kPage - 300; ++i) text += "SCENE_FLAG_" + std::to_string(i) + "=1\r\n";
  return text;
}

TEST_F(FullDisk, WithNoRoomAtAllNeitherFileChanges) {
  const std::string settings = EngineKeys();
  const std::string keys = "[KEY_FUNCTION_51]\r\nKEY_DATA_01=22\r\n";
  WriteFileBytes(directory_ + "vesk.cfg", settings);
  WriteFileBytes(directory_ + "key.cfg", keys);
  LoadSettings(directory_.c_str(), groups_.Record());
  const Filler filler(disk_ + "filler", 0);
  EXPECT_FALSE(Save());
  EXPECT_EQ(ReadFileBytes(directory_ + "vesk.cfg"), settings);
  EXPECT_EQ(ReadFileBytes(directory_ + "key.cfg"), keys);
  EXPECT_TRUE(NoWorkingCopiesLeft());
}

// A key file already holding every current binding: saving it needs no more room.
std::string FullKeyFile() {
  std::string text;
  for (int function = 1; function <= 20; ++function) {
    text += std::string("[KEY_FUNCTION_") + (function < 10 ? "0" : "") + std::to_string(function) + "]\r\n";
    for (int slot = 1; slot <= 5; ++slot) text += "KEY_DATA_0" + std::to_string(slot) + "=0\r\n";
  }
  return text;
}

TEST_F(FullDisk, RoomForTheCopyButNotForTheGrownFileKeepsTheOriginal) {
  // The copy of the settings file fits in the two free pages; with the program's keys added it
  // needs a third, so the platform leaves the copy cut short and says nothing.
  const std::string settings = EngineKeys();
  WriteFileBytes(directory_ + "vesk.cfg", settings);
  WriteFileBytes(directory_ + "key.cfg", FullKeyFile());
  LoadSettings(directory_.c_str(), groups_.Record());
  const Filler filler(disk_ + "filler", 2 * kPage);
  EXPECT_FALSE(Save());
  EXPECT_EQ(ReadFileBytes(directory_ + "vesk.cfg"), settings);
  EXPECT_EQ(ProfileText(directory_ + "key.cfg", "KEY_FUNCTION_20", "KEY_DATA_05"), "0");
  EXPECT_TRUE(NoWorkingCopiesLeft());
}

}  // namespace
