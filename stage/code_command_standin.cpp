// Stand-ins for the code command until their code exists: each does nothing.
#include "stage/flow_commands.h"

int CmdRunCode(cChara*, const cCommandData*) { return 0; }
