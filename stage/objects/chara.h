#pragma once
// A character of the running stage: the player (cPlayer) and every other
// character (cNpc) share this base. It keeps its own copy of its definition,
// in which the status values live and which commands change at run time; HP
// and SP with their gauges; knock-back; contact and jump state; target and
// follower links; its running flows; invincibility; its character effect and
// overlay animations; and two hit boxes.
//
// Units: speeds and gravity are pixels a sub-step, timers count sub-steps.
#include <cstdint>
#include <list>
#include <vector>

#include "records/chara_data.h"
#include "stage/objects/anime_seq.h"
#include "stage/objects/effect.h"
#include "stage/objects/hit_rect.h"
#include "stage/script/running_flow.h"
#include "stage/objects/stage_object.h"

class cBlockData;
class cChara;
class cPlayScreenPainter;
class cInput;
class cInputRuns;
class cItem;
class cKeyCondData;
class cRunningCommand;
class cShot;
class cStageWorld;
struct cScrollAxis;

// The animated change of an HP or SP gauge.
struct GAUGEANIM {
    int32_t nFrames = 0;      // frames left; 120 after a change
    double dLength = 0;       // animated length in pixels (signed: the change)
    double dStep = 0;         // per frame: the change / 60
    int32_t nBar = 0;         // bar length in pixels after the change
};

// An animation played over the character's base animation.
struct OVERLAYANIM {
    cAnimeSeq Anime;
    int32_t bTimed = 0;          // started by a command's animation schedule
    int32_t nFrames = 0;         // frames to play
    int32_t nCommandFrames = 0;
    int32_t nKey = 0;            // serial of the flow that started it
    int32_t bStopped = 0;
};

// Invincibility against one attacker.
struct INVINCIBLEENTRY {
    int32_t nAttacker = 0;       // the attacker's creator reference
    int32_t nTime = 0;           // sub-steps left
};

// Gauges are this many pixels long when full.
constexpr int GAUGE_LENGTH = 50;

// The running stage's sub-steps a frame (never fewer than 1) and its gravity
// a sub-step (the stage's gravity over the sub-steps squared).
int SubStepCount();
double GravityStep();

// Shown every trigger that a character's own events fire (landing, ceiling,
// damage, death) just before its flows are tried; null when nobody watches.
// For tests.
// The auto-scroll speed of a view axis a sub-step; 0 while the axis does
// not auto-scroll or its view is at its limit.
double AutoScrollSpeed(const cScrollAxis& axis);

extern void (*lpTriggerWatch)(cChara& chara, int trigger);
class cConditionData;
class cEdMove;
#include "stage/script/running_flow.h"
#include "stage/objects/stage_object.h"


class cChara : public cStageObject {
public:
    cChara();
    // A copy lives at a new address: it follows the target of the original
    // when the original did (a player copied with itself as its target has
    // the copy as its target), and it has no followers of its own yet
    // unless copied from a character that follows itself.
    cChara(const cChara& other);
    cChara& operator=(const cChara& other);
    ~cChara() override;

    // The placement reset: links, flags, HP and SP, the definition copy and
    // the values derived from it. def may be null (the copy is kept).
    void ResetState(const cCharaData* def, double homeX, double homeY, int16_t instance);
    // Places m_HitBox (scaled and unscaled) in the 32-pixel cell of the chip.
    void SetBoxOffsets(int bottomAligned, int w, int h);

    void ShiftForRescale(int newFactor, int oldFactor) override;
    void SetCenter(int x, int y) override;
    void SetCenterX(int x) override;
    void SetCenterY(int y) override;
    // Copies every member of the character (the stage object's state and the
    // definition copy included).
    virtual void Assign(const cChara& other);
    // The item the character carries, or null.
    virtual cItem* GetItem() { return nullptr; }
    // The character's own clamps and moves; edge codes. The stage object's
    // clamps and moves by mode stay reachable beside them.
    using cStageObject::ClampX;
    using cStageObject::ClampY;
    using cStageObject::MoveX;
    using cStageObject::MoveY;
    virtual int ClampX() { return 0; }
    virtual int ClampY() { return 0; }
    virtual int MoveX() { return 0; }
    virtual int MoveY() { return 0; }
    // One pass of the character's flows; non-zero when it is to be defeated.
    // dying: only the death flows are stepped.
    virtual int RunFlows(cStageWorld& world, int dying) { return 0; }
    // Starts or controls a jump for a running jump command.
    virtual int Jump(cStageWorld& world, cRunningCommand* command) { return 0; }

