#pragma once
// The executors of an item's command list, dispatched by kind through
// ItemCmdExecTable.
#include "records/command_labels.h"

class cChara;
class cCommandData;
class cStageWorld;

// Runs one item command on a character: 0 goes on with the list, 1 stops it.
using ItemCmdExec = int (*)(cStageWorld& world, cChara* chara, const cCommandData* command);

extern const ItemCmdExec ItemCmdExecTable[ITEMCMD_COUNT];

// "フローの変更": inserts or replaces flows of the character; forced also
// while the character's own flows run.
int ChangeFlowCommand(cStageWorld& world, cChara* chara, const cCommandData* command, int forced);
