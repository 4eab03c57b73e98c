// Hostile settings and key files: the store never crashes, every field ends in its range and the
// keys the program does not know survive a save.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "format_text.h"
#include "settings_groups.h"
#include "temp_directory.h"

namespace {

const char kKeptSection[] = "[KEEP_ME]\r\nVALUE=42\r\n";

// Deterministic noise, so that a failure can be repeated.
std::string Noise(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<char>(seed >> 24);
  }
  return bytes;
}

const char* const kAllKeys[][2] = {
    {"SYSTEM_INFO", "JOYPAD_USE"}, {"SYSTEM_INFO", "WINDOW_FULL_MOVE_USE"}, {"SYSTEM_INFO", "PACK_HEADER_CHECK"},
    {"SYSTEM_INFO", "PACK_DATA_CHECK"}, {"SYSTEM_INFO", "DLG_LOAD"}, {"SYSTEM_INFO", "DLG_SAVE"},
    {"WINDOW_STATUS", "WINDOW_MODE"}, {"SYSTEM_INFO", "WAIT_TIMING"}, {"SYSTEM_INFO", "EFFECT_USE"},
    {"SYSTEM_INFO", "ACTIVE_DRAW"}, {"SYSTEM_INFO", "IMAGE_CACHE_SIZE"}, {"SYSTEM_INFO", "PERFORMANCE_TIMER"},
    {"SYSTEM_INFO", "ONE_CPU"}, {"GRAPHIC_CONFIG", "ASPECT_RATIO_USE"}, {"GRAPHIC_CONFIG", "SOFTWARE_VERTEX"},
    {"GRAPHIC_CONFIG", "TEXTURE_CREATE_LEVEL"}, {"GRAPHIC_CONFIG", "TEXTURE_COLOR"},
    {"GRAPHIC_CONFIG", "TEXTURE_MAX"}, {"GRAPHIC_CONFIG", "FRAME_RATE"}, {"GRAPHIC_CONFIG", "TEXTURE_MIN_FILTER"},
    {"GRAPHIC_CONFIG", "TEXTURE_MAG_FILTER"}, {"GRAPHIC_CONFIG", "ASPECT_RATIO_FILTER"},
    {"GRAPHIC_CONFIG", "DITHER_FILTER"}, {"SOUND_INFO", "SOUND_HARDWARE"}, {"SOUND_INFO", "SOUND_QUALITY"},
    {"SOUND_INFO", "SOUND_BUFFER"}, {"SOUND_INFO", "SOUND_GLOBAL_FOCUS"}, {"SOUND_INFO", "SOUND_STREAM"},
    {"SOUND_INFO", "SOUND_3D_USE"}, {"SOUND_INFO", "MUSIC_USE"}, {"SOUND_INFO", "SE_USE"},
    {"SOUND_INFO", "VOICE_USE"}, {"SOUND_INFO", "MASTER_VOLUME"}, {"SOUND_INFO", "MUSIC_VOLUME"},
    {"SOUND_INFO", "SE_VOLUME"}, {"SOUND_INFO", "VOICE_VOLUME"}, {"SOUND_INFO", "VIDEO_VOLUME"},
    {"SOUND_INFO", "VOICE_FADE_VOLOME"}, {"SOUND_INFO", "VOICE_FADE_TIMER"}, {"SOUND_INFO", "VOICE_FADE_WAIT"},
    {"SOUND_INFO", "VOICE_FADE_USE"}, {"MOUSE_INFO", "AUTO_CLEAR"}, {"VIDEO_INFO", "FRAME_CTRL"},
    {"MESSAGE_INFO", "FONT"}, {"MESSAGE_INFO", "TEXT_BOLD"}, {"MESSAGE_INFO", "TEXT_GANG"},
    {"MESSAGE_INFO", "TEXT_WAIT"}, {"MESSAGE_INFO", "VOICE_CUT_MODE"}, {"MESSAGE_INFO", "EFFECT_TYPE"},
    {"MESSAGE_INFO", "EFFECT_TIMER"}, {"MESSAGE_INFO", "READ_SKIP"}, {"MESSAGE_INFO", "AUTO_VOICE_SYNC"},
    {"MESSAGE_INFO", "AUTO_MODE_1"}, {"MESSAGE_INFO", "AUTO_MODE_2"}, {"MESSAGE_INFO", "AUTO_MODE_3"},
};