    // Unit conversions of the running stage.
    static int HalfBlocksToDots(int8_t n) { return n * 16; }
    static double StopToFriction(int16_t stop);
    double JumpSpeedForHeight(double h) const;
    double JumpSpeedForHalfBlocks(int8_t n) const;
    static int JumpApexFrames(double v);
    int JumpAscentTenths(int8_t n) const;

    // Placement by cell of the stage proper.
    void SetBlockPos(int column, int row);
    void SetBlockX(int column);
    void SetBlockY(int row);

    void ClearLRUD();
    void ApplyGravity();
    bool IsOnGround() const;
    void Land();
    void HitCeiling();
    void StopVertical(int markStopped);
    void SavePosition();
    void RestorePosition();

    // 1 when HP reached 0. force: also on an invincible character.
    int ChangeHp(int delta, int force, int animate);
    void ChangeSp(int delta, int animate);
    void StartHpGauge(int delta);
    void StartSpGauge(int delta);

    // Knock-back of imp half blocks along (dirX, dirY), less the resistance.
    void Impact(int8_t imp, double dirX, double dirY);
    void ImpactFromChara(const cChara& attacker);
    void ImpactFromShot(const cShot& shot);
    void ApplyKnockbackY();
    void DecayImpactX();
    void DecayImpactY();

    // Invincibility after a hit and damage (damage.cpp).
    void StartInvincible();
    void StartInvincibleAgainst(int attacker);
    void TickInvincible();
    bool IsInvincible() const { return m_nInvincible > 0; }
    bool IsInvincibleAgainst(int attacker) const;
    // 1 when HP reached 0.
    int DamageByChara(cStageWorld& world, cChara& attacker);
    int DamageByShot(cStageWorld& world, cShot& shot);
    // 1 when the death ends the stage.
    int Die(cStageWorld& world);

    // Drops every link to and from this character: its followers and the
    // shots aiming at it lose their target, and it leaves its target's
    // followers. A character that is destroyed does this itself, so no
    // pointer to it outlives it.
    void Unlink();

    // -- built with the flow interpreter --
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
    void ExecCommand(cStageWorld& world, cRunningCommand* command);
    // Steps every running flow once (dying: only the death flows); 1 when the
    // loop stopped early because the character vanished or its HP ran out,
    // leaving the rest for later.
    int StepFlows(cStageWorld& world, int dying);
    // The end of a flow loop: clears the scene's current pointers, removes
    // the flows asked to be removed, frees the letters of ended flows.
    void TidyFlows(cStageWorld& world);

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

