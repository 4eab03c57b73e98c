// Utf8Arguments: each word converted, then pointed at, null-terminated as argv is.
#include "system/utf8_arguments.h"

#include "system/unicode_text.h"

Utf8Arguments::Utf8Arguments(int count, wchar_t** arguments) {
  for (int i = 0; i < count; ++i) words_.push_back(FromUtf16(arguments[i]));
  for (std::string& word : words_) pointers_.push_back(&word[0]);
  pointers_.push_back(nullptr);
}