// Every key of the settings file with the same value.
std::string EveryKeyHolding(const std::string& value) {
  std::string text;
  for (const auto& key : kAllKeys) text += std::string("[") + key[0] + "]\r\n" + key[1] + "=" + value + "\r\n";
  return text;
}

std::string EveryKeyBindingHolding(const std::string& value) {
  std::string text;
  for (int section : {1, 9, 20, 51, 70}) {
    char line[64];
    FormatText(line, sizeof line, "[KEY_FUNCTION_%z2]\r\n", section);
    text += line;
    for (int slot = 1; slot <= 5; ++slot) {
      FormatText(line, sizeof line, "KEY_DATA_%z2=", slot);
      text += line + value + "\r\n";
    }
  }
  return text;
}

#define EXPECT_IN_RANGE(field, low, high) \
  EXPECT_TRUE((field) >= (low) && (field) <= (high)) << #field " = " << (field)

void ExpectEveryFieldInRange(const SettingsGroups& g) {
  for (std::int32_t flag :
       {g.keys.JOYPAD_USE, g.system.WINDOW_FULL_MOVE_USE, g.system.PACK_HEADER_CHECK, g.system.PACK_DATA_CHECK,
        g.system.DLG_LOAD, g.system.DLG_SAVE, g.system.WINDOW_MODE, g.system.WAIT_TIMING, g.system.EFFECT_USE,
        g.system.ACTIVE_DRAW, g.system.PERFORMANCE_TIMER, g.system.ONE_CPU, g.graphic.ASPECT_RATIO_USE,
        g.graphic.SOFTWARE_VERTEX, g.graphic.TEXTURE_COLOR, g.graphic.TEXTURE_MAX, g.graphic.ASPECT_RATIO_FILTER,
        g.graphic.DITHER_FILTER, g.sound.SOUND_HARDWARE, g.sound.SOUND_QUALITY, g.sound.SOUND_GLOBAL_FOCUS,
        g.sound.SOUND_STREAM, g.sound.SOUND_3D_USE, g.sound.MUSIC_USE, g.sound.SE_USE, g.sound.VOICE_USE,
        g.sound.VOICE_FADE_USE, g.message.TEXT_BOLD, g.message.READ_SKIP, g.message.AUTO_VOICE_SYNC})
    EXPECT_IN_RANGE(flag, 0, 1);
  EXPECT_IN_RANGE(g.system.IMAGE_CACHE_SIZE, 0, 5);
  EXPECT_IN_RANGE(g.graphic.TEXTURE_CREATE_LEVEL, 0, 3);
  EXPECT_IN_RANGE(g.graphic.FRAME_RATE, 0, 2);
  EXPECT_IN_RANGE(g.graphic.TEXTURE_MIN_FILTER, 0, 2);
  EXPECT_IN_RANGE(g.graphic.TEXTURE_MAG_FILTER, 0, 2);
  EXPECT_IN_RANGE(g.sound.SOUND_BUFFER, 0, 3);
  for (std::int32_t volume : {g.sound.MASTER_VOLUME, g.sound.MUSIC_VOLUME, g.sound.SE_VOLUME,
                              g.sound.VOICE_VOLUME, g.sound.VIDEO_VOLUME})
    EXPECT_IN_RANGE(volume, 0, 16);
  EXPECT_IN_RANGE(g.sound.VOICE_FADE_VOLOME, 0, 20);
  EXPECT_IN_RANGE(g.sound.VOICE_FADE_TIMER, 0, 20);
  EXPECT_IN_RANGE(g.sound.VOICE_FADE_WAIT, 0, 30);
  EXPECT_IN_RANGE(g.mouseVideo.AUTO_CLEAR, 0, 5);
  EXPECT_IN_RANGE(g.mouseVideo.FRAME_CTRL, 0, 2);
  EXPECT_IN_RANGE(g.message.TEXT_GANG, 0, 2);
  EXPECT_IN_RANGE(g.message.TEXT_WAIT, 0, 10);
  EXPECT_IN_RANGE(g.message.VOICE_CUT_MODE, 0, 2);
  EXPECT_IN_RANGE(g.message.EFFECT_TYPE, 0, 2);
  EXPECT_IN_RANGE(g.message.EFFECT_TIMER, 0, 5);
  EXPECT_IN_RANGE(g.message.AUTO_MODE_1, 0, 30);
  EXPECT_IN_RANGE(g.message.AUTO_MODE_2, 0, 40);
  EXPECT_IN_RANGE(g.message.AUTO_MODE_3, 0, 12);
  EXPECT_LE(std::string(g.message.FONT).size(), 127u);
  for (const auto& slots : g.keys.current)
    for (std::uint16_t code : slots) EXPECT_LE(code, kHighestInputCode);
  for (const auto& slots : g.keys.defaults)
    for (std::uint16_t code : slots) EXPECT_LE(code, kHighestInputCode);
}

