#include "gfx/blend_table.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "app/base/log.h"
#include "gfx/display_context.h"

BYTE BlendTable[kBlendTableSize];

bool DDLoadBlendTable(BYTE* table, const char* fileName)
{
    if (Display.lpDTCon) return true;
    if (!table || !fileName) return false;
    FILE* file = std::fopen(fileName, "rb");
    if (!file) return false;
    // Read apart first: a damaged file must not leave half a table behind.
    std::vector<BYTE> read(kBlendTableSize);
    const size_t count = std::fread(read.data(), 1, read.size(), file);
    std::fclose(file);
    if (count != read.size()) {
        ReportLog("ブレンドテーブルが壊れています：%s (%u / %d バイト)", fileName,
                  static_cast<unsigned>(count), kBlendTableSize);
        return false;
    }
    std::memcpy(table, read.data(), read.size());
    return true;
}
