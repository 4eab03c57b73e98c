// The keys of "vesk.cfg": their defaults, how a file value becomes a held value and back.
#include "settings_file.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "file_rewrite.h"
#include "key_binding_file.h"
#include "profile_file.h"
#include "profile_update.h"

namespace {

enum class ReadRule {
  Flag,            // nonzero gives 1
  Inverted,        // 0 gives 1, anything else 0; written back inverted
  Parity,          // |value| mod 2
  Clamp,           // into low..high, then divided by unit; written back times unit
  RangeOrDefault,  // a value outside low..high gives the default
  Text,
};

struct SettingsKey {
  const char* section;
  const char* key;
  std::int32_t fallback;
  ReadRule rule;
  std::int32_t low;
  std::int32_t high;
  std::int32_t unit;
  std::int32_t* field;
  char* text;
};

constexpr std::size_t kKeyCount = 55;
constexpr char kSettingsFileName[] = "vesk.cfg";
constexpr std::size_t kTextReadSize = 128;
const char kDefaultFont[] = "ＭＳ ゴシック";

SettingsKey Flag(const char* section, const char* key, std::int32_t fallback, std::int32_t& field) {
  return {section, key, fallback, ReadRule::Flag, 0, 1, 1, &field, nullptr};
}
SettingsKey Clamp(const char* section, const char* key, std::int32_t fallback, std::int32_t low,
                  std::int32_t high, std::int32_t& field, std::int32_t unit = 1) {
  return {section, key, fallback, ReadRule::Clamp, low, high, unit, &field, nullptr};
}
SettingsKey RangeOrDefault(const char* key, std::int32_t fallback, std::int32_t high, std::int32_t& field) {
  return {"GRAPHIC_CONFIG", key, fallback, ReadRule::RangeOrDefault, 0, high, 1, &field, nullptr};
}

// Every key in the order of reading.
std::array<SettingsKey, kKeyCount> KeysOf(const SettingsRecord& record) {
  SystemSettings& system = record.system;
  GraphicSettings& graphic = record.graphic;
  SoundSettings& sound = record.sound;
  MessageSettings& message = record.message;
  const char* kSystem = "SYSTEM_INFO";
  const char* kSound = "SOUND_INFO";
  const char* kMessage = "MESSAGE_INFO";
  return {{
      Flag(kSystem, "JOYPAD_USE", 1, record.keys.JOYPAD_USE),
      Flag(kSystem, "WINDOW_FULL_MOVE_USE", 0, system.WINDOW_FULL_MOVE_USE),
      Flag(kSystem, "PACK_HEADER_CHECK", 1, system.PACK_HEADER_CHECK),
      Flag(kSystem, "PACK_DATA_CHECK", 0, system.PACK_DATA_CHECK),
      Flag(kSystem, "DLG_LOAD", 0, system.DLG_LOAD),
      Flag(kSystem, "DLG_SAVE", 0, system.DLG_SAVE),
      {"WINDOW_STATUS", "WINDOW_MODE", 0, ReadRule::Inverted, 0, 1, 1, &system.WINDOW_MODE, nullptr},
      {kSystem, "WAIT_TIMING", 0, ReadRule::Parity, 0, 1, 1, &system.WAIT_TIMING, nullptr},
      Flag(kSystem, "EFFECT_USE", 1, system.EFFECT_USE),
      Flag(kSystem, "ACTIVE_DRAW", 0, system.ACTIVE_DRAW),
      Clamp(kSystem, "IMAGE_CACHE_SIZE", 3, 0, 5, system.IMAGE_CACHE_SIZE),
      Flag(kSystem, "PERFORMANCE_TIMER", 1, system.PERFORMANCE_TIMER),
      Flag(kSystem, "ONE_CPU", 0, system.ONE_CPU),
      Flag("GRAPHIC_CONFIG", "ASPECT_RATIO_USE", 0, graphic.ASPECT_RATIO_USE),
      Flag("GRAPHIC_CONFIG", "SOFTWARE_VERTEX", 0, graphic.SOFTWARE_VERTEX),
      RangeOrDefault("TEXTURE_CREATE_LEVEL", 0, 3, graphic.TEXTURE_CREATE_LEVEL),
      RangeOrDefault("TEXTURE_COLOR", 0, 1, graphic.TEXTURE_COLOR),
      RangeOrDefault("TEXTURE_MAX", 0, 1, graphic.TEXTURE_MAX),
      RangeOrDefault("FRAME_RATE", 0, 2, graphic.FRAME_RATE),
      RangeOrDefault("TEXTURE_MIN_FILTER", 1, 2, graphic.TEXTURE_MIN_FILTER),
      RangeOrDefault("TEXTURE_MAG_FILTER", 1, 2, graphic.TEXTURE_MAG_FILTER),
      RangeOrDefault("ASPECT_RATIO_FILTER", 0, 1, graphic.ASPECT_RATIO_FILTER),
      RangeOrDefault("DITHER_FILTER", 0, 1, graphic.DITHER_FILTER),
      Flag(kSound, "SOUND_HARDWARE", 0, sound.SOUND_HARDWARE),
      Clamp(kSound, "SOUND_QUALITY", 0, 0, 1, sound.SOUND_QUALITY),
      Clamp(kSound, "SOUND_BUFFER", 0, 0, 3, sound.SOUND_BUFFER),
      Flag(kSound, "SOUND_GLOBAL_FOCUS", 1, sound.SOUND_GLOBAL_FOCUS),
      Flag(kSound, "SOUND_STREAM", 1, sound.SOUND_STREAM),
      Flag(kSound, "SOUND_3D_USE", 0, sound.SOUND_3D_USE),
      Flag(kSound, "MUSIC_USE", 1, sound.MUSIC_USE),
      Flag(kSound, "SE_USE", 1, sound.SE_USE),
      Flag(kSound, "VOICE_USE", 1, sound.VOICE_USE),
      Clamp(kSound, "MASTER_VOLUME", 256, 0, 256, sound.MASTER_VOLUME, 16),
      Clamp(kSound, "MUSIC_VOLUME", 256, 0, 256, sound.MUSIC_VOLUME, 16),
      Clamp(kSound, "SE_VOLUME", 256, 0, 256, sound.SE_VOLUME, 16),
      Clamp(kSound, "VOICE_VOLUME", 256, 0, 256, sound.VOICE_VOLUME, 16),
      Clamp(kSound, "VIDEO_VOLUME", 256, 0, 256, sound.VIDEO_VOLUME, 16),
      Clamp(kSound, "VOICE_FADE_VOLOME", 100, 0, 100, sound.VOICE_FADE_VOLOME, 5),
      Clamp(kSound, "VOICE_FADE_TIMER", 500, 0, 2000, sound.VOICE_FADE_TIMER, 100),
      Clamp(kSound, "VOICE_FADE_WAIT", 1000, 0, 3000, sound.VOICE_FADE_WAIT, 100),
      Flag(kSound, "VOICE_FADE_USE", 1, sound.VOICE_FADE_USE),
      Clamp("MOUSE_INFO", "AUTO_CLEAR", 1, 0, 5, record.mouseVideo.AUTO_CLEAR),
      Clamp("VIDEO_INFO", "FRAME_CTRL", 0, 0, 2, record.mouseVideo.FRAME_CTRL),
      {kMessage, "FONT", 0, ReadRule::Text, 0, 0, 1, nullptr, message.FONT},
      Flag(kMessage, "TEXT_BOLD", 0, message.TEXT_BOLD),
      Clamp(kMessage, "TEXT_GANG", 1, 0, 2, message.TEXT_GANG),
      Clamp(kMessage, "TEXT_WAIT", 2, 0, 10, message.TEXT_WAIT),
      Clamp(kMessage, "VOICE_CUT_MODE", 0, 0, 2, message.VOICE_CUT_MODE),
      Clamp(kMessage, "EFFECT_TYPE", 1, 0, 2, message.EFFECT_TYPE),
      Clamp(kMessage, "EFFECT_TIMER", 2, 0, 5, message.EFFECT_TIMER),
      Flag(kMessage, "READ_SKIP", 1, message.READ_SKIP),
      Flag(kMessage, "AUTO_VOICE_SYNC", 1, message.AUTO_VOICE_SYNC),
      Clamp(kMessage, "AUTO_MODE_1", 10, 0, 30, message.AUTO_MODE_1),
      Clamp(kMessage, "AUTO_MODE_2", 0, 0, 40, message.AUTO_MODE_2),
      Clamp(kMessage, "AUTO_MODE_3", 0, 0, 12, message.AUTO_MODE_3),
  }};
}

// The engine's own order of writing: as read, but "SOUND_STREAM" before "SOUND_GLOBAL_FOCUS".
std::array<SettingsKey, kKeyCount> WriteOrder(std::array<SettingsKey, kKeyCount> keys) {
  auto named = [&](const char* name) {
    return std::find_if(keys.begin(), keys.end(),
                        [&](const SettingsKey& key) { return std::strcmp(key.key, name) == 0; });
  };
  std::iter_swap(named("SOUND_GLOBAL_FOCUS"), named("SOUND_STREAM"));
  return keys;
}

std::int32_t HeldValue(const SettingsKey& key, std::int32_t fileValue) {
  switch (key.rule) {
    case ReadRule::Flag:
      return fileValue != 0 ? 1 : 0;
    case ReadRule::Inverted:
      return fileValue == 0 ? 1 : 0;
    case ReadRule::Parity:
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(fileValue) & 1u);
    case ReadRule::Clamp:
      return std::clamp(fileValue, key.low, key.high) / key.unit;
    case ReadRule::RangeOrDefault:
      return fileValue >= key.low && fileValue <= key.high ? fileValue : key.fallback;
    case ReadRule::Text:
      break;
  }
  return fileValue;
}

