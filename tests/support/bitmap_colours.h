#pragma once
// The colours of a picture file, read by the system's own loader rather than
// the game's: an oracle for what a drawn screen may hold.
#include <windows.h>

#include <set>
#include <string>

// The colours the picture file holds, 0xRRGGBB as a 32-bit DIB holds them
// (the form of the tests' screen and back-buffer reads), all of it or the
// pixels inside the cell; empty when the file cannot be read.
std::set<COLORREF> BitmapColours(const std::string& path, const RECT* cell = nullptr);
