#pragma once
// Puts a finished file in the place of another in one step, so that a reader
// finds either the old content or the new one, never a mix or nothing.
#include <string>

// Forces from's contents to the disk, then moves it onto to, replacing to when
// it exists; both lie in the same folder. true on success; on failure both
// files stay as they were.
bool ReplaceFileWith(const std::string& to, const std::string& from);
