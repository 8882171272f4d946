// Stand-ins for the status operations until their code exists: each does nothing.
#include "stage/flow_commands.h"

int CmdStatusOp(cChara*, const cCommandData*) { return 0; }
int CmdStatusOp2(cChara*, const cCommandData*) { return 0; }
