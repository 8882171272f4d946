#pragma once
// "System.ini" of the sample game: a window under Direct3D, the other keys
// at the values a new project gives them.
#include <cstdint>
#include <vector>

std::vector<uint8_t> SystemIniText();
