#pragma once
// A file read whole into memory.
#include <cstdint>
#include <vector>

// The file's bytes; false when it cannot be opened, read whole or held.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes);