struct HostileFile {
  const char* name;
  std::string settings;
  std::string keys;
};

class HostileFiles : public testing::TestWithParam<HostileFile> {};

TEST_P(HostileFiles, LoadKeepsEveryFieldInRangeAndSaveKeepsTheUnknownSection) {
  TempDirectory directory;
  const HostileFile& hostile = GetParam();
  WriteFileBytes(directory / "vesk.cfg", kKeptSection + hostile.settings);
  WriteFileBytes(directory / "key.cfg", kKeptSection + hostile.keys);

  SettingsGroups groups;
  groups.Load(directory);
  ExpectEveryFieldInRange(groups);
  groups.Save(directory);

  for (const char* file : {"vesk.cfg", "key.cfg"}) {
    EXPECT_EQ(ProfileText(directory / file, "KEEP_ME", "VALUE"), "42") << file;
  }
  SettingsGroups reloaded;
  reloaded.Load(directory);
  ExpectEveryFieldInRange(reloaded);
  EXPECT_EQ(reloaded.sound.MASTER_VOLUME, groups.sound.MASTER_VOLUME);
  EXPECT_STREQ(reloaded.message.FONT, groups.message.FONT);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsStore, HostileFiles,
    testing::Values(
        HostileFile{"NoKeysAtAll", "", ""},
        HostileFile{"BinaryNoise", Noise(65536, 1), Noise(65536, 2)},
        HostileFile{"NoiseAfterEveryKey", EveryKeyHolding(Noise(40, 3)), EveryKeyBindingHolding(Noise(40, 4))},
        HostileFile{"NegativeNumbers", EveryKeyHolding("-2147483648"), EveryKeyBindingHolding("-1")},
        HostileFile{"LargestNumbers", EveryKeyHolding("2147483647"), EveryKeyBindingHolding("65659")},
        HostileFile{"NumbersBeyond32Bits", EveryKeyHolding("99999999999999999999"),
                    EveryKeyBindingHolding("4294967419")},
        HostileFile{"HexadecimalAndTrailingText", EveryKeyHolding("0x7fffffff"), EveryKeyBindingHolding(" 12abc")},
        HostileFile{"EmptyValues", EveryKeyHolding(""), EveryKeyBindingHolding("")},
        HostileFile{"OverlongValues", EveryKeyHolding(std::string(10000, '9')),
                    EveryKeyBindingHolding(std::string(10000, '7'))},
        HostileFile{"OverlongLinesWithoutEnd", "[MESSAGE_INFO]\r\nFONT=" + std::string(100000, '\x82'),
                    "[KEY_FUNCTION_01\r\n" + std::string(100000, '[')},
        HostileFile{"DuplicateKeysAndSections", EveryKeyHolding("7") + EveryKeyHolding("-7"),
                    EveryKeyBindingHolding("500") + EveryKeyBindingHolding("3")},
        HostileFile{"NulBytesAndBareCarriageReturns", EveryKeyHolding(std::string("1\0" "99", 4)) + "\r\r\r[X",
                    EveryKeyBindingHolding(std::string("\0\0", 2)) + "\n\n=\n=="}),
    [](const testing::TestParamInfo<HostileFile>& info) { return std::string(info.param.name); });

}  // namespace
