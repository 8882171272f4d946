#pragma once
// The run-time state of one flow of a character: one per flow definition of
// the character, in the order of the definitions, with one running command
// per command of the flow.
//
// A flow goes idle -> running (Start) -> idle (End, or its last command
// finished). Paused is a flag on top; stopped is final. Times are passes,
// one a sub-step.
#include <cstdint>
#include <vector>

#include "stage/script/running_command.h"

class cChara;
class cFlowData;
class cKeyCondData;
class cStageWorld;

// An animation a flow starts at a given pass, so that its lead-in ends when
// its command starts.
struct FLOWANIMENTRY {
    int nStartPass = 0;
    int16_t sAnime = 0;
    int16_t sSkip = 0;                // frames of the lead-in skipped
    int16_t sFrames = 0;              // frames to play
    int16_t sCommandFrames = 0;       // the command's base time x 6
    int nFlag = 0;                    // 1: hold the key frame while the command runs
};

class cRunningFlow {
public:
    int m_nIndex = 0;                 // position in the character's flow list
    int m_nSerial = 0;                // the key of the overlay animations it starts
    cFlowData* m_lpFlowData = nullptr;   // its definition
    uint8_t m_bCondLatched = 0;       // its start conditions have held once
    std::vector<cKeyCondData*> m_KeySteps;   // the steps of its key-input condition
    int m_bKeyLatch = 0;              // the key sequence matched when last tried
    std::vector<cRunningCommand> m_Commands;
    std::vector<FLOWANIMENTRY> m_AnimSchedule;
    int m_bRunning = 0;
    int m_bPaused = 0;
    int m_bStopped = 0;               // stopped for good
    int m_bDeleteRequest = 0;         // to be removed at the end of its character's frame
    int m_nCurrent = 0;               // the first command not yet started in sequence
    int m_nFrames = 0;                // passes since the start
    int m_nInputDirection = 0;        // the direction (0..9) held when the flow fired
    int m_bFired = 0;                 // its trigger was tried this frame
    int m_bStarted = 0;               // it started this frame
    int m_bAfterKeyMessage = 0;       // a key-wait message has just finished
    int m_bBreak = 0;                 // ends the current pass of this flow at once
    int m_bRunningAtOnce = 0;         // its commands run at once before the stage starts

    // Starts the flow of the scene's current character. A flow that runs
    // before the stage starts carries out its no-wait commands of the
    // flow-control, game and display kinds at once and ends.
    void Start(cStageWorld& world);
    void End(cChara* chara);
    // One pass; 1 when the flow has finished (the caller then ends it).
    int Step(cStageWorld& world);
    void Pause() { m_bPaused = 1; }
    void Resume() { m_bPaused = 0; }
    void Stop(cChara* chara);

    // The definition's trigger, flag letter (0 none) and flow ID.
    int Trigger() const;
    int Letter() const;

private:
    bool IsKeyWaitMessage(const cRunningCommand& command) const;
    void MarkLetterEnded(cChara* chara) const;
};
