// Stand-ins for what the characters call of code that does not exist yet:
// the flow interpreter, the effects and the item commands. Each does
// nothing, so a character behaves as one without flows, effects or items.
#include "stage/chara.h"
#include "stage/effect.h"
#include "stage/item_commands.h"
#include "stage/stage_scene.h"

void cChara::FireTrigger(int) {}
int cChara::CheckKeyStep(const cInput*, const cKeyCondData&) { return 0; }
int cChara::InsertFlows(std::vector<cFlowData>&, int, int, int) { return 0; }
void cChara::SetBasicAnimSet(int, int) {}
void cChara::RunFlowAnimations() {}
int cChara::StepFlows(int) { return 0; }
void cChara::TidyFlows() {}

void cEffect::SetFromHit(int16_t, const HITRECT&, const HITRECT&, int8_t) {}
void cEffectRun::StartChara(int16_t, int, int) {}

int cStageScene::ApplyItem(cItem*, cChara*) { return 0; }

namespace {
int NoItemCommand(cChara*, const cCommandData*) { return 0; }
} // namespace

const ItemCmdExec ItemCmdExecTable[ITEMCMD_COUNT] = {
    NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand,
    NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand,
    NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand,
    NoItemCommand, NoItemCommand, NoItemCommand, NoItemCommand};

int ChangeFlowCommand(cChara*, const cCommandData*, int) { return 0; }
