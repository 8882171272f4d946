#pragma once
// printf-style formatting into standard strings. The text is never cut: the
// string grows to whatever the format produces.
#include <cstdarg>
#include <string>

// GCC checks against the C99 formats it knows on every target (gnu_printf);
// clang knows only printf.
#if defined(__clang__)
#define GAME_PRINTF(fmt_index, first_arg) __attribute__((format(printf, fmt_index, first_arg)))
#else
#define GAME_PRINTF(fmt_index, first_arg) __attribute__((format(gnu_printf, fmt_index, first_arg)))
#endif

// Formats into out (replacing what it held) and returns out's length.
int FormatString(std::string& out, const char* format, ...) GAME_PRINTF(2, 3);
// The same, returning the text.
std::string FormatText(const char* format, ...) GAME_PRINTF(1, 2);
std::string FormatTextV(const char* format, va_list args);
