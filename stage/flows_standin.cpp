// Stand-ins for what the flow interpreter needs of code not yet written:
// the overlay animations of a character are not kept.
#include "stage/flow_list.h"
#include "stage/stage_scene.h"

void StartFlowOverlay(cChara&, const FLOWANIMENTRY&, int) {}
void RemoveFlowOverlays(cChara&, int) {}
void RemoveAllOverlays(cChara&) {}
