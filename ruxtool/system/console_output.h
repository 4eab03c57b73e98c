// What ruxtool prints, UTF-8 inside, as Windows programs print: to a console in UTF-16, so that every
// name shows whatever the system's code page; to a file or a pipe in the ANSI code page.
#pragma once

#ifdef __MINGW_PRINTF_FORMAT
#define PRINT_FORMAT __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)))
#else
#define PRINT_FORMAT __attribute__((format(printf, 1, 2)))
#endif

// As printf, to standard output.
void Print(const char* format, ...) PRINT_FORMAT;
// As printf, to standard error.
void PrintError(const char* format, ...) PRINT_FORMAT;

#undef PRINT_FORMAT
