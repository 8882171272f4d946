#pragma once
// A character of the running stage. For now it holds only what the
// character searches of stage objects read: its definition copy and whether
// it has died. The character code completes it.
#include <cstdint>
#include <vector>

#include "records/chara_data.h"
#include "stage/running_flow.h"
#include "stage/stage_object.h"

class cInputRuns;
class cKeyCondData;

class cChara : public cStageObject {
public:
    cCharaData m_Def;
    int32_t m_bDead = 0;

    // -- flows --
    int32_t m_nHp = 0;
    int32_t m_bVanish = 0;                     // removed at once (computer-controlled characters)
    int32_t m_nFlowSerial = 0;                 // the serial the next new flow takes
    std::vector<cRunningFlow> m_Flows;         // one per flow of m_Def, same order
    // By flag letter 1..26: an always-flow with the letter runs, one ended,
    // one started this frame.
    std::vector<uint8_t> m_LetterBusy = std::vector<uint8_t>(27, 0);
    std::vector<uint8_t> m_LetterEnded = std::vector<uint8_t>(27, 0);
    std::vector<uint8_t> m_LetterStarted = std::vector<uint8_t>(27, 0);
    int32_t m_bLetterEnded = 0;                // some flow with a letter ended this frame
    int32_t m_bFlowDeleted = 0;                // some flow asked to be removed
    int32_t m_nBasicAnimSet = -1;              // the animation set built into m_Anime

    // Tries every flow of the character that has this trigger.
    void FireTrigger(int trigger);
    // Clears the per-frame firing marks; once a frame before the sub-steps.
    void ResetFlowMarks();
    int CheckKeyInputCondition(cRunningFlow& flow);
    // The key steps against player 1's input history, last step first.
    int MatchKeySequence(const std::vector<cKeyCondData*>& steps, int window);
    // The first direction entry 0..9 whose newest run is on; 0 for none.
    static int GetFirstPressedDirection(const cInputRuns* input);
    // One key step against the present moment of the input.
    static int CheckKeyStep(const cInputRuns* input, const cKeyCondData& step);
    // Starts the flows' scheduled animations that are due.
    void RunFlowAnimations();
    // The executor of the command's kind with this character.
    void ExecCommand(cRunningCommand* command);
    // Steps every running flow once (dying: only the death flows); 1 when the
    // loop stopped early because the character vanished or its HP ran out,
    // leaving the rest for later.
    int StepFlows(int dying);
    // The end of a flow loop: clears the scene's current pointers, removes
    // the flows asked to be removed, frees the letters of ended flows.
    void TidyFlows();

    // Builds (insert 0: from the given list, which is m_Def's) or extends
    // (insert 1: copies put in at position, appended for -1 or past the end)
    // the flow lists; the count of added flows. facing 1 is right.
    int InsertFlows(std::vector<cFlowData>& list, int facing, int insert, int position);
    void RemoveFlow(int index);
    // Removes the flows with this ID (every flow for 0); the index the first
    // stood at, -1 when none (0 for ID 0).
    int RemoveFlowsById(int id);
    void AppendFlow(const cRunningFlow& flow);
    // Re-points every running flow at its definition after the lists changed.
    void RelinkFlows();
    void SetBasicAnimSet(int set, int force);
};
