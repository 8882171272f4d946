// The goal: what a cleared stage adds to the totals and which rankings its
// results reach.
#include "files/game_progress.h"
#include "files/ranking.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/hits/hits.h"
#include "stage/scene/stage_world.h"
#include "stage/scene/stage_host.h"

namespace {

enum { SE_GOAL = 14 };

// Whether ranking genre i is kept for the play mode and for the stage.
bool GenreRanked(int mode, int genre)
{
    const auto& modes = SystemData.m_ModeSettings;
    if (mode < 0 || mode >= static_cast<int>(modes.size())) return false;
    const auto& genres = modes[static_cast<size_t>(mode)].m_Genres;
    const auto& stage = StageData.m_RankList;
    return genre < static_cast<int>(genres.size()) && genres[static_cast<size_t>(genre)] &&
           genre < static_cast<int>(stage.size()) && stage[static_cast<size_t>(genre)];
}

} // namespace

void Goal(cStageWorld& world)
{
    StageHost().PlaySE(SE_GOAL);
    world.AddStageTotals();
    world.m_bRankingEntered = 0;
    world.m_bRankingAllowed = 0;
    world.m_RankPos.assign(RANKING_GENRES, -1);
    world.m_RankValue.resize(RANKING_GENRES, 0);

    const STAGEMODES& mode = world.m_Modes;
    bool ranked = mode.bDirectPlay || (mode.bRankingOn && world.IsLastLinkedStage(world.m_nNextLinkedStage));
    if (!ranked) return;
    const int values[RANKING_GENRES] = {GameProgress.m_nTotalScore, GameProgress.m_nTotalTimeLeft,
                                        GameProgress.m_nTotalClearTime, GameProgress.m_nTotalHp,
                                        GameProgress.m_nTotalSp};
    std::copy(std::begin(values), std::end(values), world.m_RankValue.begin());
    if (mode.bTestPlay) return;
    for (int i = 0; i < RANKING_GENRES; ++i) {
        if (!GenreRanked(mode.nPlayMode, i) || i >= static_cast<int>(RankingSet.m_Rankings.size())) continue;
        int place = RankingSet.m_Rankings[static_cast<size_t>(i)].FindRank(values[i]);
        world.m_RankPos[static_cast<size_t>(i)] = place;
        if (place != -1) world.m_bRankingAllowed = 1;
    }
}
