#include "stage/objects/play_links.h"

namespace {
cScrollAxis IdleAxisX;
cScrollAxis IdleAxisY;
}

cScrollAxis* lpScrollX = &IdleAxisX;
cScrollAxis* lpScrollY = &IdleAxisY;
int bNoScrollCarry = 0;
std::vector<cBlockData> BlockMap;

cBlockData* BlockMapCell(int column, int row)
{
    if (column < 0 || row < 0 || column >= lpScrollX->m_nPitch || row >= lpScrollY->m_nPitch) return nullptr;
    if (lpScrollX->m_nShift < 0 || lpScrollX->m_nShift > 30) return nullptr;
    long long index = column + (static_cast<long long>(row) << lpScrollX->m_nShift);
    if (index >= static_cast<long long>(BlockMap.size())) return nullptr;
    return &BlockMap[static_cast<size_t>(index)];
}