    cChara* m_lpTarget = nullptr;
    std::vector<cChara*> m_Followers;
    std::vector<cShot*> m_ShotsAimingAtMe;
    cCharaData m_Def;
    int32_t m_nFlowSerial = 0;
    std::vector<cRunningFlow> m_Flows;
    // By flag letter 1..26: an always-flow with the letter runs, one ended,
    // one started this frame.
    std::vector<uint8_t> m_LetterBusy = std::vector<uint8_t>(27, 0);
    std::vector<uint8_t> m_LetterEnded = std::vector<uint8_t>(27, 0);
    std::vector<uint8_t> m_LetterStarted = std::vector<uint8_t>(27, 0);
    int32_t m_nBasicAnimSet = -1;      // the animation set built into m_Anime
    int32_t m_bLetterEnded = 0, m_bFlowDeleted = 0;
    double m_dHomeX = 0, m_dHomeY = 0;
    int32_t m_bMovedByCommand = 0;
    double m_dKnockX = 0, m_dKnockY = 0;
    int32_t m_bKnockback = 0;
    double m_dPrevKnockY = 0;
    int32_t m_bMoveCancelled = 0;
    int32_t m_bInAir = 0;
    int32_t m_bJumpLocked = 0;
    int32_t m_bJumping = 0;
    int32_t m_bJumpCut = 0;
    int32_t m_bNoJump = 0;
    cBlockData* m_lpFootBlock = nullptr;
    cBlockData* m_lpLastFootBlock = nullptr;
    cBlockData* m_lpPrevFootBlock = nullptr;
    int32_t m_nSqueezeGrace = 0;
    int32_t m_bDead = 0;
    int32_t m_nDeadFrames = 0;
    int32_t LRUD[4] = {};              // contact left, right, up, down this sub-step
    int32_t m_bStoppedByChara = 0;
    int32_t m_bRiding = 0;
    double m_SavedRect[4] = {};
    int32_t m_nHp = 0;
    GAUGEANIM m_HpGauge;
    int32_t m_nSp = 0;
    GAUGEANIM m_SpGauge;
    std::vector<int32_t> m_Vars = std::vector<int32_t>(9, 0);   // v1..v8 are entries 1..8
    int32_t m_nInvincible = 0;
    std::list<INVINCIBLEENTRY> m_InvincibleList;
    std::list<OVERLAYANIM> m_Overlays;
    cEffectRun m_CharaEffect;
    int32_t m_bVanish = 0;
    int32_t m_nSightDots = 0;
    HITBOX m_HitBox;
    HITBOX m_ShotBox;
    // Kept by the block collision: sub-steps without ground (a landing
    // clears it) and the last side a block was hit on (0 left, 1 right).
    int32_t m_nNoGroundSteps = 0;
    int32_t m_nLastSideHit = 0;

    // The pass of the flows that RunFlows makes after setting the pass's
    // speeds: this character becomes the scene's current one, its status
    // change mark and the pass's movement flags are reset, due animations
    // start and every flow steps once; 1 when the loop stopped early, else
    // the scene's current objects are cleared. TidyFlows follows it.
    int StepFlowPass(cStageWorld& world, int dying);

protected:
    // Without movement the idle (or hovering) sequence plays.
    void IdleAnimation();

private:
    // Fires a trigger of the character's own events (landing, ceiling,
    // damage, death), shown to lpTriggerWatch first.
    void Trigger(int trigger);
    // Appends this character to its target's followers unless it is there.
    void Follow();
    bool IsFollowing() const;

public:
    // -- conditions --
    int32_t m_bHoldScreenX = 0;        // the drawn screen position is held (warp to the screen)
    int32_t m_bHoldScreenY = 0;

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


    // The overlay animations a flow started carry the flow's serial as key.
    void RemoveOverlaysByKey(int key);
    void StopOverlaysByKey(int key);
    void ResumeOverlaysByKey(int key);

    // -- draw --
    // The frame to draw: unless hold the base animation and the overlays
    // that are not stopped step a tick (an overlay at its end leaves).
    int CurrentFrame(int hold);
    // The character effect's frame without drawing.
    void RunCharaEffect(int hold);
    // The character in its current frame through its character effect (a
    // transparent one only advances); null painter: nothing is drawn.
    void Draw(cPlayScreenPainter* painter, int hold);
    // A dead character's death effect; non-zero when it may be removed (a
    // character of the player's side about a second after the effect).
    int DrawDead(cPlayScreenPainter* painter, int hold);
    // The HP and SP gauges while they show after a change; each drawn frame
    // moves them on.
    void DrawGauges(cPlayScreenPainter* painter);

    // -- hits --
    // The block character ridden (m_bRiding): its creator reference and its
    // rectangle (left, top, right, bottom) as last seen, from which riding
    // carries the rider along by the block character's own motion.
    int32_t m_nRideRef = 0;
    double m_RideRect[4] = {};

    // -- blocks --
    // Fires one of the character's block events (shown to lpTriggerWatch).
    void BlockTrigger(int trigger) { Trigger(trigger); }
};

enum { LRUD_LEFT = 0, LRUD_RIGHT = 1, LRUD_UP = 2, LRUD_DOWN = 3 };
