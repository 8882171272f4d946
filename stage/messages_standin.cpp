// Stand-ins for what the game and display commands need of code that others
// are building: each does the least that keeps play going.
#include "stage/messages_links.h"

#include "stage/play_links.h"
#include "stage/running_flow.h"
#include "stage/stage_containers.h"
#include "stage/stage_scene.h"

void SetCharaBasicAnimSet(cChara* chara, int set, int force) { chara->SetBasicAnimSet(set, force); }

int ResolveCharaDirection(cChara* chara, int choice) { return chara->ResolveDirection(choice); }

void SetCharaBlockX(cChara* chara, int column)
{
    chara->SetBlockX(column);
    chara->ClampX();
}

void SetCharaBlockY(cChara* chara, int row)
{
    chara->SetBlockY(row);
    chara->ClampY();
}

int ClampChara(cChara* chara, int axis) { return axis ? chara->ClampY() : chara->ClampX(); }

void HoldCharaScreenPosition(cChara*) {}

void StartCharaOverlay(cChara*, int, int) {}

int CurrentFlowSerial()
{
    return lpStageScene && lpStageScene->m_lpCurFlow ? lpStageScene->m_lpCurFlow->m_nSerial : 0;
}

int RunPlayerItemCommands(cPlayer*, const std::vector<cCommandData>&) { return 0; }

bool IsCharaBlocked(cChara*) { return false; }

void SetScreenTint(cScreenTint&, const cCommandData&) {}
