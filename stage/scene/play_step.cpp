// One frame of play: the pause key, player 1's input (recorded, or taken
// from the replay played back), the play time and the time limit, then the
// stage's sub-steps, in each of which every object acts, moves and collides
// in a fixed order. A frame that ends in the goal or the player's death
// returns at once and is not drawn.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/base/log.h"
#include "files/game_progress.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/flow_labels.h"
#include "stage/physics/block_collision.h"
#include "stage/hits/hits.h"
#include "stage/scene/replay_keys.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

namespace {

constexpr int PLAY_TIME_CAP = 599999;
constexpr int START_REPLAY = 4;

bool IsBlockChara(const cChara& chara) { return chara.m_Def.m_bFullCellBoxes != 0; }

bool Squeezed(const cChara& chara)
{
    return (chara.LRUD[LRUD_LEFT] && chara.LRUD[LRUD_RIGHT]) || (chara.LRUD[LRUD_UP] && chara.LRUD[LRUD_DOWN]);
}

} // namespace

int cStageScene::CheckPauseKey()
{
    if (!StageHost().KeyDown(STAGEKEY_PAUSE)) return 0;
    StageHost().PlaySE(4);
    m_nSavedState = m_nState;
    m_nSavedSubState = m_nSubState;
    return 1;
}

void cStageScene::UpdatePlayTime()
{
    if (m_nPlayTime >= PLAY_TIME_CAP) return;
    ++m_nPlayFrames;
    m_nPlayTime = static_cast<int>(std::min<long long>(m_nPlayFrames * 100LL / 60, PLAY_TIME_CAP));
}

int cStageScene::UpdateTimeLimit(int step)
{
    if (m_bTimerOff) return 0;
    if (!StageHost().CountEvery(1, 60)) return 0;
    // Any time a stage or a command stores counts on without wrapping.
    const int64_t time = static_cast<int64_t>(m_nTime) + step;
    if (time <= 0) {
        m_nTime = 0;
        return 1;
    }
    m_nTime = static_cast<int>(std::min<int64_t>(time, 999));
    return 0;
}

void cStageScene::UpdateConditions()
{
    for (cPlayer& p : Player) p.m_bActive = p.m_bOnScreen = 1;
    std::fill(m_ActiveGroups.begin(), m_ActiveGroups.end(), 0);
    for (cNpc& c : CharaList) {
        c.m_bActive = CheckCharacterConditions(c) ? 1 : 0;
        c.m_bOnScreen = c.m_bActive && c.IsOnScreen() ? 1 : 0;
        if (c.m_bActive) c.CheckAppearRange(m_ActiveGroups);
    }
    for (cNpc& c : CharaList)
        if (c.m_bActive) c.m_bActive = c.CheckAppear(m_ActiveGroups) ? 1 : 0;
    for (cItem& item : ItemList) {
        item.m_bActive = CheckItemConditions(item) ? 1 : 0;
        item.m_bOnScreen = item.m_bActive && item.IsOnScreen() ? 1 : 0;
    }
    UpdateShotConditions();
}

void cStageScene::UpdateShotConditions()
{
    for (cShot& shot : m_ShotList) {
        shot.m_bActive = 1;
        shot.m_bOnScreen = shot.IsOnScreen() ? 1 : 0;
    }
}

bool cStageScene::TakePlayInput()
{
    uint16_t direction = 0, buttons = 0;
    StageHost().ReadInput(direction, buttons);
    if (m_Modes.nStartKind != START_REPLAY) {
        if (buttons == 0) {
            m_bHoldButtons = 0;
        } else if (m_bHoldButtons) {
            buttons = 0;
            StageHost().WriteInput(direction, buttons, 0);
        }
        StageHost().RecordInput();
        if (SystemData.m_bReplay) Replay.RecordFrame(direction, buttons);
        return true;
    }
    if (Replay.PlayFrame(direction, buttons)) {
        GameProgress.RestoreStageStart(1, m_Modes.nPlayMode, m_Modes.bDirectPlay);
        if (Restart(true, true)) m_nState = STAGE_READY;
        return false;
    }
    StageHost().WriteInput(direction, buttons, 1);
    StageHost().RecordInput();
    return true;
}

void cStageScene::Play()
{
    if (m_bQuit) {
        StageHost().RequestClose();
        return;
    }
    if (CheckPauseKey()) {
        m_nSubState = 0;
        m_nState = STAGE_PAUSEMENU;
        return;
    }
    if (CheckReplayKeys(m_Modes)) return;
    ++m_nFrame;
    if (!TakePlayInput()) return;
    UpdatePlayTime();

    cPlayer& p1 = CheckedAt(Player, P1);
    if (UpdateTimeLimit(-1) && !p1.m_bDead) {
        KillPlayer(nullptr);
        return;
    }
    p1.ResetFlowMarks();
    for (cNpc& c : CharaList)
        if (!c.m_bDead) c.ResetFlowMarks();

    for (int i = 1; i <= StageData.m_nSubSteps; ++i)
        if (RunSubStep(i)) return;
    DrawPlayScreen(1, 0, 1, 1);
}

