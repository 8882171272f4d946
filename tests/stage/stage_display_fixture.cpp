#include "tests/stage/stage_display_fixture.h"

#include "stage/objects/stage_containers.h"

void StageDisplayTest::SetUp()
{
    m_SavedMessageGfx = MessageGfx;
    m_SavedPictureGfx = PictureGfx;
    m_lpHost = std::make_unique<cHarnessHost>();
    MessageGfx = {};
    MessageGfx.lpLineWidth = LineWidth;
    MessageGfx.lpLineHeight = LineHeight;
    PictureGfx = {};
    m_lpScene = new cStageScene();
    lpStageScene = m_lpScene;
    m_lpScene->m_StageVars.assign(256, 0);
    m_lpScene->m_CharaLayers.resize(8);
    for (cScrollAxis* a : {&m_lpScene->m_ScrollX, &m_lpScene->m_ScrollY}) {
        a->m_nMargin = 10;
        a->m_nBase = 320;
        a->m_dPos = 320;
    }
    m_lpScene->m_ScrollX.m_nViewSize = 640;
    m_lpScene->m_ScrollY.m_nViewSize = 480;
    m_lpScene->m_ScrollX.m_nDefaultUpper = m_lpScene->m_ScrollX.m_nScrollLimitX = 320 + 40 * 32;
    m_lpScene->m_ScrollY.m_nDefaultUpper = m_lpScene->m_ScrollY.m_nScrollLimitX = 320 + 30 * 32;
    m_lpSavedX = lpScrollX;
    m_lpSavedY = lpScrollY;
    lpScrollX = &m_lpScene->m_ScrollX;
    lpScrollY = &m_lpScene->m_ScrollY;
    GameProgress.Reset();
}

void StageDisplayTest::TearDown()
{
    lpScrollX = m_lpSavedX;
    lpScrollY = m_lpSavedY;
    lpStageScene = nullptr;
    delete m_lpScene;
    Player.clear();
    CharaList.clear();
    GameProgress.Reset();
    DataBase.SetDefault();
    m_lpHost.reset();
    MessageGfx = m_SavedMessageGfx;
    PictureGfx = m_SavedPictureGfx;
}
