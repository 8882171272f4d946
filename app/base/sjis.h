#pragma once
// Shift-JIS (code page 932) character tests. A pair is a lead byte 0x81-0x9F or
// 0xE0-0xFC followed by a trail byte 0x40-0x7E or 0x80-0xFC.
#include <cstddef>

inline bool IsSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsSjisTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// 1 when the byte at p and the next form a Shift-JIS pair.
int IsDBCSPair(const char* p);
// Display characters: a pair counts 1, a line feed 0, any other byte 1.
int CountDisplayChars(const char* text);
// The length of the longest prefix of text[0..len) that does not split a pair.
size_t SjisCutLength(const char* text, size_t len, size_t limit);
