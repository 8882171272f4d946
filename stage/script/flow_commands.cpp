// The dispatch tables of the flow commands. Kinds 17 to 36 take the command
// definition (an item's command list runs them too); their table entries
// are one-line adapters from the running command.
#include "stage/script/flow_commands.h"

#include "stage/script/running_command.h"
#include "stage/script/running_flow.h"
#include "stage/scene/stage_world.h"

void EmptyHandler(cStageWorld&, cChara*, cRunningCommand*) {}

namespace {

int AfterKeyMessage(const cStageWorld& world)
{
    return world.m_lpCurFlow ? world.m_lpCurFlow->m_bAfterKeyMessage : 0;
}

void ExecStageClear(cStageWorld& w, cChara* c, cRunningCommand* r)
{
    w.m_nStageRequest = CmdStageClear(w, c, r->m_lpCommandData);
}
void ExecGameWait(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdGameWait(w, c, r->m_lpCommandData); }
void ExecMessage(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdMessage(w, c, r->m_lpCommandData, AfterKeyMessage(w)); }
void ExecWarp(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdWarp(w, c, r->m_lpCommandData); }
void ExecSetTarget(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdSetTarget(w, c, r->m_lpCommandData); }
void ExecStatusOp(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdStatusOp(w, c, r->m_lpCommandData); }
void ExecStatusOp2(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdStatusOp2(w, c, r->m_lpCommandData); }
void ExecGetItem(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdGetItem(w, c, r->m_lpCommandData); }
void ExecChangeGraphic(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdChangeGraphic(w, c, r->m_lpCommandData); }
void ExecChangeAnimSet(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdChangeAnimSet(w, c, r->m_lpCommandData); }
void ExecPlayAnim(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdPlayAnim(w, c, r->m_lpCommandData); }
void ExecPlayEffect(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdPlayEffect(w, c, r->m_lpCommandData); }
void ExecCharaEffect(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdCharaEffect(w, c, r->m_lpCommandData); }
void ExecScreenEffect(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdScreenEffect(w, c, r->m_lpCommandData); }
void ExecShowPicture(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdShowPicture(w, c, r->m_lpCommandData); }
void ExecScreenColor(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdScreenColor(w, c, r->m_lpCommandData); }
void ExecChangeBg(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdChangeBg(w, c, r->m_lpCommandData); }
void ExecPlaySe(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdPlaySe(w, c, r->m_lpCommandData); }
void ExecPlayBgm(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdPlayBgm(w, c, r->m_lpCommandData); }
void ExecRunCode(cStageWorld& w, cChara* c, cRunningCommand* r) { CmdRunCode(w, c, r->m_lpCommandData); }

} // namespace

const FlowCmdExec FlowCmdExecTable[FLOWCMD_COUNT] = {
    EmptyHandler,          // FLOWCMD_NONE
    EmptyHandler,          // FLOWCMD_WAIT: only its length counts
    CmdLinearMove,
    CmdGroundTurnMove,
    CmdCircleMove,
    CmdChargeMove,
    CmdHomingMove,
    CmdAvoidOffscreenMove,
    CmdCancelMove,
    CmdTurn,
    CmdJump,
    CmdShot,
    CmdSword,
    CmdSummonBlock,
    CmdSummonChara,
    CmdSummonItem,
    CmdFlowControl,
    ExecStageClear,
    ExecGameWait,
    ExecMessage,
    ExecWarp,
    ExecSetTarget,
    ExecStatusOp,
    ExecStatusOp2,
    ExecGetItem,
    ExecChangeGraphic,
    ExecChangeAnimSet,
    ExecPlayAnim,
    ExecPlayEffect,
    ExecCharaEffect,
    ExecScreenEffect,
    ExecShowPicture,
    ExecScreenColor,
    ExecChangeBg,
    ExecPlaySe,
    ExecPlayBgm,
    ExecRunCode,
};

const FlowCmdInit FlowCmdInitTable[FLOWCMD_COUNT] = {
    nullptr,               // FLOWCMD_NONE
    nullptr,               // FLOWCMD_WAIT
    InitLinearMove,        // FLOWCMD_LINEAR_MOVE
    InitMoveTiming,        // FLOWCMD_GROUND_TURN_MOVE
    InitCircleMove,        // FLOWCMD_CIRCLE_MOVE
    InitChargeMove,        // FLOWCMD_CHARGE_MOVE
    InitHomingMove,        // FLOWCMD_HOMING_MOVE
    InitMoveTiming,        // FLOWCMD_AVOID_OFFSCREEN_MOVE
    nullptr,               // FLOWCMD_CANCEL_MOVE
    nullptr,               // FLOWCMD_TURN
    InitJump,              // FLOWCMD_JUMP
    // the rest need no set-up
};
