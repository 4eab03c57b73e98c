// "vesk.cfg": defaults, read rules, write rules and order, the font text, read-only files.
#include "settings_file.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "settings_groups.h"
#include "temp_directory.h"

namespace {

const char kDefaultFontBytes[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

class SettingsFile : public testing::Test {
 protected:
  TempDirectory directory_;
  SettingsGroups groups_;
  std::string Path() const { return directory_ / "vesk.cfg"; }
  void WriteSettings(const std::string& text) { WriteFileBytes(Path(), text); }
  std::string Saved(const char* section, const char* key) const { return ProfileText(Path(), section, key); }
};

TEST_F(SettingsFile, AFileWithoutKeysGivesEveryDefault) {
  WriteSettings("");
  groups_.Load(directory_);

  EXPECT_EQ(groups_.keys.JOYPAD_USE, 1);
  const SystemSettings& s = groups_.system;
  EXPECT_EQ(s.WINDOW_FULL_MOVE_USE, 0);
  EXPECT_EQ(s.PACK_HEADER_CHECK, 1);
  EXPECT_EQ(s.PACK_DATA_CHECK, 0);
  EXPECT_EQ(s.DLG_LOAD, 0);
  EXPECT_EQ(s.DLG_SAVE, 0);
  EXPECT_EQ(s.WINDOW_MODE, 1);
  EXPECT_EQ(s.WAIT_TIMING, 0);
  EXPECT_EQ(s.EFFECT_USE, 1);
  EXPECT_EQ(s.ACTIVE_DRAW, 0);
  EXPECT_EQ(s.IMAGE_CACHE_SIZE, 3);
  EXPECT_EQ(s.PERFORMANCE_TIMER, 1);
  EXPECT_EQ(s.ONE_CPU, 0);
  const GraphicSettings& g = groups_.graphic;
  EXPECT_EQ(g.ASPECT_RATIO_USE, 0);
  EXPECT_EQ(g.SOFTWARE_VERTEX, 0);
  EXPECT_EQ(g.TEXTURE_CREATE_LEVEL, 0);
  EXPECT_EQ(g.TEXTURE_COLOR, 0);
  EXPECT_EQ(g.TEXTURE_MAX, 0);
  EXPECT_EQ(g.FRAME_RATE, 0);
  EXPECT_EQ(g.TEXTURE_MIN_FILTER, 1);
  EXPECT_EQ(g.TEXTURE_MAG_FILTER, 1);
  EXPECT_EQ(g.ASPECT_RATIO_FILTER, 0);
  EXPECT_EQ(g.DITHER_FILTER, 0);
  const SoundSettings& a = groups_.sound;
  EXPECT_EQ(a.SOUND_HARDWARE, 0);
  EXPECT_EQ(a.SOUND_QUALITY, 0);
  EXPECT_EQ(a.SOUND_BUFFER, 0);
  EXPECT_EQ(a.SOUND_GLOBAL_FOCUS, 1);
  EXPECT_EQ(a.SOUND_STREAM, 1);
  EXPECT_EQ(a.SOUND_3D_USE, 0);
  EXPECT_EQ(a.MUSIC_USE, 1);
  EXPECT_EQ(a.SE_USE, 1);
  EXPECT_EQ(a.VOICE_USE, 1);
  for (std::int32_t volume : {a.MASTER_VOLUME, a.MUSIC_VOLUME, a.SE_VOLUME, a.VOICE_VOLUME, a.VIDEO_VOLUME})
    EXPECT_EQ(volume, 16);
  EXPECT_EQ(a.VOICE_FADE_VOLOME, 20);
  EXPECT_EQ(a.VOICE_FADE_TIMER, 5);
  EXPECT_EQ(a.VOICE_FADE_WAIT, 10);
  EXPECT_EQ(a.VOICE_FADE_USE, 1);
  EXPECT_EQ(groups_.mouseVideo.AUTO_CLEAR, 1);
  EXPECT_EQ(groups_.mouseVideo.FRAME_CTRL, 0);
  const MessageSettings& m = groups_.message;
  EXPECT_STREQ(m.FONT, kDefaultFontBytes);
  EXPECT_EQ(m.TEXT_BOLD, 0);
  EXPECT_EQ(m.TEXT_GANG, 1);
  EXPECT_EQ(m.TEXT_WAIT, 2);
  EXPECT_EQ(m.VOICE_CUT_MODE, 0);
  EXPECT_EQ(m.EFFECT_TYPE, 1);
  EXPECT_EQ(m.EFFECT_TIMER, 2);
  EXPECT_EQ(m.READ_SKIP, 1);
  EXPECT_EQ(m.AUTO_VOICE_SYNC, 1);
  EXPECT_EQ(m.AUTO_MODE_1, 10);
  EXPECT_EQ(m.AUTO_MODE_2, 0);
  EXPECT_EQ(m.AUTO_MODE_3, 0);
}

TEST_F(SettingsFile, OutOfRangeValuesTakeTheDefaultOrTheNearestBound) {
  WriteSettings(
      "[GRAPHIC_CONFIG]\r\nTEXTURE_MIN_FILTER=7\r\nTEXTURE_MAG_FILTER=-1\r\nFRAME_RATE=3\r\n"
      "[SOUND_INFO]\r\nSOUND_BUFFER=7\r\nSOUND_QUALITY=-4\r\n"
      "[MESSAGE_INFO]\r\nTEXT_WAIT=11\r\nAUTO_MODE_3=-1\r\n");
  groups_.Load(directory_);
  EXPECT_EQ(groups_.graphic.TEXTURE_MIN_FILTER, 1);
  EXPECT_EQ(groups_.graphic.TEXTURE_MAG_FILTER, 1);
  EXPECT_EQ(groups_.graphic.FRAME_RATE, 0);
  EXPECT_EQ(groups_.sound.SOUND_BUFFER, 3);
  EXPECT_EQ(groups_.sound.SOUND_QUALITY, 0);
  EXPECT_EQ(groups_.message.TEXT_WAIT, 10);
  EXPECT_EQ(groups_.message.AUTO_MODE_3, 0);
}

TEST_F(SettingsFile, FlagsParityAndTheInvertedWindowMode) {
  WriteSettings(
      "[WINDOW_STATUS]\r\nWINDOW_MODE=5\r\n"
      "[SYSTEM_INFO]\r\nWAIT_TIMING=3\r\nDLG_LOAD=7\r\nDLG_SAVE=-1\r\nPACK_HEADER_CHECK=0\r\n");
  groups_.Load(directory_);
  EXPECT_EQ(groups_.system.WINDOW_MODE, 0);
  EXPECT_EQ(groups_.system.WAIT_TIMING, 1);
  EXPECT_EQ(groups_.system.DLG_LOAD, 1);
  EXPECT_EQ(groups_.system.DLG_SAVE, 1);
  EXPECT_EQ(groups_.system.PACK_HEADER_CHECK, 0);
  groups_.Save(directory_);
  EXPECT_EQ(Saved("WINDOW_STATUS", "WINDOW_MODE"), "1");
  EXPECT_EQ(Saved("SYSTEM_INFO", "DLG_SAVE"), "1");

  WriteSettings("[SYSTEM_INFO]\r\nWAIT_TIMING=-2\r\n[WINDOW_STATUS]\r\nWINDOW_MODE=0\r\n");
  groups_.Load(directory_);
  EXPECT_EQ(groups_.system.WAIT_TIMING, 0);
  EXPECT_EQ(groups_.system.WINDOW_MODE, 1);
  groups_.Save(directory_);
  EXPECT_EQ(Saved("WINDOW_STATUS", "WINDOW_MODE"), "0");
}

TEST_F(SettingsFile, UnitsAreConvertedOnLoadAndBackOnSave) {
  WriteSettings(
      "[SOUND_INFO]\r\nMASTER_VOLUME=100\r\nMUSIC_VOLUME=300\r\nSE_VOLUME=-5\r\nVOICE_FADE_VOLOME=99\r\n"
      "VOICE_FADE_TIMER=2550\r\nVOICE_FADE_WAIT=1999\r\n");
  groups_.Load(directory_);
  EXPECT_EQ(groups_.sound.MASTER_VOLUME, 6);
  EXPECT_EQ(groups_.sound.MUSIC_VOLUME, 16);
  EXPECT_EQ(groups_.sound.SE_VOLUME, 0);
  EXPECT_EQ(groups_.sound.VOICE_FADE_VOLOME, 19);
  EXPECT_EQ(groups_.sound.VOICE_FADE_TIMER, 20);
  EXPECT_EQ(groups_.sound.VOICE_FADE_WAIT, 19);
  groups_.Save(directory_);
  EXPECT_EQ(Saved("SOUND_INFO", "MASTER_VOLUME"), "96");
  EXPECT_EQ(Saved("SOUND_INFO", "MUSIC_VOLUME"), "256");
  EXPECT_EQ(Saved("SOUND_INFO", "SE_VOLUME"), "0");
  EXPECT_EQ(Saved("SOUND_INFO", "VOICE_FADE_VOLOME"), "95");
  EXPECT_EQ(Saved("SOUND_INFO", "VOICE_FADE_TIMER"), "2000");
  EXPECT_EQ(Saved("SOUND_INFO", "VOICE_FADE_WAIT"), "1900");
}

TEST_F(SettingsFile, TheFontTextPassesThroughByteForByte) {
  // "表示" has 0x5C as its first trail byte; 0xA6 is a half-width katakana.
  const std::string font = "\x95\x5C\x8E\xA6 \xA6";
  WriteSettings("[MESSAGE_INFO]\r\nFONT=" + font + "\r\n");
  groups_.Load(directory_);
  EXPECT_EQ(std::string(groups_.message.FONT), font);
  groups_.Save(directory_);
  EXPECT_NE(ReadFileBytes(Path()).find("FONT=" + font + "\r\n"), std::string::npos);
}

TEST_F(SettingsFile, ALongFontTextIsCutTo127BytesWithoutHalfACharacter) {
  WriteSettings("[MESSAGE_INFO]\r\nFONT=" + std::string(200, 'F') + "\r\n");
  groups_.Load(directory_);
  EXPECT_EQ(std::string(groups_.message.FONT), std::string(127, 'F'));

  // 100 times "あ" (82 A0): the 127th byte would be the lead byte of the 64th.
  std::string hiragana;
  for (int i = 0; i < 100; ++i) hiragana += "\x82\xA0";
  std::memset(groups_.message.FONT, 0x02, sizeof groups_.message.FONT);
  WriteSettings("[MESSAGE_INFO]\r\nFONT=" + hiragana + "\r\n");
  groups_.Load(directory_);
  EXPECT_EQ(std::string(groups_.message.FONT), hiragana.substr(0, 126));
  EXPECT_EQ(groups_.message.FONT[126], '\0');
}

TEST_F(SettingsFile, TheDefaultFontIsWrittenInShiftJis) {
  WriteSettings("");
  groups_.Load(directory_);
  groups_.Save(directory_);
  EXPECT_NE(ReadFileBytes(Path()).find(std::string("FONT=") + kDefaultFontBytes + "\r\n"), std::string::npos);
}

// The keys of one section of a file, in the order the file holds them.
std::vector<std::string> KeysOfSection(const std::string& file, const std::string& section) {
  std::vector<std::string> keys;
  const std::size_t start = file.find("[" + section + "]\r\n");
  if (start == std::string::npos) return keys;
  std::size_t line = file.find("\r\n", start) + 2;
  while (line < file.size() && file[line] != '[') {
    const std::size_t end = file.find("\r\n", line);
    const std::size_t equals = file.find('=', line);
    if (equals < end) keys.push_back(file.substr(line, equals - line));
    line = end + 2;
  }
  return keys;
}

TEST_F(SettingsFile, AMissingKeyIsAppendedToItsSectionInTheEngineOrder) {
  WriteSettings("[SOUND_INFO]\r\nMASTER_VOLUME=256\r\n");
  groups_.Load(directory_);
  groups_.Save(directory_);
  const std::string file = ReadFileBytes(Path());
  EXPECT_EQ(KeysOfSection(file, "SOUND_INFO"),
            (std::vector<std::string>{"MASTER_VOLUME", "SOUND_HARDWARE", "SOUND_QUALITY", "SOUND_BUFFER",
                                      "SOUND_STREAM", "SOUND_GLOBAL_FOCUS", "SOUND_3D_USE", "MUSIC_USE",
                                      "SE_USE", "VOICE_USE", "MUSIC_VOLUME", "SE_VOLUME", "VOICE_VOLUME",
                                      "VIDEO_VOLUME", "VOICE_FADE_VOLOME", "VOICE_FADE_TIMER",
                                      "VOICE_FADE_WAIT", "VOICE_FADE_USE"}));
  EXPECT_EQ(KeysOfSection(file, "SYSTEM_INFO"),
            (std::vector<std::string>{"JOYPAD_USE", "WINDOW_FULL_MOVE_USE", "PACK_HEADER_CHECK",
                                      "PACK_DATA_CHECK", "DLG_LOAD", "DLG_SAVE", "WAIT_TIMING", "EFFECT_USE",
                                      "ACTIVE_DRAW", "IMAGE_CACHE_SIZE", "PERFORMANCE_TIMER", "ONE_CPU"}));
  EXPECT_EQ(KeysOfSection(file, "MESSAGE_INFO").front(), "FONT");
  EXPECT_EQ(KeysOfSection(file, "MESSAGE_INFO").size(), 12u);
  EXPECT_EQ(KeysOfSection(file, "GRAPHIC_CONFIG").size(), 10u);
}

TEST_F(SettingsFile, AReadOnlyFileIsMadeWritableAndSaved) {
  WriteSettings("[MOUSE_INFO]\r\nAUTO_CLEAR=2\r\n");
  SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY);
  groups_.Load(directory_);
  groups_.mouseVideo.AUTO_CLEAR = 4;
  groups_.Save(directory_);
  EXPECT_EQ(Saved("MOUSE_INFO", "AUTO_CLEAR"), "4");
  EXPECT_EQ(Saved("SYSTEM_INFO", "JOYPAD_USE"), "1");
}

TEST_F(SettingsFile, KeysAndSectionsTheProgramDoesNotKnowSurviveASave) {
  WriteSettings(
      "[ENGINE_PRIVATE]\r\nSAVE_SLOT=12\r\nPLAYER=\x96\xBC\x91\x4F\r\n"
      "[SYSTEM_INFO]\r\nLAST_SCENE=chapter3\r\nDLG_LOAD=1\r\n");
  groups_.Load(directory_);
  groups_.Save(directory_);
  const std::string file = ReadFileBytes(Path());
  EXPECT_NE(file.find("[ENGINE_PRIVATE]\r\nSAVE_SLOT=12\r\nPLAYER=\x96\xBC\x91\x4F\r\n"), std::string::npos);
  EXPECT_EQ(Saved("SYSTEM_INFO", "LAST_SCENE"), "chapter3");
  EXPECT_EQ(Saved("SYSTEM_INFO", "DLG_LOAD"), "1");
}

TEST_F(SettingsFile, ASaveReplacesBothFilesAndLeavesNothingElse) {
  WriteSettings("[MOUSE_INFO]\r\nAUTO_CLEAR=2\r\n");
  groups_.Load(directory_);
  EXPECT_TRUE(groups_.Save(directory_).saved);
  EXPECT_EQ(FilesIn(directory_.Path()), (std::vector<std::string>{"key.cfg", "vesk.cfg"}));
}

TEST_F(SettingsFile, ASaveIntoALockedFileChangesNeitherFileAndSaysWhy) {
  const std::string original = "[MOUSE_INFO]\r\nAUTO_CLEAR=2\r\n[ENGINE]\r\nSLOT=4\r\n";
  WriteSettings(original);
  groups_.Load(directory_);
  groups_.mouseVideo.AUTO_CLEAR = 3;
  HANDLE lock = CreateFileA(Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const SaveResult result = groups_.Save(directory_);
  CloseHandle(lock);
  EXPECT_FALSE(result.saved);
  EXPECT_EQ(result.failedFile, "vesk.cfg");
  EXPECT_EQ(result.cause, SaveFailureCause::kInUse);
  EXPECT_EQ(ReadFileBytes(Path()), original);
  // The missing key file, created for the save, is gone again.
  EXPECT_EQ(FilesIn(directory_.Path()), (std::vector<std::string>{"vesk.cfg"}));
}

}  // namespace