std::int32_t FileValue(const SettingsKey& key, std::int32_t heldValue) {
  if (key.rule == ReadRule::Inverted) return heldValue == 0 ? 1 : 0;
  return heldValue * key.unit;
}

void LoadKey(const ProfileFile& file, const SettingsKey& key) {
  if (key.rule == ReadRule::Text) {
    const std::string text = file.ReadText(key.section, key.key, kDefaultFont, kTextReadSize);
    std::memset(key.text, 0, kFontFieldSize);
    std::memcpy(key.text, text.data(), text.size());
    return;
  }
  *key.field = HeldValue(key, file.ReadInteger(key.section, key.key, key.fallback));
}

void SaveKey(ProfileUpdate& file, const SettingsKey& key) {
  if (key.rule == ReadRule::Text) {
    char text[kFontFieldSize];
    std::memcpy(text, key.text, sizeof text - 1);
    text[sizeof text - 1] = '\0';
    file.WriteText(key.section, key.key, text);
    return;
  }
  file.WriteInteger(key.section, key.key, FileValue(key, *key.field));
}

}  // namespace

void LoadSettings(const char* directory, const SettingsRecord& record) {
  LoadKeyBindings(directory, record.keys);
  const ProfileFile file(std::string(directory) + kSettingsFileName);
  for (const SettingsKey& key : KeysOf(record)) LoadKey(file, key);
}

SaveResult SaveSettings(const char* directory, const SettingsRecord& record) {
  ProfileUpdate keys;
  WriteKeyBindings(record.keys, keys);
  ProfileUpdate settings;
  for (const SettingsKey& key : WriteOrder(KeysOf(record))) SaveKey(settings, key);
  FileRewrite keyFile(directory, kKeyBindingFileName, [&](const std::string& bytes) { return keys.AppliedTo(bytes); });
  FileRewrite settingsFile(directory, kSettingsFileName,
                           [&](const std::string& bytes) { return settings.AppliedTo(bytes); });
  return RewriteTogether({&keyFile, &settingsFile});
}
