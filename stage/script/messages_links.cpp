// What the game and display commands need of the characters, the flows and
// the items, reached through their own code.
#include "stage/script/messages_links.h"

#include "stage/physics/block_collision.h"
#include "stage/objects/play_links.h"
#include "stage/scene/play_screen.h"
#include "stage/objects/player.h"
#include "stage/script/running_flow.h"
#include "stage/scene/screen_tint.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

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

void HoldCharaScreenPosition(cChara* chara) { chara->m_bHoldScreenX = chara->m_bHoldScreenY = 1; }

int CurrentFlowSerial(const cStageWorld& world)
{
    return world.m_lpCurFlow ? world.m_lpCurFlow->m_nSerial : 0;
}

int RunPlayerItemCommands(cStageWorld& world, cPlayer* player, const std::vector<cCommandData>& commands)
{
    return player->RunItemCommands(world, commands);
}

bool IsCharaBlocked(cChara* chara) { return IsBlocked(*chara); }

void SetScreenTint(cScreenTint& tint, const cCommandData& command)
{
    int values[8];
    for (int i = 0; i < 8; ++i) values[i] = i < static_cast<int>(command.m_Params.size()) ? command.m_Params[i] : 0;
    cPlayScreenPainter* painter = ScreenPainter();
    tint.Set(values, painter ? painter->TintMode() : TINT_BLEND);
}
