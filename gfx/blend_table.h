#pragma once
// The 8-bit mixing table: what stands in for colour arithmetic in palette
// mode. Entry a x 256 + b is the palette index of the half-and-half mix of
// palette colours a and b; the file supplies every entry.
#include <windows.h>

constexpr int kBlendTableSize = 256 * 256;

// All zero until a table is loaded. Threads: loaded by the thread that loads
// a colour set (the window thread at start-up, the game thread from the
// options) while nothing draws with it; read by the drawing thread.
extern BYTE BlendTable[kBlendTableSize];

// Reads a whole table from the file into table. Under Direct3D: true at once,
// the table untouched (there is no palette mode). Otherwise false when the
// file does not open (the caller reports it) or holds fewer than 65,536
// bytes (a report-log line); the table changes only when all of it was read.
bool DDLoadBlendTable(BYTE* table, const char* fileName);
