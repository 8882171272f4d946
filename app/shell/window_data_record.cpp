// The placement record itself, apart from the desktop it is clamped to.
#include <algorithm>

#include "app/system/client_size.h"
#include "app/shell/window_data.h"

namespace {

constexpr int MIN_STORED_SIZE = 100;

int32_t SizeOrDefault(int32_t stored, int largest, int fallback)
{
    return stored >= MIN_STORED_SIZE && stored <= largest ? stored : fallback;
}

} // namespace

void cWindowData::RegisterFields(int)
{
    ClearFieldTables();
    RegisterInt(&m_nX);
    RegisterInt(&m_nY);
    RegisterInt(&m_nWidth);
    RegisterInt(&m_nHeight);
    RegisterInt(&m_bMaximized);
}

bool cWindowData::Load(cDataReader& in)
{
    const bool ok = cDataRecord::Load(in);
    Clamp();
    return ok;
}

void cWindowData::ClampTo(int fullWidth, int fullHeight, int screenWidth, int screenHeight)
{
    m_nX = std::clamp<int32_t>(m_nX, 0, std::max(fullWidth, 0));
    m_nY = std::clamp<int32_t>(m_nY, 0, std::max(fullHeight, 0));
    // A size from a damaged file or another machine could make the window
    // vanish or dwarf the desktop.
    m_nWidth = SizeOrDefault(m_nWidth, screenWidth, MAIN_CLIENT_WIDTH);
    m_nHeight = SizeOrDefault(m_nHeight, screenHeight, MAIN_CLIENT_HEIGHT);
}

void cWindowData::Set(int x, int y, int width, int height, int maximized)
{
    m_nX = x;
    m_nY = y;
    m_nWidth = width;
    m_nHeight = height;
    m_bMaximized = maximized;
}
