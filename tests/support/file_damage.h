#pragma once
// The damage a traded or cut-off copy leaves in a file: cut in the middle;
// the first count after the version word made huge; or the same length of
// bytes that mean nothing.
#include <cstddef>
#include <vector>

enum FileDamage { TRUNCATED, HUGE_COUNT, GARBAGE };

inline std::vector<unsigned char> Damaged(std::vector<unsigned char> bytes, FileDamage damage)
{
    switch (damage) {
    case TRUNCATED:
        bytes.resize(bytes.size() / 2);
        break;
    case HUGE_COUNT:
        if (bytes.size() >= 8) bytes[4] = bytes[5] = bytes[6] = 0xFF, bytes[7] = 0x7F;
        break;
    case GARBAGE:
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 37 + 0xA5);
        break;
    }
    return bytes;
}