bool cStageScene::RunSubStep(int subStep)
{
    m_nSubStep = subStep;
    ++m_nSubStepTotal;
    UpdateConditions();
    cPlayer& p1 = CheckedAt(Player, P1);

    if (!p1.m_bDead) {
        // Lifetimes run out before anything acts in this sub-step.
        for (auto it = CharaList.begin(); it != CharaList.end();) {
            if (!it->m_bDead && it->m_nLife != INT_MAX && --it->m_nLife < 0) it = EraseObjectNode(*this, it);
            else ++it;
        }
        for (auto it = ItemList.begin(); it != ItemList.end();) {
            if (it->m_nLife != INT_MAX && --it->m_nLife < 0) it = ItemList.erase(it);
            else ++it;
        }
    }
    for (cNpc& c : CharaList) BeginCharaSubStep(c);
    BeginPlayerSubStep(p1);
    m_ScrollX.AutoScroll();
    m_ScrollY.AutoScroll();

    if (!p1.m_bDead && StepCharacters(true)) return true;
    if (!p1.m_bDead && StepPlayer()) return true;
    if (!p1.m_bDead && StepCharacters(false)) return true;
    StepShots(subStep);
    if (subStep == 1 && !p1.m_bDead) RemoveOutOfRange();
    if (p1.m_bDead) return false;
    if (HandleOutcome(ApplyBlockItem(*this, p1))) return true;
    if (HandleOutcome(ResolveCharacterHits(*this, CharaList))) return true;
    return HandleOutcome(PickUpItems(*this, p1));
}

void cStageScene::BeginCharaSubStep(cChara& chara)
{
    chara.TickInvincible();
    chara.ClearLRUD();
    chara.SavePosition();
}

void cStageScene::BeginPlayerSubStep(cPlayer& player)
{
    BeginCharaSubStep(player);
    player.LatchPrevState();
}

bool cStageScene::StepCharacters(bool blockCharas)
{
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        cNpc& c = *it;
        const bool block = IsBlockChara(c);
        if (block != blockCharas || c.m_bDead || !c.m_bActive) {
            ++it;
            continue;
        }
        c.FireTrigger(TRIGGER_ALWAYS);
        if (c.RunFlows(*this, 0)) {
            if (!block && c.m_bVanish) {
                it = EraseObjectNode(*this, it);
                continue;
            }
            const int outcome = DefeatCharacter(*this, c, CharaList);
            if (!SystemData.m_bKeepDefeatedChara || outcome == 1) {
                it = EraseObjectNode(*this, it);
            } else {
                StageHost().PlaySE(9);
                ++it;
            }
            if (outcome == 1 || outcome == 2) return true;
            continue;
        }
        if (m_bStatusChanged && CheckDefeats(*this)) return true;

        const int moved = MoveCharacter(c);
        if (moved == CHARA_MOVE_KILLED) {
            StageHost().PlaySE(9);
            const int outcome = DefeatCharacter(*this, c, CharaList);
            if (outcome == 1) {
                EraseObjectNode(*this, it);
                return true;
            }
            if (outcome == 2) return true;
            ++it;
            continue;
        }
        if (moved == CHARA_MOVE_LEAVES) {
            it = EraseObjectNode(*this, it);
            continue;
        }
        ++it;
    }
    return false;
}

int cStageScene::MoveCharacter(cNpc& c)
{
    const bool block = IsBlockChara(c);
    if (!block && c.m_bRiding) RideBlockChara(c, CharaList);

    bool killed = false, leaves = false;
    if (c.MoveX() == EDGE_LEFT_GRID) leaves = true;
    if (ResolveBlocksX(c) == 2) killed = true;
    c.ApplyGravity();
    const int edgeY = c.MoveY();
    if (edgeY == EDGE_FELL_OUT) killed = true;
    else if (edgeY == EDGE_LEFT_GRID_Y) leaves = true;
    if (ResolveBlocksY(c) == 2) killed = true;
    if (!block) {
        if (CollideWithCharacters(c, CharaList) == 2) killed = true;
        RecheckBlocksX(c);
        CheckFloorAndCeiling(c);
        if (Squeezed(c)) killed = true;
    }
    if (killed) return CHARA_MOVE_KILLED;
    if (leaves) return CHARA_MOVE_LEAVES;
    c.DecayImpactX();
    c.DecayImpactY();
    return CHARA_MOVE_STAYS;
}

