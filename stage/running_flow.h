#pragma once
// The run-time state of one flow of a character. For now it holds only what
// the conditions and the movement commands read; the flow interpreter
// completes it.
#include <cstdint>

class cFlowData;

class cRunningFlow {
public:
    int m_nIndex = 0;                        // position in the character's flow list
    const cFlowData* m_lpFlowData = nullptr; // its definition
    uint8_t m_bCondLatched = 0;              // its start conditions have held once
    int m_nInputDirection = 0;               // the direction held when the flow fired (0..9)
};
