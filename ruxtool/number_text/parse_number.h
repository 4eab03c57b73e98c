// Numbers as ruxtool reads them from its command line and from an input's tags: the whole text, in
// range, or nothing.
#pragma once

// Decimal, or hexadecimal after "0x"; a leading zero does not make it octal.
bool ParseWholeNumber(const char* text, long long lowest, long long highest, long long& value);
bool ParseDecimalNumber(const char* text, double lowest, double highest, double& value);

// The same into a narrower type, which the range must fit (a negative value into an unsigned type
// keeps its two's complement bits).
template <typename Number>
bool ParseWholeNumber(const char* text, long long lowest, long long highest, Number& value) {
  long long number = 0;
  if (!ParseWholeNumber(text, lowest, highest, number)) return false;
  value = static_cast<Number>(number);
  return true;
}
