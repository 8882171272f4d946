#pragma once
// The run-time state of one flow of a character. For now it holds only what
// the characters read of it; the flow interpreter completes it.
#include <vector>

class cKeyCondData;

class cRunningFlow {
public:
    std::vector<cKeyCondData*> m_KeySteps;   // the steps of its key-input condition
};
