// Stand-ins for the shot, sword, summon and flow-control commands until their code exists: each does nothing.
#include "stage/flow_commands.h"

void CmdShot(cChara*, cRunningCommand*) {}
void CmdSword(cChara*, cRunningCommand*) {}
void CmdSummonBlock(cChara*, cRunningCommand*) {}
void CmdSummonChara(cChara*, cRunningCommand*) {}
void CmdSummonItem(cChara*, cRunningCommand*) {}
void CmdFlowControl(cChara*, cRunningCommand*) {}
