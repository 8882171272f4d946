#include "stage/objects/picture.h"

#include "stage/objects/message.h"
#include "stage/scene/stage_scene.h"

PICTUREGFX PictureGfx = {};

void cPicture::Set(int picture, double x, double y, int width, int height, int screenFixed,
                   int layer, int scale, int timeMode, int frames, int countWhileFrozen, int extra1,
                   int extra2)
{
    m_nPicture = static_cast<uint16_t>(picture);
    m_dX = x;
    m_dY = y;
    m_nWidth = width;
    m_nHeight = height;
    m_bScreenFixed = screenFixed;
    m_nLayer = layer;
    m_bScaled = scale != 100;
    m_nTimeMode = timeMode;
    m_nFrames = frames;
    m_bCountWhileFrozen = countWhileFrozen;
    m_nExtra1 = extra1;
    m_nExtra2 = extra2;
    m_bLatched = 0;
}

int cPicture::Step(int frozen)
{
    if (m_nTimeMode == SHOW_TIMED && (m_bCountWhileFrozen || !frozen)) return --m_nFrames < 0;
    return 0;
}

void cPicture::Place(const cStageWorld& world, int* outX, int* outY)
{
    int x = static_cast<int>(m_dX) - static_cast<int>(world.m_ScrollX.m_dPos);
    int y = static_cast<int>(m_dY) - static_cast<int>(world.m_ScrollY.m_dPos);
    if (m_bScreenFixed) {
        if (!m_bLatched) {
            m_bLatched = 1;
            m_nLatchX = x;
            m_nLatchY = y;
        }
        x = m_nLatchX;
        y = m_nLatchY;
    }
    *outX = x;
    *outY = y;
}
