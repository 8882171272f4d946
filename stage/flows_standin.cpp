// Stand-ins for what the flow interpreter needs of code not yet written:
// the start conditions of a flow hold, and the overlay animations of a
// character are not kept.
#include "stage/flow_list.h"
#include "stage/stage_scene.h"

int cStageScene::CheckFlowConditions(cRunningFlow&, cChara*) { return 1; }

void StartFlowOverlay(cChara&, const FLOWANIMENTRY&, int) {}
void RemoveFlowOverlays(cChara&, int) {}
void RemoveAllOverlays(cChara&) {}
