#pragma once
// Keeping a copy of a player's file before it is written over.
#include <functional>
#include <string>

// Whether a file of that name can be opened for reading.
bool FileIsPresent(const std::string& path);
// Copies from to to through a temporary file beside to, which then takes
// to's place in one step. true when to holds a whole copy; on failure to is
// as it was.
bool CopyFileSafely(const std::string& from, const std::string& to);
// Before a save over path: a file there that readable() cannot read is first
// copied to "<path>.bak", so that a damaged file is never lost to the save.
// false when such a file could not be kept aside (reported): the save must
// then leave the file alone.
bool KeepDamagedFileAside(const std::string& path, const std::function<bool()>& readable);
