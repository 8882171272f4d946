#pragma once
// Little-endian words appended to a byte buffer, for the picture and sound
// files the generator writes by hand.
#include <cstdint>
#include <vector>

inline void PutU16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
