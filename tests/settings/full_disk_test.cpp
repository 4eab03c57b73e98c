// Saving onto a disk that runs full: both files are saved, or both keep everything they held.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "settings_groups.h"
#include "small_disk.h"

namespace {

class FullDisk : public SmallDiskTest {
 protected:
  SaveResult Save() { return SaveSettings(folder_.c_str(), groups_.Record()); }

  SettingsGroups groups_;
};

// Keys of the engine's own, up to size bytes.
std::string EngineKeys(std::size_t size) {
  std::string text = "[ENGINE_PRIVATE]\r\n";
  for (int i = 0; text.size() < size; ++i) text += "SCENE_FLAG_" + std::to_string(i) + "=1\r\n";
  return text;
}

// The settings file grows by about 1100 bytes (every key of the program is added), out of its
// second page; the key file grows within its first.
TEST_F(FullDisk, WithNoRoomForTheGrowthNeitherFileChanges) {
  const std::string settings = EngineKeys(2 * kDiskPage - 300);
  const std::string keys = "[KEY_FUNCTION_51]\r\nKEY_DATA_01=22\r\n";
  WriteFileBytes(folder_ + "vesk.cfg", settings);
  WriteFileBytes(folder_ + "key.cfg", keys);
  LoadSettings(folder_.c_str(), groups_.Record());
  FillDisk(0);
  const SaveResult result = Save();
  EXPECT_FALSE(result.saved);
  EXPECT_EQ(result.failedFile, "vesk.cfg");
  EXPECT_EQ(result.cause, SaveFailureCause::kDiskFull);
  EXPECT_EQ(ReadFileBytes(folder_ + "vesk.cfg"), settings);
  EXPECT_EQ(ReadFileBytes(folder_ + "key.cfg"), keys);
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

TEST_F(FullDisk, ANewTextThatFitsTheFilesOwnSpaceIsSaved) {
  // The grown settings file still ends inside its second page; nothing else is free.
  const std::string settings = EngineKeys(2 * kDiskPage - 1500);
  WriteFileBytes(folder_ + "vesk.cfg", settings);
  WriteFileBytes(folder_ + "key.cfg", FullKeyFile());
  LoadSettings(folder_.c_str(), groups_.Record());
  groups_.keys.current[19][4] = 7;
  FillDisk(0);
  EXPECT_TRUE(Save().saved);
  const std::string saved = ReadFileBytes(folder_ + "vesk.cfg");
  EXPECT_EQ(saved.compare(0, settings.size(), settings), 0);
  EXPECT_EQ(ProfileText(folder_ + "vesk.cfg", "MESSAGE_INFO", "AUTO_MODE_3"), "0");
  EXPECT_LT(saved.size(), 2 * kDiskPage);
  EXPECT_EQ(ProfileText(folder_ + "key.cfg", "KEY_FUNCTION_20", "KEY_DATA_05"), "7");
}

}  // namespace
