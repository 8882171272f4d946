#include "scenes/plain_scene.h"

#include "gfx/display.h"
#include "gfx/fill.h"

void cPlainScene::Run()
{
    StartIfNew(m_nState);
    DDFillPal(&Display.BackBuffer, 0);
}
