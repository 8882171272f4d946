// Stand-ins for what the shot code calls of parts that other code will
// build: the running flows, the overlay animations of characters, the
// summoned characters, items and blocks, and the search of a character by
// its creator reference.
#include "stage/chara.h"
#include "stage/chara_search.h"
#include "stage/running_flow.h"
#include "stage/stage_containers.h"
#include "stage/stage_scene.h"

void cRunningFlow::Start()
{
    m_bRunning = 1;
    m_nCurrent = 0;
    for (cRunningCommand& command : m_Commands) command.m_nPass = 0;
}

void cRunningFlow::End(cChara*) { m_bRunning = 0; }
void cRunningFlow::Pause() { m_bPaused = 1; }
void cRunningFlow::Resume() { m_bPaused = 0; }

void cRunningFlow::Stop(cChara*)
{
    m_bRunning = 0;
    m_bStopped = 1;
}

void cChara::RemoveOverlaysByKey(int) {}
void cChara::StopOverlaysByKey(int) {}
void cChara::ResumeOverlaysByKey(int) {}

void cStageScene::SpawnCharacter(std::list<cNpc>&, double, double, int, int, int, const cEdShot&,
                                 const cCharaData&, int&)
{
}

void cStageScene::SpawnItem(std::list<cItem>&, double, double, int, const cEdShot&, const cItemData&, int&) {}

int cStageScene::PlaceBlock(double, double, const cEdShot&, const cBlockData&) { return 0; }

cChara* FindCharaByRef(int ref)
{
    for (cPlayer& player : Player)
        if (player.m_nRef == ref) return &player;
    for (cNpc& chara : CharaList)
        if (chara.m_nRef == ref) return &chara;
    return nullptr;
}
