// Shift-JIS text helpers.
#include "shift_jis.h"

#include <windows.h>

namespace {

constexpr UINT kShiftJis = 932;

// Full-width partners of the bytes 0x20 to 0x7F, sixteen per row, two bytes each.
const char kFullWidthAscii[] =
    "　！”＃＄％＆’（）＊＋，＿．／"
    "０１２３４５６７８９：；＜＝＞？"
    "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ"
    "ＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
    "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏ"
    "ｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣　";

// Full-width partners of the half-width katakana bytes 0xA0 to 0xDF.
const char kFullWidthKatakana[] =
    "　。「」、・ヲァィゥェォャュョッ"
    "ーアイウエオカキクケコサシスセソ"
    "タチツテトナニヌネノハヒフヘホマ"
    "ミムメモヤユヨラリルレロワン゛゜";

static_assert(sizeof kFullWidthAscii == 2 * 96 + 1, "two bytes for each of 0x20..0x7F");
static_assert(sizeof kFullWidthKatakana == 2 * 64 + 1, "two bytes for each of 0xA0..0xDF");

const char* FullWidthPartner(unsigned char byte) {
  if (byte >= 0x20 && byte <= 0x7E) return kFullWidthAscii + 2 * (byte - 0x20);
  if (byte >= 0xA0 && byte <= 0xDF) return kFullWidthKatakana + 2 * (byte - 0xA0);
  return nullptr;
}

}  // namespace

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void ToFullWidth(char* destination, std::size_t capacity, const char* source) {
  if (capacity == 0) return;
  std::size_t written = 0;
  auto fits = [&](std::size_t count) { return written + count < capacity; };
  for (const char* p = source; *p != '\0';) {
    const auto byte = static_cast<unsigned char>(*p);
    const char* partner = FullWidthPartner(byte);
    if (IsLeadByte(byte) && p[1] != '\0') {
      if (!fits(2)) break;
      destination[written++] = p[0];
      destination[written++] = p[1];
      p += 2;
    } else if (partner != nullptr) {
      if (!fits(2)) break;
      destination[written++] = partner[0];
      destination[written++] = partner[1];
      ++p;
    } else {
      // Control characters, 0x7F, 0x80, 0xFD-0xFF and a lead byte without its trail byte.
      if (!fits(1)) break;
      destination[written++] = *p++;
    }
  }
  destination[written] = '\0';
}

std::wstring WideFromShiftJis(const char* text) {
  const int length = MultiByteToWideChar(kShiftJis, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kShiftJis, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

std::optional<std::string> ShiftJisFromWide(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(kShiftJis, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kShiftJis, 0, text.data(), size, &narrow[0], length, nullptr, nullptr);
  // A character the code page lacks comes out as a default or a look-alike character: only an
  // exact way back proves the text whole.
  if (WideFromShiftJis(narrow.c_str()) != text) return std::nullopt;
  return narrow;
}

std::optional<std::size_t> FindLastSeparator(const char* path) {
  std::optional<std::size_t> last;
  for (std::size_t i = 0; path[i] != '\0';) {
    const auto byte = static_cast<unsigned char>(path[i]);
    // The system's code page, in which the platform hands out paths.
    if (IsDBCSLeadByte(byte)) {
      i += path[i + 1] != '\0' ? 2 : 1;
    } else {
      if (byte == '\\') last = i;
      ++i;
    }
  }
  return last;
}
