#pragma once
// The overlay animations that flows start on their character: a flow's
// scheduled animation is started as an overlay keyed by the flow's serial
// number, and a flow that goes takes its overlays with it.
class cChara;
struct FLOWANIMENTRY;

// Adds and starts an overlay animation for a due schedule entry of the flow
// with this serial number.
void StartFlowOverlay(cChara& chara, const FLOWANIMENTRY& entry, int serial);
// Removes the overlay animations of the flow with this serial number.
void RemoveFlowOverlays(cChara& chara, int serial);
// Removes every overlay animation of the character.
void RemoveAllOverlays(cChara& chara);
