// Stand-ins for what the shot code calls of parts that other code will
// build: the overlay animations of characters.
#include "stage/chara.h"

void cChara::RemoveOverlaysByKey(int) {}
void cChara::StopOverlaysByKey(int) {}
void cChara::ResumeOverlaysByKey(int) {}
