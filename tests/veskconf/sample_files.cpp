// The sample files and reading them back.
#include "sample_files.h"

#include <windows.h>

#include "format_text.h"

std::string FullSettings() {
  return "[SYSTEM_INFO]\r\nJOYPAD_USE=0\r\nWINDOW_FULL_MOVE_USE=1\r\nPACK_HEADER_CHECK=0\r\nPACK_DATA_CHECK=1\r\n"
         "DLG_LOAD=1\r\nDLG_SAVE=1\r\nWAIT_TIMING=1\r\nEFFECT_USE=0\r\nACTIVE_DRAW=1\r\nIMAGE_CACHE_SIZE=4\r\n"
         "PERFORMANCE_TIMER=0\r\nONE_CPU=1\r\n"
         "[WINDOW_STATUS]\r\nWINDOW_MODE=1\r\n"
         "[GRAPHIC_CONFIG]\r\nASPECT_RATIO_USE=1\r\nSOFTWARE_VERTEX=1\r\nTEXTURE_CREATE_LEVEL=2\r\nTEXTURE_COLOR=1\r\n"
         "TEXTURE_MAX=1\r\nFRAME_RATE=2\r\nTEXTURE_MIN_FILTER=2\r\nTEXTURE_MAG_FILTER=2\r\nASPECT_RATIO_FILTER=1\r\n"
         "DITHER_FILTER=1\r\n"
         "[SOUND_INFO]\r\nSOUND_HARDWARE=1\r\nSOUND_QUALITY=1\r\nSOUND_BUFFER=2\r\nSOUND_STREAM=0\r\n"
         "SOUND_GLOBAL_FOCUS=0\r\nSOUND_3D_USE=1\r\nMUSIC_USE=0\r\nSE_USE=0\r\nVOICE_USE=0\r\nMASTER_VOLUME=128\r\n"
         "MUSIC_VOLUME=64\r\nSE_VOLUME=32\r\nVOICE_VOLUME=16\r\nVIDEO_VOLUME=0\r\nVOICE_FADE_VOLOME=40\r\n"
         "VOICE_FADE_TIMER=800\r\nVOICE_FADE_WAIT=1500\r\nVOICE_FADE_USE=0\r\n"
         "[MOUSE_INFO]\r\nAUTO_CLEAR=3\r\n[VIDEO_INFO]\r\nFRAME_CTRL=2\r\n"
         "[MESSAGE_INFO]\r\nFONT=VL Gothic\r\nTEXT_BOLD=1\r\nTEXT_GANG=2\r\nTEXT_WAIT=7\r\nVOICE_CUT_MODE=2\r\n"
         "EFFECT_TYPE=2\r\nEFFECT_TIMER=4\r\nREAD_SKIP=0\r\nAUTO_VOICE_SYNC=0\r\nAUTO_MODE_1=20\r\nAUTO_MODE_2=8\r\n"
         "AUTO_MODE_3=3\r\n"
         "[SAVE_INFO]\r\nLAST_SLOT=3\r\n";
}

std::string FullKeys() {
  std::string text;
  for (int section : {1, 51}) {
    for (int function = 0; function < 20; ++function) {
      char line[64];
      FormatText(line, sizeof line, "[KEY_FUNCTION_%z2]\r\n", section + function);
      text += line;
      for (int slot = 1; slot <= 5; ++slot) {
        // Defaults differ from the current bindings, so that a reset shows.
        FormatText(line, sizeof line, "KEY_DATA_%z2=%d\r\n", slot, (function * 5 + slot + (section == 51 ? 3 : 0)) % 124);
        text += line;
      }
    }
  }
  return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

int KeyLineCount(const std::string& file) {
  int count = 0;
  std::size_t line = 0;
  while (line < file.size()) {
    const std::size_t end = file.find('\n', line);
    const std::string text = file.substr(line, end == std::string::npos ? std::string::npos : end - line);
    if (!text.empty() && text[0] != '[' && text.find('=') != std::string::npos) ++count;
    if (end == std::string::npos) break;
    line = end + 1;
  }
  return count;
}

std::string ValueIn(const std::string& path, const char* section, const char* key) {
  char text[512];
  GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, path.c_str());
  return text;
}
