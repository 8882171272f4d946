#include "scenes/plain_scene.h"

#include "gfx/display.h"
#include "gfx/fill.h"

void cPlainScene::Run()
{
    if (m_nState == -1) {
        InitGuarded();
        m_nState = 0;
    }
    DDFillPal(&BackBuffer, 0);
}
