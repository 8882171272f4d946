#pragma once
// The run-time state of one flow of a character. For now it holds only what
// the flow-control command reads and writes; the flow interpreter completes
// it.
#include <vector>

#include "stage/running_command.h"

class cChara;
class cFlowData;

class cRunningFlow {
public:
    int m_nIndex = 0;                 // position in the character's flow list
    int m_nSerial = 0;                // the key of the overlay animations it starts
    cFlowData* m_lpFlowData = nullptr;   // its definition
    std::vector<cRunningCommand> m_Commands;
    int m_bRunning = 0;
    int m_bPaused = 0;
    int m_bStopped = 0;               // stopped for good
    int m_bDeleteRequest = 0;         // to be removed at the end of its character's frame
    int m_nCurrent = 0;
    int m_nInputDirection = 0;        // the direction (0..9) held when the flow fired
    int m_bBreak = 0;                 // ends the current pass of this flow at once

    void Start();
    void End(cChara* chara);
    void Pause();
    void Resume();
    void Stop(cChara* chara);
};
