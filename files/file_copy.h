#pragma once
// Keeping a copy of a player's file before it is written over.
#include <string>

// Whether a file of that name can be opened for reading.
bool FileIsPresent(const std::string& path);
// Copies from to to through a temporary file beside to, which then takes
// to's place in one step. true when to holds a whole copy; on failure to is
// as it was.
bool CopyFileSafely(const std::string& from, const std::string& to);
