// The shot, sword and summon commands, which act once on their first pass
// and then hold the flow for their length, and the flow-control command,
// which acts on every pass it runs.
#include "app/base/checked.h"
#include "app/base/log.h"
#include "app/base/sound_request.h"
#include "files/database.h"
#include "records/command_data.h"
#include "records/flow_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/script/running_command.h"
#include "stage/script/running_flow.h"
#include "stage/objects/shot.h"
#include "stage/script/shot_fire.h"
#include "stage/scene/stage_scene.h"

namespace {

// Counts the pass; true on the first, after the command's sound.
bool FirstPass(cChara* chara, cRunningCommand* command)
{
    if (command->m_nPass++ != 0) return false;
    const cCommandData* def = command->m_lpCommandData;
    if (def && (!def->m_bSoundOnScreen || chara->m_bOnScreen)) PlayUserSE(def->m_sSound);
    return true;
}

const cEdShot* ShotRecord(cRunningCommand* command)
{
    const cCommandData* def = command->m_lpCommandData;
    return def ? def->m_pShot.get() : nullptr;
}

int Param(const cCommandData* def, int i)
{
    return (def && i < static_cast<int>(def->m_Params.size())) ? def->m_Params[i] : 0;
}

enum { FLOWOP_START, FLOWOP_END, FLOWOP_PAUSE, FLOWOP_RESUME, FLOWOP_DELETE, FLOWOP_STOP };
enum { FLOWTARGET_THIS, FLOWTARGET_OTHERS, FLOWTARGET_BY_ID };

bool IsTarget(const cRunningFlow& flow, const cRunningFlow* current, int target, int id)
{
    switch (target) {
    case FLOWTARGET_THIS: return &flow == current;
    case FLOWTARGET_OTHERS: return &flow != current;
    case FLOWTARGET_BY_ID: {
        int flowId = flow.m_lpFlowData ? flow.m_lpFlowData->m_cFlowId : 0;
        return flowId != 0 && flowId == id;
    }
    default: return false;
    }
}

void ApplyFlowOp(cStageWorld& world, cChara* chara, cRunningFlow& flow, int op)
{
    switch (op) {
    case FLOWOP_START:
        flow.End(chara);
        chara->RemoveOverlaysByKey(flow.m_nSerial);
        flow.Start(world);
        flow.m_bBreak = 1;
        break;
    case FLOWOP_END:
        flow.End(chara);
        chara->RemoveOverlaysByKey(flow.m_nSerial);
        flow.m_bBreak = 1;
        break;
    case FLOWOP_PAUSE:
        flow.Pause();
        chara->StopOverlaysByKey(flow.m_nSerial);
        flow.m_bBreak = 1;
        break;
    case FLOWOP_RESUME:
        flow.Resume();
        chara->ResumeOverlaysByKey(flow.m_nSerial);
        break;
    case FLOWOP_DELETE:
        chara->m_bFlowDeleted = 1;
        flow.m_bDeleteRequest = 1;
        flow.m_bBreak = 1;
        break;
    case FLOWOP_STOP:
        flow.Stop(chara);
        chara->RemoveOverlaysByKey(flow.m_nSerial);
        flow.m_bBreak = 1;
        break;
    default: break;
    }
}

} // namespace

void CmdShot(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    if (!FirstPass(chara, command)) return;
    const cEdShot* record = ShotRecord(command);
    if (record) FireShot(&world.m_ShotList, chara, command, *record);
}

void CmdSummonBlock(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    if (!FirstPass(chara, command)) return;
    if (const cEdShot* record = ShotRecord(command)) SummonBlock(chara, command, *record);
}

void CmdSummonChara(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    if (!FirstPass(chara, command)) return;
    if (const cEdShot* record = ShotRecord(command)) SummonChara(chara, command, *record);
}

void CmdSummonItem(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    if (!FirstPass(chara, command)) return;
    if (const cEdShot* record = ShotRecord(command)) SummonItem(chara, command, *record);
}

void CmdSword(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    if (!FirstPass(chara, command)) return;
    const cEdShot* record = ShotRecord(command);
    if (!record) return;
    const cSwordTypeData* sword = ShotSwordType(record->m_cMotion);
    if (!sword) return;
    SHOTPLACE place;
    place.m_nWidth = sword->m_Parts[0].m_nWidth;
    place.m_nHeight = sword->m_Parts[0].m_nHeight;
    place.m_cSize = record->m_cSize;
    cShot* shot = AddShot(world.m_ShotList, FLOWCMD_SWORD, chara, *record, place);
    // A sword aims at nobody.
    if (shot) shot->m_lpTarget = nullptr;
}

void CmdFlowControl(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    const cCommandData* def = command->m_lpCommandData;
    int op = Param(def, 0), target = Param(def, 1), id = Param(def, 2);
    const cRunningFlow* current = world.m_lpCurFlow;
    for (cRunningFlow& flow : chara->m_Flows)
        if (IsTarget(flow, current, target, id)) ApplyFlowOp(world, chara, flow, op);
}
