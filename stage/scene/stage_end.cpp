// The end of a cleared stage: the totals and extra lives, the linked stage
// files of an area chain, what comes after the clear by the way the game was
// started, and the entry into the rankings.
#include <algorithm>
#include <string>

#include "app/base/close_request.h"
#include "app/base/format.h"
#include "app/base/log.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/ranking.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "stage/objects/message.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_host.h"
#include "stage/scene/stage_scene.h"

namespace {

// Start kinds of the title's items.
enum { START_NEW_STORY = 0, START_CONTINUE = 1, START_CHALLENGE = 2, START_STAGE_FILE = 3, START_REPLAY = 4 };
// Screens a clear hands over to.
enum { NEXT_TITLE = 0, NEXT_WORLDMAP = 1, NEXT_CHALLENGE = 3, NEXT_STAGE = 4 };

constexpr int EXTRA_LIFE_FRAMES = 30;
constexpr int MAX_LIVES = 99;
// Ranking-entry modes of the options: the fixed name is used in 1 and 3.
constexpr int RANKING_MODE_FIXED_NAME_MANUAL = 1;
constexpr int RANKING_MODE_FIXED_NAME_AUTO = 3;

// One extra life shown above player 1 for its 30 frames while the game is held.
void ShowExtraLife(cStageWorld& scene)
{
    const int anchor = Player.empty() ? 0 : Player[P1].m_nRef;
    cMessage popup;
    popup.Set(MSGMODE_ICON, nullptr, 0, 0, 0, MSGPLACE_ABOVE_HERO, 0, 0, 0, 0, 0, 0, SHOW_TIMED,
              EXTRA_LIFE_FRAMES, 1, anchor, 0, 0, 0, 0, 0, 0, 0, 0);
    scene.m_MessageList.push_back(popup);
    const cMessage* shown = &scene.m_MessageList.back();
    SetModeTimer(scene, 4, 0, EXTRA_LIFE_FRAMES, 0);
    StageHost().RunPauseLoop(1);
    // Taken out by identity: the drawing may already have ended it, and other
    // messages may have come and gone meanwhile.
    for (auto it = scene.m_MessageList.begin(); it != scene.m_MessageList.end(); ++it) {
        if (&*it != shown) continue;
        it->ReleaseSurface();
        scene.m_MessageList.erase(it);
        break;
    }
}

void ClearBothReplays()
{
    Replay.Clear();
    LastReplay.Clear();
}

void ReportFailure(const std::string& text)
{
    ReportLog("%s", text.c_str());
    StageHost().ErrorBox(text.c_str());
}

} // namespace

void cStageWorld::AddStageTotals()
{
    cGameProgress& progress = GameProgress;
    const int oldTotal = progress.m_nTotalScore;
    progress.m_nTotalScore += progress.m_nScore;
    if (!m_bTimerOff) progress.m_nTotalTimeLeft += m_nTime;
    progress.m_nTotalClearTime += m_nPlayTime;
    if (!Player.empty()) {
        progress.m_nTotalHp += Player[P1].m_nHp;
        progress.m_nTotalSp += Player[P1].m_nSp;
    }

    const int every = SystemData.m_nExtraLifeScore;
    if (progress.m_nLives == INFINITE_LIVES || !SystemData.m_bExtraLifeByScore || every == 0) return;
    const int lives = progress.m_nTotalScore / every - oldTotal / every;
    for (int i = 0; i < lives; ++i) {
        // A window closed meanwhile ends the display: no further lives, and
        // the close is asked for again now that no sub-loop holds it.
        if (m_bQuit) {
            StageHost().RequestClose();
            return;
        }
        progress.m_nLives = std::min(progress.m_nLives + 1, MAX_LIVES);
        StageHost().PlaySE(15);
        ShowExtraLife(*this);
        if (m_bQuit) {
            StageHost().RequestClose();
            return;
        }
        StageHost().WaitWhileInactive(&m_bQuit);
    }
}

bool cStageWorld::GetLinkedStageName(std::string& name, int area)
{
    name.clear();
    const cGameProgress& progress = GameProgress;
    if (!progress.m_bLinked || m_nNextLinkedStage == 0 || progress.m_sStageKey.empty()) return false;
    // The key of a chain is its first file's name up to the "-1", the "-"
    // made a "."; the other areas are "-2", "-3" and so on.
    const std::string base = progress.m_sStageKey.substr(0, progress.m_sStageKey.size() - 1);
    const std::string wanted = FormatText("%s-%d.%s", base.c_str(), area, "stg4");
    std::string found;
    if (!StageHost().FindStageFile(found, wanted)) return false;
    name = found;
    return true;
}

bool cStageWorld::IsLastLinkedStage(int area)
{
    std::string name;
    return !GetLinkedStageName(name, area);
}

