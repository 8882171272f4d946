#include "app/window_data.h"

#include <windows.h>

#include <algorithm>

#include "app/main_window.h"

cWindowData WindowData;
const char WINDOW_DATA_PATH[] = "user_data\\Window.dat";

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

void cWindowData::Clamp()
{
    m_nX = std::clamp<int32_t>(m_nX, 0, GetSystemMetrics(SM_CXFULLSCREEN));
    m_nY = std::clamp<int32_t>(m_nY, 0, GetSystemMetrics(SM_CYFULLSCREEN));
    // A size from a damaged file or another machine could make the window
    // vanish or dwarf the desktop.
    m_nWidth = SizeOrDefault(m_nWidth, GetSystemMetrics(SM_CXSCREEN), MAIN_CLIENT_WIDTH);
    m_nHeight = SizeOrDefault(m_nHeight, GetSystemMetrics(SM_CYSCREEN), MAIN_CLIENT_HEIGHT);
}

void cWindowData::Set(int x, int y, int width, int height, int maximized)
{
    m_nX = x;
    m_nY = y;
    m_nWidth = width;
    m_nHeight = height;
    m_bMaximized = maximized;
}
