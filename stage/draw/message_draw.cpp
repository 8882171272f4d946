// The messages' surfaces and drawing through the graphics library, with the
// message font (the second of the game's fonts).
#include <windows.h>

#include <iterator>

#include "app/base/main_window_handle.h"
#include "gfx/blit.h"
#include "gfx/fill.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "stage/objects/display_memory.h"
#include "stage/objects/message.h"

namespace {

Font& MessageFont() { return SurfaceTables.Fonts[1]; }

int PitchExtent(const std::string& text, int* width, int* height)
{
    if (!MessageFont().m_nPitchX) return 0;
    SIZE size = MessageFont().GetPitchTextExtent(text.c_str());
    *width = size.cx;
    *height = size.cy;
    return 1;
}

// A line measured with the font's GDI font on the main window's context.
int LineWidth(const std::string& line)
{
    if (line.empty()) return 0;
    HWND window = hMainWnd.load();
    HDC dc = GetDC(window);
    if (!dc) return 0;
    HGDIOBJ old = SelectObject(dc, MessageFont().m_hFont);
    SIZE size = {};
    GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

int LineHeight() { return MessageFont().m_nPitchY; }

DDSURFACEDATA* CreateSurface(int width, int height)
{
    // The list keeps the record even when the surface cannot be made; a
    // message that cannot be shown ends the program in order.
    if (!DDAddSurfaceToList(SurfaceTables.Off_Msg, SurfaceTables.Off_MsgParam, width, height, 1, StageSurfaceInSystemMemory(0), 0, 0))
        PostMessageA(hMainWnd.load(), WM_CLOSE, 0, 0);
    return &SurfaceTables.Off_Msg.back();
}

void ReleaseSurface(DDSURFACEDATA* surface) { DDRemoveSurfaceFromList(SurfaceTables.Off_Msg, SurfaceTables.Off_MsgParam, surface); }

void Render(const cMessage& m)
{
    if (m.m_bWindow) {
        MessageFont().DrawTextWindow(m.m_lpSurface, 1, 1, 0, 0, m.m_strText.c_str(), 0);
        return;
    }
    DDFillPal(m.m_lpSurface, 0);
    MessageFont().DrawText(m.m_lpSurface, 1, 1, m.m_strText.c_str(), 0);
}

} // namespace

void UseMessageGraphics()
{
    MessageGfx = {PitchExtent, LineWidth, LineHeight, CreateSurface, ReleaseSurface, Render};
}

int cMessage::Update(const cStageWorld& world, DDSURFACEDATA* target, int frozen)
{
    if (Step(world, frozen)) return 1;
    int x = 0, y = 0;
    if (!Place(world, &x, &y)) {
        ReleaseSurface();
        return 1;
    }
    Paint(target, x, y);
    return 0;
}

void cMessage::Paint(DDSURFACEDATA* target, int x, int y)
{
    switch (m_nMode) {
    case MSGMODE_TEXT:
        if (m_lpSurface && m_lpSurface->bLost) {
            Render();
            m_lpSurface->bLost = 0;
        }
        if (m_strText.empty() || !m_lpSurface) break;
        if (m_bGrowIn && (m_dGrow += 1) < 10) {
            if (!m_bWindow) break;
            double k = m_dGrow * 0.1;
            MessageFont().DrawWindow(target, static_cast<int>(x + m_nWidth / 2 - k * m_nWidth / 2),
                                     static_cast<int>(y + m_nHeight / 2 - k * m_nHeight / 2),
                                     static_cast<int>(k * m_nWidth), static_cast<int>(k * m_nHeight));
            break;
        }
        DDBlt(target, x, y, m_nWidth, m_nHeight, m_lpSurface, 0, 0, 1);
        break;
    case MSGMODE_ICON:
        DDBlt(target, x, y - (30 - m_nFrames) / 4, 16, 16, &SurfaceTables.Surface[49], 0, 48, 1);
        break;
    default:
        break;
    }
}
