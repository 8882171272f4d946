#pragma once
// The executors of the 37 command kinds of a flow and their set-up functions,
// dispatched by kind through FlowCmdExecTable and FlowCmdInitTable.
#include "records/command_labels.h"

class cChara;
class cCommandData;
class cRunningCommand;

// Kinds 0..16 run with the character and its running command.
using FlowCmdExec = void (*)(cChara* chara, cRunningCommand* command);
// Set-up of a command when its character's flow list is built.
using FlowCmdInit = void (*)(cRunningCommand* command, cChara* chara, int facing);

extern const FlowCmdExec FlowCmdExecTable[FLOWCMD_COUNT];
extern const FlowCmdInit FlowCmdInitTable[FLOWCMD_COUNT];

// The shared empty function (kinds 0 and 1: only the wait's length counts).
void EmptyHandler(cChara* chara, cRunningCommand* command);

// Movement commands (kinds 2..10).
void CmdLinearMove(cChara* chara, cRunningCommand* command);
void CmdGroundTurnMove(cChara* chara, cRunningCommand* command);
void CmdCircleMove(cChara* chara, cRunningCommand* command);
void CmdChargeMove(cChara* chara, cRunningCommand* command);
void CmdHomingMove(cChara* chara, cRunningCommand* command);
void CmdAvoidOffscreenMove(cChara* chara, cRunningCommand* command);
void CmdCancelMove(cChara* chara, cRunningCommand* command);
void CmdTurn(cChara* chara, cRunningCommand* command);
void CmdJump(cChara* chara, cRunningCommand* command);
void InitLinearMove(cRunningCommand* command, cChara* chara, int facing);
void InitMoveTiming(cRunningCommand* command, cChara* chara, int facing);
void InitCircleMove(cRunningCommand* command, cChara* chara, int facing);
void InitChargeMove(cRunningCommand* command, cChara* chara, int facing);
void InitHomingMove(cRunningCommand* command, cChara* chara, int facing);
void InitJump(cRunningCommand* command, cChara* chara, int facing);

// Shot, sword, summon and flow-control commands (kinds 11..16).
void CmdShot(cChara* chara, cRunningCommand* command);
void CmdSword(cChara* chara, cRunningCommand* command);
void CmdSummonBlock(cChara* chara, cRunningCommand* command);
void CmdSummonChara(cChara* chara, cRunningCommand* command);
void CmdSummonItem(cChara* chara, cRunningCommand* command);
void CmdFlowControl(cChara* chara, cRunningCommand* command);

// Kinds 17..36 take the command definition, so that an item's command list
// can run them on the player too; the table reaches them through one-line
// adapters. Each returns 0, but the stage clear, which returns 1 for the
// stage request. The message command also gets the flow's (or the item
// list's) after-key-message flag.
int CmdStageClear(cChara* chara, const cCommandData* def);
int CmdGameWait(cChara* chara, const cCommandData* def);
int CmdMessage(cChara* chara, const cCommandData* def, int afterKeyMessage);
int CmdWarp(cChara* chara, const cCommandData* def);
int CmdSetTarget(cChara* chara, const cCommandData* def);
int CmdStatusOp(cChara* chara, const cCommandData* def);
int CmdStatusOp2(cChara* chara, const cCommandData* def);
int CmdGetItem(cChara* chara, const cCommandData* def);
int CmdChangeGraphic(cChara* chara, const cCommandData* def);
int CmdChangeAnimSet(cChara* chara, const cCommandData* def);
int CmdPlayAnim(cChara* chara, const cCommandData* def);
int CmdPlayEffect(cChara* chara, const cCommandData* def);
int CmdCharaEffect(cChara* chara, const cCommandData* def);
int CmdScreenEffect(cChara* chara, const cCommandData* def);
int CmdShowPicture(cChara* chara, const cCommandData* def);
int CmdScreenColor(cChara* chara, const cCommandData* def);
int CmdChangeBg(cChara* chara, const cCommandData* def);
int CmdPlaySe(cChara* chara, const cCommandData* def);
int CmdPlayBgm(cChara* chara, const cCommandData* def);
int CmdRunCode(cChara* chara, const cCommandData* def);
