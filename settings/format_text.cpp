// FormatText: the conversions, their flags and fields, and the sign rules.
#include "format_text.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "shift_jis.h"

namespace {

constexpr std::size_t kScratchSize = 256;
constexpr int kMaxPrecision = 9;
const char kDigits[] = "0123456789ABCDEF";

// The write position in the caller's buffer; whatever does not fit is dropped.
class Output {
 public:
  Output(char* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {}

  void Put(char byte) {
    if (position_ + 1 < capacity_) buffer_[position_++] = byte;
  }
  void Put(const char* text) {
    while (*text != '\0') Put(*text++);
  }
  // "%r": append to the text the buffer already holds.
  void SkipExistingText() {
    while (position_ + 1 < capacity_ && buffer_[position_] != '\0') ++position_;
  }
  void Terminate() {
    if (capacity_ > 0) buffer_[position_] = '\0';
  }

 private:
  char* buffer_;
  std::size_t capacity_;
  std::size_t position_ = 0;
};

struct Conversion {
  char letter = 0;  // lower case
  bool fullWidth = false;
  char signFlag = 0;  // '+', '-' or none
  int width = 0;
  int precision = 0;
};

int ReadTwoDigits(const char*& format) {
  int value = 0;
  for (int i = 0; i < 2 && std::isdigit(static_cast<unsigned char>(*format)); ++i) {
    value = value * 10 + (*format++ - '0');
  }
  return value;
}

char ReadSignFlag(const char*& format) {
  if (*format == '+' || *format == '-') return *format++;
  return 0;
}

// Fills width characters, right-aligned, keeping the low-order digits of a value too long for it.
void WriteField(char* text, std::uint64_t value, unsigned base, int width, char padding) {
  std::uint64_t rest = value;
  for (int i = 0; i < width; ++i) {
    text[width - 1 - i] = rest > 0 ? kDigits[rest % base] : padding;
    rest /= base;
  }
  if (value == 0 && width > 0) text[width - 1] = '0';
  text[width] = '\0';
}

void WriteDigits(char* text, std::uint64_t value) {
  char reversed[24];
  int count = 0;
  do {
    reversed[count++] = kDigits[value % 10];
    value /= 10;
  } while (value > 0);
  while (count > 0) *text++ = reversed[--count];
  *text = '\0';
}

char SignCharacter(bool negative, char signFlag, bool inField) {
  if (signFlag == 0) return 0;
  if (negative) return '-';
  if (signFlag == '+') return '+';
  return inField ? ' ' : 0;
}

// In a field the sign takes the padding space left of the first character; no space, no sign.
void PlaceSign(char* text, char sign) {
  if (sign == 0) return;
  std::size_t first = 0;
  while (text[first] == ' ') ++first;
  if (first > 0) text[first - 1] = sign;
}

void Emit(Output& output, const char* text, bool fullWidth) {
  if (!fullWidth) {
    output.Put(text);
    return;
  }
  char converted[kScratchSize];
  ToFullWidth(converted, sizeof converted, text);
  output.Put(converted);
}

void FormatString(Output& output, const Conversion& conversion, const char* argument) {
  const char* source = argument != nullptr ? argument : "";
  char text[kScratchSize];
  if (conversion.fullWidth) {
    ToFullWidth(text, sizeof text, source);
  } else if (conversion.width == 0) {
    output.Put(source);
    return;
  } else {
    std::strncpy(text, source, sizeof text - 1);
    text[sizeof text - 1] = '\0';
  }
  if (conversion.width > 0) {
    const std::size_t field = static_cast<std::size_t>(conversion.width) * (conversion.fullWidth ? 2 : 1);
    const std::size_t length = std::strlen(text);
    if (length < field) std::memset(text + length, ' ', field - length);
    text[field] = '\0';
  }
  output.Put(text);
}

void FormatSigned(Output& output, const Conversion& conversion, std::int32_t argument) {
  const bool negative = argument < 0;
  const std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(argument)
                                           : static_cast<std::uint32_t>(argument);
  char text[kScratchSize];
  if (conversion.width == 0) {
    // Without a field the sign goes straight to the output, so it stays half-width under "%D".
    const char sign = SignCharacter(negative, conversion.signFlag, false);
    if (sign != 0) output.Put(sign);
    WriteDigits(text, magnitude);
  } else {
    WriteField(text, magnitude, 10, conversion.width, ' ');
    PlaceSign(text, SignCharacter(negative, conversion.signFlag, true));
  }
  Emit(output, text, conversion.fullWidth);
}

void FormatUnsigned(Output& output, const Conversion& conversion, std::uint64_t argument) {
  char text[kScratchSize];
  switch (conversion.letter) {
    case 'u':
    case 't':
      if (conversion.width == 0) {
        WriteDigits(text, argument);
      } else {
        WriteField(text, argument, 10, conversion.width, ' ');
      }
      break;
    case 'z':
      WriteField(text, argument, 10, conversion.width, '0');
      break;
    case 'x':
      WriteField(text, argument, 16, conversion.width, '0');
      break;
    default:  // 'o'
      WriteField(text, argument, 8, conversion.width, '0');
      break;
  }
  Emit(output, text, conversion.fullWidth);
}

void FormatReal(Output& output, const Conversion& conversion, double argument) {
  const bool negative = argument < 0.0;
  double magnitude = std::fabs(argument);
  // The integer part is a 32-bit number; larger magnitudes keep their low part, non-numbers read 0.
  if (!std::isfinite(magnitude)) {
    magnitude = 0.0;
  } else if (magnitude >= 4294967296.0) {
    magnitude = std::fmod(magnitude, 4294967296.0);
  }
  const auto integerPart = static_cast<std::uint32_t>(magnitude);

  char text[kScratchSize];
  WriteField(text, integerPart, 10, conversion.width, ' ');
  std::size_t length = std::strlen(text);
  text[length++] = '.';

  // Truncated, not rounded: "%f1.2" of 0.29 gives "0.28".
  const int digits = conversion.precision < kMaxPrecision ? conversion.precision : kMaxPrecision;
  std::uint64_t scale = 1;
  for (int i = 0; i < digits; ++i) scale *= 10;
  const auto fraction =
      static_cast<std::uint64_t>((magnitude - integerPart) * static_cast<double>(scale)) % scale;
  WriteField(text + length, fraction, 10, digits, '0');
  length += digits;
  for (int i = digits; i < conversion.precision; ++i) text[length++] = '0';
  text[length] = '\0';

  PlaceSign(text, SignCharacter(negative, conversion.signFlag, true));
  Emit(output, text, conversion.fullWidth);
}

// Reads what follows the letter and formats one conversion; an unknown letter gives nothing.
void FormatConversion(Output& output, Conversion& conversion, const char*& format, va_list& arguments) {
  switch (conversion.letter) {
    case '%':
      output.Put('%');
      return;
    case 'c':
      if (!conversion.fullWidth) output.Put(static_cast<char>(va_arg(arguments, int)));
      return;
    case 'r':
      if (!conversion.fullWidth) output.SkipExistingText();
      return;
    case 's':
      conversion.width = ReadTwoDigits(format);
      FormatString(output, conversion, va_arg(arguments, const char*));
      return;
    case 'd':
      conversion.signFlag = ReadSignFlag(format);
      conversion.width = ReadTwoDigits(format);
      FormatSigned(output, conversion, va_arg(arguments, std::int32_t));
      return;
    case 'u':
    case 'z':
    case 'x':
    case 'o':
    case 't': {
      ReadSignFlag(format);  // accepted, without effect
      conversion.width = ReadTwoDigits(format);
      const std::uint64_t value = conversion.letter == 't' ? va_arg(arguments, std::uint64_t)
                                                           : va_arg(arguments, std::uint32_t);
      FormatUnsigned(output, conversion, value);
      return;
    }
    case 'f':
      conversion.signFlag = ReadSignFlag(format);
      conversion.width = ReadTwoDigits(format);
      if (*format == '.') {
        ++format;
        conversion.precision = ReadTwoDigits(format);
      }
      FormatReal(output, conversion, va_arg(arguments, double));
      return;
    default:
      return;
  }
}

bool TakesLengthPrefix(char letter) { return letter != '\0' && std::strchr("dDuUxXoO", letter) != nullptr; }

}  // namespace

void FormatText(char* output, std::size_t capacity, const char* format, ...) {
  Output out(output, capacity);
  va_list arguments;
  va_start(arguments, format);
  while (*format != '\0') {
    if (*format != '%') {
      out.Put(*format++);
      continue;
    }
    ++format;
    if (*format == 'l') {
      if (format[1] == '\0') break;
      if (!TakesLengthPrefix(format[1])) {
        format += 2;
        continue;
      }
      ++format;
    }
    if (*format == '\0') break;
    const char letter = *format++;
    Conversion conversion;
    conversion.letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    conversion.fullWidth = std::isupper(static_cast<unsigned char>(letter)) != 0;
    FormatConversion(out, conversion, format, arguments);
  }
  va_end(arguments);
  out.Terminate();
}
