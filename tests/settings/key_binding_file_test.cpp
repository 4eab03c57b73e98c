// "key.cfg": both tables, code ranges, two-digit names and the untouched default sections.
#include "key_binding_file.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "format_text.h"
#include "settings_groups.h"
#include "temp_directory.h"

namespace {

class KeyBindingFile : public testing::Test {
 protected:
  TempDirectory directory_;
  SettingsGroups groups_;
  std::string Path() const { return directory_ / "key.cfg"; }
  void SetUp() override { WriteFileBytes(directory_ / "vesk.cfg", ""); }
};

// Every section from first to last, its five slots holding code, code + step, code + 2 step ...
std::string Sections(int first, int last, int code, int step = 1) {
  std::string text;
  for (int section = first; section <= last; ++section) {
    char line[64];
    FormatText(line, sizeof line, "[KEY_FUNCTION_%z2]\r\n", section);
    text += line;
    for (int slot = 1; slot <= 5; ++slot) {
      FormatText(line, sizeof line, "KEY_DATA_%z2=%d\r\n", slot, code + step * (slot - 1));
      text += line;
    }
  }
  return text;
}

TEST_F(KeyBindingFile, ReadsBothTablesWithTwoDigitNames) {
  WriteFileBytes(Path(), Sections(1, 20, 1) + Sections(51, 70, 100));
  groups_.Load(directory_);
  for (int function = 0; function < kFunctionCount; ++function) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      EXPECT_EQ(groups_.keys.current[function][slot], 1 + slot);
      EXPECT_EQ(groups_.keys.defaults[function][slot], 100 + slot);
    }
  }
}

TEST_F(KeyBindingFile, CodesOutsideTheInputListReadAsUnassigned) {
  WriteFileBytes(Path(),
                 "[KEY_FUNCTION_01]\r\nKEY_DATA_01=124\r\nKEY_DATA_02=999\r\nKEY_DATA_03=-1\r\nKEY_DATA_04=123\r\n"
                 "KEY_DATA_05=65659\r\n[KEY_FUNCTION_1]\r\nKEY_DATA_1=5\r\n");
  groups_.Load(directory_);
  const auto& slots = groups_.keys.current[0];
  EXPECT_EQ(slots[0], 0);
  EXPECT_EQ(slots[1], 0);
  EXPECT_EQ(slots[2], 0);
  EXPECT_EQ(slots[3], 123);
  EXPECT_EQ(slots[4], 0);
}

TEST_F(KeyBindingFile, AFileWithOnlyDefaultsKeepsThemAndGainsTheCurrentSections) {
  const std::string defaults = Sections(51, 70, 30);
  WriteFileBytes(Path(), defaults);
  groups_.Load(directory_);
  EXPECT_EQ(groups_.keys.current[19][4], 0);
  EXPECT_EQ(groups_.keys.defaults[19][4], 34);
  groups_.keys.current[0][1] = 22;
  groups_.Save(directory_);

  const std::string saved = ReadFileBytes(Path());
  EXPECT_NE(saved.find(defaults), std::string::npos);
  EXPECT_NE(saved.find("[KEY_FUNCTION_01]\r\nKEY_DATA_01=0\r\nKEY_DATA_02=22\r\n"), std::string::npos);
  EXPECT_EQ(ProfileText(Path(), "KEY_FUNCTION_20", "KEY_DATA_05"), "0");
}

TEST_F(KeyBindingFile, AMissingFileReadsAsUnassignedAndIsCreatedInOrder) {
  groups_.Load(directory_);
  EXPECT_EQ(groups_.keys.defaults[0][0], 0);
  for (int function = 0; function < kFunctionCount; ++function)
    for (int slot = 0; slot < kSlotCount; ++slot) groups_.keys.current[function][slot] = 7;
  groups_.Save(directory_);
  EXPECT_EQ(ReadFileBytes(Path()), Sections(1, 20, 7, 0));
}

TEST_F(KeyBindingFile, AReadOnlyKeyFileIsMadeWritable) {
  WriteFileBytes(Path(), Sections(1, 20, 1));
  SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY);
  groups_.Load(directory_);
  groups_.keys.current[4][2] = 99;
  groups_.Save(directory_);
  EXPECT_EQ(ProfileText(Path(), "KEY_FUNCTION_05", "KEY_DATA_03"), "99");
}

}  // namespace