int cStageScene::StageClearProcess()
{
    cGameProgress& progress = GameProgress;
    if (StageData.m_bCarryOut) {
        for (size_t i = 0; i < Player.size(); ++i) {
            const cPlayer& p = Player[i];
            progress.StoreCarryOver(static_cast<int>(i), p.m_Def, p.m_nHp, p.m_nSp, p.m_CharaEffect.m_sEffect,
                                    static_cast<int8_t>(p.m_CharaEffect.m_nMode),
                                    static_cast<int8_t>(p.m_CharaEffect.m_bLoop), m_nTime, progress.m_nLives,
                                    progress.m_nBgm);
        }
    }
    const int savedArea = progress.m_nArea;

    // The next area of a chain, when there is one and it loads.
    auto loadNextArea = [&]() -> bool {
        std::string name;
        if (!GetLinkedStageName(name, m_nNextLinkedStage)) return false;
        if (!StageHost().LoadStage(name)) return false;
        ClearBothReplays();
        return true;
    };

    switch (m_Modes.nStartKind) {
    case START_NEW_STORY:
    case START_CONTINUE: {
        if (progress.m_bLinked && m_nNextLinkedStage) {
            progress.m_nArea = m_nNextLinkedStage;
            if (loadNextArea()) return NEXT_STAGE;
        }
        if (progress.m_nStageNo >= 0 && static_cast<size_t>(progress.m_nStageNo) < progress.m_ClearFlags.size())
            progress.m_ClearFlags[progress.m_nStageNo] = 1;
        else
            ReportLog("clear number %d has no clear flag", progress.m_nStageNo);
        progress.SetBestValue(progress.m_sStageKey, progress.m_nTotalScore);
        const cWorldMapStage* entry = WorldMap.FindStageRef(progress.m_nMapStageRef);
        const int onClear = entry ? entry->m_nOnClear : WORLD_CLEAR_NOTHING;
        if (onClear == WORLD_CLEAR_NEXT_LAP) {
            progress.StartNextLap();
            progress.m_nArea = savedArea;
            return NEXT_WORLDMAP;
        }
        // The title puts its cursor back on the item that started the game.
        if (onClear == WORLD_CLEAR_TITLE) return NEXT_TITLE;
        progress.m_nArea = savedArea;
        return NEXT_WORLDMAP;
    }
    case START_CHALLENGE: {
        if (progress.m_bLinked && m_nNextLinkedStage) {
            progress.m_nArea = m_nNextLinkedStage;
            if (loadNextArea()) return NEXT_STAGE;
        }
        const int index = progress.m_nStageNo - 1;
        if (index >= 0 && static_cast<size_t>(index) < progress.m_ChallengeRecords.size()) {
            cIntPairData& record = progress.m_ChallengeRecords[index];
            record.m_nFirst = 1;
            if (record.m_nSecond < progress.m_nTotalScore) {
                progress.m_nBestTotal += progress.m_nTotalScore - record.m_nSecond;
                record.m_nSecond = progress.m_nTotalScore;
            }
        } else {
            ReportLog("challenge %d has no record", progress.m_nStageNo);
        }
        if (progress.m_nStageNo >= progress.m_nChallengeOpen)
            progress.m_nChallengeOpen = std::min(progress.m_nStageNo + 1, SystemData.m_nChallengeCount);
        if (!progress.SaveChallenge()) ReportFailure("チャレンジの進行状況の保存に失敗しました！");
        progress.m_nArea = savedArea;
        return NEXT_CHALLENGE;
    }
    case START_STAGE_FILE:
        if (!progress.m_bLinked || m_Modes.bDirectPlay) {
            progress.m_bNextStart = 0;
            return NEXT_STAGE;
        }
        if (m_nNextLinkedStage && loadNextArea()) {
            progress.m_nArea = m_nNextLinkedStage;
            return NEXT_STAGE;
        }
        progress.m_nArea = savedArea;
        return NEXT_TITLE;
    case START_REPLAY:
    default:
        progress.RestoreStageStart(1, m_Modes.nPlayMode, m_Modes.bDirectPlay);
        return NEXT_STAGE;
    }
}

void cStageScene::EnterRanking()
{
    if (!m_Modes.bRankingOn || !m_bRankingAllowed || m_bRankingEntered) return;
    cGameProgress& progress = GameProgress;
    const int mode = Options.m_nRankingMode;
    if (mode == RANKING_MODE_FIXED_NAME_MANUAL || mode == RANKING_MODE_FIXED_NAME_AUTO) {
        m_sRankName = Options.m_sRankingName;
    } else {
        m_sRankName = progress.m_sPlayerName;
        StageHost().EnterName();
        progress.m_sPlayerName = m_sRankName;
    }
    StageHost().PlaySE(16);
    for (size_t i = 0; i < RankingSet.m_Rankings.size() && i < m_RankPos.size(); ++i) {
        if (m_RankPos[i] == -1) continue;
        const int value = i < m_RankValue.size() ? m_RankValue[i] : 0;
        RankingSet.m_Rankings[i].Insert(m_sRankName, value);
    }
    if (!SaveRankingFile(RankingSet, m_Modes.nPlayMode, progress.m_sStageKey))
        ReportFailure("ランキングの保存に失敗しました！");
    m_bRankingEntered = 1;
    StageHost().RunRankingLoop();
}
