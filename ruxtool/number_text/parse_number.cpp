// ParseWholeNumber and ParseDecimalNumber over strtoll and strtod, which stop at the first character
// they cannot take and report overflow through errno.
#include "number_text/parse_number.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

bool ParseWholeNumber(const char* text, long long lowest, long long highest, long long& value) {
  const char* digits = text + (text[0] == '-' ? 1 : 0);
  const int base = std::strncmp(digits, "0x", 2) == 0 || std::strncmp(digits, "0X", 2) == 0 ? 16 : 10;
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(text, &end, base);
  if (errno || end == text || *end || number < lowest || number > highest) return false;
  value = number;
  return true;
}

bool ParseDecimalNumber(const char* text, double lowest, double highest, double& value) {
  char* end = nullptr;
  errno = 0;
  const double number = std::strtod(text, &end);
  if (errno || end == text || *end || !(number >= lowest && number <= highest)) return false;
  value = number;
  return true;
}
