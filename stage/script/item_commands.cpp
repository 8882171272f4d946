#include "stage/script/item_commands.h"

#include <vector>

#include "records/command_data.h"
#include "records/flow_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

namespace {

// The operations of "フローの変更".
enum { CHANGEFLOW_ADD = 0, CHANGEFLOW_CHANGE = 1, CHANGEFLOW_DELETE = 2 };

int Param(const cCommandData& command, size_t i) { return i < command.m_Params.size() ? command.m_Params[i] : 0; }

int ItemNothing(cStageWorld&, cChara*, const cCommandData*) { return 0; }
int ItemChangeFlow(cStageWorld& w, cChara* c, const cCommandData* d) { ChangeFlowCommand(w, c, d, 0); return 0; }
// The stage is cleared: the rest of the list does not run.
int ItemStageClear(cStageWorld& w, cChara* c, const cCommandData* d) { CmdStageClear(w, c, d); return 1; }
// A flow command's body run as an item command: the list goes on.
template <int (*Body)(cStageWorld&, cChara*, const cCommandData*)>
int Shared(cStageWorld& w, cChara* c, const cCommandData* d)
{
    Body(w, c, d);
    return 0;
}
// Every message after the first of one item waits for the one before.
int ItemMessage(cStageWorld& w, cChara* c, const cCommandData* d)
{
    CmdMessage(w, c, d, w.m_bItemAfterMessage);
    w.m_bItemAfterMessage = 1;
    return 0;
}

} // namespace

const ItemCmdExec ItemCmdExecTable[ITEMCMD_COUNT] = {
    ItemNothing,
    ItemChangeFlow,
    ItemStageClear,
    Shared<CmdGameWait>,
    ItemMessage,
    Shared<CmdWarp>,
    Shared<CmdSetTarget>,
    Shared<CmdStatusOp>,
    Shared<CmdStatusOp2>,
    Shared<CmdGetItem>,
    Shared<CmdChangeGraphic>,
    Shared<CmdChangeAnimSet>,
    Shared<CmdPlayAnim>,
    Shared<CmdPlayEffect>,
    Shared<CmdCharaEffect>,
    Shared<CmdScreenEffect>,
    Shared<CmdShowPicture>,
    Shared<CmdScreenColor>,
    Shared<CmdChangeBg>,
    Shared<CmdPlaySe>,
    Shared<CmdPlayBgm>,
    Shared<CmdRunCode>,
};

int ChangeFlowCommand(cStageWorld& world, cChara* chara, const cCommandData* command, int forced)
{
    if (!chara || !command) return 0;
    // While player 1's own flows run, changing them would pull the list from
    // under the loop: the change waits for the end of the pass.
    if (!forced && !Player.empty() && world.m_lpCurChara == &Player[P1]) {
        Player[P1].m_PendingFlowCmds.push_back(*command);
        return 0;
    }
    int op = Param(*command, 0), id = Param(*command, 1);
    int facing = chara->m_Def.m_cFacing;
    std::vector<cFlowData> flows = command->m_Flows;
    switch (op) {
    case CHANGEFLOW_ADD: return chara->InsertFlows(flows, facing, 1, -1);
    case CHANGEFLOW_CHANGE: return chara->InsertFlows(flows, facing, 1, chara->RemoveFlowsById(id));
    case CHANGEFLOW_DELETE: return chara->RemoveFlowsById(id);
    default: return op - 2;
    }
}
