#include "app/base/whole_file.h"

#include <cstdio>
#include <new>

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
    try {
        if (ok) bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    ok = ok && std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    std::fclose(f);
    return ok;
}
