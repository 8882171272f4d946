// The player's hit-box display.
#include "app/base/checked.h"
#include "files/system_data.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/frame.h"
#include "stage/objects/player.h"

void cPlayer::DrawBoxDisplay(DDSURFACEDATA* target)
{
    for (int i = 0; i < static_cast<int>(m_BoxDisplay.size()); ++i) {
        BOXDISPLAY& d = CheckedAt(m_BoxDisplay, i);
        if (d.nMode == 0) continue;
        d.nX = m_nScreenLeft + m_nDrawOffX;
        d.nY = m_nScreenTop + m_nDrawOffY;
        const HITBOX* box = d.nBox == 1 ? &m_HitBox : d.nBox == 2 ? &m_ItemBox : d.nBox == 3 ? &m_ShotBox : nullptr;
        if (box) {
            d.nX += box->nOffX;
            d.nY += box->nOffY;
        }
        // At 8 bits with the palette cycling, the palette itself moves the shades.
        int colour = Display.nBpp == 8 && SystemData.m_bPaletteCycle ? d.nColor : d.nColor + (d.nCounter >> 3);
        if (d.nMode == 1) DDFillRectPal(target, d.nX, d.nY, d.nW, d.nH, colour);
        else if (d.nMode == 2) DDDrawFrame(target, d.nX, d.nY, d.nW, d.nH, 1, colour);
        if (++d.nCounter >= 32) d.nCounter = 0;
    }
}
