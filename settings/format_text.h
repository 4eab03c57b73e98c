// The program's own formatter for the numbers of the settings files and the pages' labels. Flags,
// widths and precisions follow the conversion letter: "%z2", "%d4", "%d+4", "%f1.2".
#pragma once

#include <cstddef>

// Writes the formatted text and a terminating NUL into output, cut to fit capacity bytes.
void FormatText(char* output, std::size_t capacity, const char* format, ...);
