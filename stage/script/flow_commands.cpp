// The dispatch tables of the flow commands. Kinds 17 to 36 take the command
// definition (an item's command list runs them too); their table entries
// are one-line adapters from the running command.
#include "stage/script/flow_commands.h"

#include "stage/script/running_command.h"
#include "stage/script/running_flow.h"
#include "stage/scene/stage_scene.h"

void EmptyHandler(cChara*, cRunningCommand*) {}

namespace {

int AfterKeyMessage()
{
    return lpStageScene && lpStageScene->m_lpCurFlow ? lpStageScene->m_lpCurFlow->m_bAfterKeyMessage : 0;
}

void ExecStageClear(cChara* c, cRunningCommand* r)
{
    int request = CmdStageClear(c, r->m_lpCommandData);
    if (lpStageScene) lpStageScene->m_nStageRequest = request;
}
void ExecGameWait(cChara* c, cRunningCommand* r) { CmdGameWait(c, r->m_lpCommandData); }
void ExecMessage(cChara* c, cRunningCommand* r) { CmdMessage(c, r->m_lpCommandData, AfterKeyMessage()); }
void ExecWarp(cChara* c, cRunningCommand* r) { CmdWarp(c, r->m_lpCommandData); }
void ExecSetTarget(cChara* c, cRunningCommand* r) { CmdSetTarget(c, r->m_lpCommandData); }
void ExecStatusOp(cChara* c, cRunningCommand* r) { CmdStatusOp(c, r->m_lpCommandData); }
void ExecStatusOp2(cChara* c, cRunningCommand* r) { CmdStatusOp2(c, r->m_lpCommandData); }
void ExecGetItem(cChara* c, cRunningCommand* r) { CmdGetItem(c, r->m_lpCommandData); }
void ExecChangeGraphic(cChara* c, cRunningCommand* r) { CmdChangeGraphic(c, r->m_lpCommandData); }
void ExecChangeAnimSet(cChara* c, cRunningCommand* r) { CmdChangeAnimSet(c, r->m_lpCommandData); }
void ExecPlayAnim(cChara* c, cRunningCommand* r) { CmdPlayAnim(c, r->m_lpCommandData); }
void ExecPlayEffect(cChara* c, cRunningCommand* r) { CmdPlayEffect(c, r->m_lpCommandData); }
void ExecCharaEffect(cChara* c, cRunningCommand* r) { CmdCharaEffect(c, r->m_lpCommandData); }
void ExecScreenEffect(cChara* c, cRunningCommand* r) { CmdScreenEffect(c, r->m_lpCommandData); }
void ExecShowPicture(cChara* c, cRunningCommand* r) { CmdShowPicture(c, r->m_lpCommandData); }
void ExecScreenColor(cChara* c, cRunningCommand* r) { CmdScreenColor(c, r->m_lpCommandData); }
void ExecChangeBg(cChara* c, cRunningCommand* r) { CmdChangeBg(c, r->m_lpCommandData); }
void ExecPlaySe(cChara* c, cRunningCommand* r) { CmdPlaySe(c, r->m_lpCommandData); }
void ExecPlayBgm(cChara* c, cRunningCommand* r) { CmdPlayBgm(c, r->m_lpCommandData); }
void ExecRunCode(cChara* c, cRunningCommand* r) { CmdRunCode(c, r->m_lpCommandData); }

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
