// Stand-ins for the movement commands until their code exists: each does nothing.
#include "stage/flow_commands.h"

void CmdLinearMove(cChara*, cRunningCommand*) {}
void CmdGroundTurnMove(cChara*, cRunningCommand*) {}
void CmdCircleMove(cChara*, cRunningCommand*) {}
void CmdChargeMove(cChara*, cRunningCommand*) {}
void CmdHomingMove(cChara*, cRunningCommand*) {}
void CmdAvoidOffscreenMove(cChara*, cRunningCommand*) {}
void CmdCancelMove(cChara*, cRunningCommand*) {}
void CmdTurn(cChara*, cRunningCommand*) {}
void CmdJump(cChara*, cRunningCommand*) {}
void InitLinearMove(cRunningCommand*, cChara*, int) {}
void InitMoveTiming(cRunningCommand*, cChara*, int) {}
void InitCircleMove(cRunningCommand*, cChara*, int) {}
void InitChargeMove(cRunningCommand*, cChara*, int) {}
void InitHomingMove(cRunningCommand*, cChara*, int) {}
void InitJump(cRunningCommand*, cChara*, int) {}