bool cStageScene::StepPlayer()
{
    cPlayer& p = CheckedAt(Player, P1);
    p.FireTrigger(TRIGGER_ALWAYS);
    p.RunFlows(*this, 0);
    if (p.m_nHp <= 0) return KillPlayer(nullptr);
    if (m_nStageRequest == STAGEREQ_CLEAR) {
        m_nStageRequest = STAGEREQ_NONE;
        GoalReached();
        return true;
    }
    if (m_nStageRequest == STAGEREQ_PLAYER_DOWN) {
        m_nStageRequest = STAGEREQ_NONE;
        return KillPlayer(nullptr);
    }
    if (m_bStatusChanged && CheckDefeats(*this)) return true;
    return MovePlayer(p);
}

bool cStageScene::MovePlayer(cPlayer& p)
{
    ApplyBlockEffect(p);
    if (p.m_bRiding) RideBlockChara(p, CharaList);

    p.MoveX();
    KeepInViewX(p);
    if (ResolveBlocksX(p) == 2) return KillPlayer("Dead 1");
    KeepInViewX(p);
    p.ApplyGravity();
    if (p.MoveY() == EDGE_FELL_OUT) return KillPlayer("Dead 2");
    if (KeepInViewY(p) == 2) return KillPlayer("Dead 3");
    if (ResolveBlocksY(p) == 2) return KillPlayer("Dead 4");
    if (KeepInViewY(p) == 2) return KillPlayer("Dead 5");

    auto unguarded = [&p] { return !p.m_bDead && p.m_nSqueezeGrace == 0; };
    if (Squeezed(p) && p.m_nSqueezeGrace == 0) return KillPlayer("Dead SP", true);
    if (CollideWithCharacters(p, CharaList) == 2 && unguarded()) return KillPlayer("Dead 6");
    if ((p.LRUD[LRUD_LEFT] || p.LRUD[LRUD_RIGHT]) && RecheckBlocksX(p) == 2 && unguarded())
        return KillPlayer("Dead 7");
    if ((p.LRUD[LRUD_UP] || p.LRUD[LRUD_DOWN]) && CheckFloorAndCeiling(p) == 2 && unguarded())
        return KillPlayer("Dead 8");
    if (Squeezed(p) && p.m_nSqueezeGrace == 0) return KillPlayer("Dead 9", true);
    p.DecayImpactX();
    p.DecayImpactY();
    return false;
}

void cStageScene::StepShots(int subStep)
{
    for (auto it = m_ShotList.begin(); it != m_ShotList.end();) {
        cShot& shot = *it;
        if (shot.Update()) {
            it = EraseShot(m_ShotList, m_ShotLayers, it);
            continue;
        }
        shot.ApplyGravity();
        shot.MoveY();
        shot.MoveX();
        if (subStep == 1 && shot.m_bChip == 1) {
            const int edge = shot.m_nSide == 0 ? 3 : 4;
            if (shot.IsOutOfRange(StageData.m_ScreenEdges[edge])) {
                it = EraseShot(m_ShotList, m_ShotLayers, it);
                continue;
            }
        }
        if (shot.HitsBlock()) {
            it = EraseShot(m_ShotList, m_ShotLayers, it);
            continue;
        }
        ++it;
    }
}

void cStageScene::RemoveOutOfRange()
{
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        const bool block = IsBlockChara(*it);
        const int edge = block ? 1 : 0;
        if (m_bEdgeTest[edge] && !it->m_bDead && it->m_bActive &&
            it->IsOutOfRange(StageData.m_ScreenEdges[edge]))
            it = EraseObjectNode(*this, it);
        else
            ++it;
    }
    if (!m_bEdgeTest[2]) return;
    for (auto it = ItemList.begin(); it != ItemList.end();) {
        if (it->IsOutOfRange(StageData.m_ScreenEdges[2])) it = ItemList.erase(it);
        else ++it;
    }
}

bool cStageScene::HandleOutcome(int outcome)
{
    if (outcome == 1) {
        // The hits may have reached the goal already.
        if (m_nState != STAGE_CLEAR) GoalReached();
        return true;
    }
    if (outcome == 2) {
        if (!CheckedAt(Player, P1).m_bDead) KillPlayer(nullptr);
        return true;
    }
    return false;
}

bool cStageScene::KillPlayer(const char* text, bool squeezed)
{
    cPlayer& p = CheckedAt(Player, P1);
    if (squeezed) {
        TraceLogF("Player[P1].LRUD = %d,%d,%d,%d", p.LRUD[LRUD_LEFT], p.LRUD[LRUD_RIGHT], p.LRUD[LRUD_UP],
                  p.LRUD[LRUD_DOWN]);
        p.RestorePosition();
    }
    if (text) TraceLog(text);
    StageHost().PlaySE(8);
    if (p.Die(*this) == 1) GoalReached();
    return true;
}

void cStageScene::GoalReached()
{
    Goal(*this);
    m_nState = STAGE_CLEAR;
}
