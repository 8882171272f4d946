#pragma once
// The executors of the 37 command kinds of a flow and their set-up functions,
// dispatched by kind through FlowCmdExecTable and FlowCmdInitTable.
#include "records/command_labels.h"

class cChara;
class cCommandData;
class cRunningCommand;
class cStageWorld;

// Kinds 0..16 run with the character and its running command.
using FlowCmdExec = void (*)(cStageWorld& world, cChara* chara, cRunningCommand* command);
// Set-up of a command when its character's flow list is built.
using FlowCmdInit = void (*)(cRunningCommand* command, cChara* chara, int facing);

extern const FlowCmdExec FlowCmdExecTable[FLOWCMD_COUNT];
extern const FlowCmdInit FlowCmdInitTable[FLOWCMD_COUNT];

// The shared empty function (kinds 0 and 1: only the wait's length counts).
void EmptyHandler(cStageWorld& world, cChara* chara, cRunningCommand* command);

// Movement commands (kinds 2..10).
void CmdLinearMove(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdGroundTurnMove(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdCircleMove(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdChargeMove(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdHomingMove(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdAvoidOffscreenMove(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdCancelMove(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdTurn(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdJump(cStageWorld& world, cChara* chara, cRunningCommand* command);
void InitLinearMove(cRunningCommand* command, cChara* chara, int facing);
void InitMoveTiming(cRunningCommand* command, cChara* chara, int facing);
void InitCircleMove(cRunningCommand* command, cChara* chara, int facing);
void InitChargeMove(cRunningCommand* command, cChara* chara, int facing);
void InitHomingMove(cRunningCommand* command, cChara* chara, int facing);
void InitJump(cRunningCommand* command, cChara* chara, int facing);

// Shot, sword, summon and flow-control commands (kinds 11..16).
void CmdShot(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdSword(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdSummonBlock(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdSummonChara(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdSummonItem(cStageWorld& world, cChara* chara, cRunningCommand* command);
void CmdFlowControl(cStageWorld& world, cChara* chara, cRunningCommand* command);

// Kinds 17..36 take the command definition, so that an item's command list
// can run them on the player too; the table reaches them through one-line
// adapters. Each returns 0, but the stage clear, which returns 1 for the
// stage request. The message command also gets the flow's (or the item
// list's) after-key-message flag.
int CmdStageClear(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdGameWait(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdMessage(cStageWorld& world, cChara* chara, const cCommandData* def, int afterKeyMessage);
int CmdWarp(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdSetTarget(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdStatusOp(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdStatusOp2(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdGetItem(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdChangeGraphic(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdChangeAnimSet(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdPlayAnim(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdPlayEffect(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdCharaEffect(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdScreenEffect(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdShowPicture(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdScreenColor(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdChangeBg(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdPlaySe(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdPlayBgm(cStageWorld& world, cChara* chara, const cCommandData* def);
int CmdRunCode(cStageWorld& world, cChara* chara, const cCommandData* def);
