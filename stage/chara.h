#pragma once
// A character of the running stage. For now it holds only what the
// character searches of stage objects read: its definition copy and whether
// it has died. The character code completes it.
#include <cstdint>
#include <vector>

#include "records/chara_data.h"
#include "stage/stage_object.h"

class cConditionData;
class cEdMove;
class cRunningCommand;

class cChara : public cStageObject {
public:
    cCharaData m_Def;
    int32_t m_bDead = 0;

    // -- conditions --
    // What the conditions, status operations and movement commands use of a
    // character, until the character code brings its full layout.
    cChara* m_lpTarget = nullptr;
    int32_t m_nHp = 0;
    int32_t m_nSp = 0;
    std::vector<int32_t> m_Vars = std::vector<int32_t>(9, 0);   // v1..v8 are entries 1..8
    int32_t m_bVanish = 0;
    int32_t m_nSightDots = 0;
    double m_dHomeX = 0, m_dHomeY = 0;
    int32_t m_bMovedByCommand = 0;
    double m_dKnockX = 0, m_dKnockY = 0;
    int32_t m_bKnockback = 0;
    int32_t m_bMoveCancelled = 0;
    int32_t m_bInAir = 0;
    int32_t m_bJumping = 0;
    int32_t m_bStoppedByChara = 0;
    int32_t m_bRiding = 0;
    int32_t m_nLastHitSide = 0;        // side of the last block contact: 0 left, 1 right
    int32_t m_bHoldScreenX = 0;        // the drawn screen position is held (warp to the screen)
    int32_t m_bHoldScreenY = 0;
    // 1 when HP reached 0. force: also on an invincible character.
    int ChangeHp(int delta, int force, int animate);
    void ChangeSp(int delta, int animate);
    // Starts or controls a jump for a running jump command.
    virtual int Jump(cRunningCommand* command) { return 0; }
    double JumpSpeedForHeight(double h) const;
    double JumpSpeedForHalfBlocks(int8_t n) const;
    static int JumpApexFrames(double v);

    // Condition kinds 5 to 7 for this character.
    int CheckStatusCondition2(const cConditionData& cond);
    int CheckStatusCondition3(const cConditionData& cond);
    int CheckDistanceCondition(const cConditionData& cond);

    // -- movement --
    // The direction code (2..11, 0 none) a direction choice names for this character.
    int ResolveDirection(int choice) const;
    void DirectionStep(double& stepX, double& stepY, int& facingCode, double speed, int choice) const;
    void AngleStep(double& stepX, double& stepY, int& facingCode, double speed, int choice, int angle) const;
    void TargetStep(double& stepX, double& stepY, int& facingCode, double speed, int targetX, int targetY,
                    const cEdMove& move, int& counter) const;
    int ApplyMoveStep(double stepX, double stepY, int facingCode, cRunningCommand& command,
                      const cEdMove* move, int force);
};
