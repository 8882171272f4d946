#pragma once
// The character a person controls. For now only the character; the player
// code completes it.
#include <vector>

#include "records/command_data.h"
#include "stage/chara.h"

class cPlayer : public cChara {
public:
    // -- items --
    // "フローの変更" item commands queued while this player's own flows ran.
    std::vector<cCommandData> m_PendingFlowCmds;
};
