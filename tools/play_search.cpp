// Finds and checks input scripts that clear the sample game's stages, played
// headless through the real stage-play screen.
//
//   play_search STAGE SCRIPT [N]      plays the script, printing the hero every N (10) frames
//   play_search STAGE SCRIPT search [W] extends the script run by run until the stage is cleared;
//                                     W weighs the height to the goal against the width (2)
//
// The search is a beam over runs appended to the script: walks, standing
// jumps, running jumps of several heights, shots and waits; a candidate is
// kept while the hero lives, and ranked by how close it stands to the goal.
#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/stage_file.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/sample_plays.h"

namespace {

struct Outcome {
    bool cleared = false, dead = false, standing = false;
    double x = 0, y = 0;
    int frames = 0;
};

double GoalX = 0, GoalY = 0;
int TraceEvery = 10;
double HeightWeight = 2;

Outcome Try(SampleGame& game, const std::string& stage, const std::string& script, bool trace)
{
    Outcome o;
    const int frames = static_cast<int>(ExpandPlayScript(script).size());
    game.m_lpAfterFrame = [&](int f) {
        if (Player.empty()) return;
        const cPlayer& p = Player[P1];
        double lift = 0;
        for (const cNpc& c : CharaList)
            if (c.m_Def.m_bFullCellBoxes && lift == 0) lift = c.m_dLeft / 32 - 10;
        if (trace && f % TraceEvery == 0)
            std::printf("lift %5.1f ", lift), std::printf("%5d x %7.1f (cell %5.1f) y %7.1f (row %4.1f) air %d ride %d dead %d hp %d charas %zu shots %zu\n",
                        f, p.m_dLeft, p.m_dLeft / 32 - 10, p.m_dTop, p.m_dTop / 32 - 10, p.m_bInAir, p.m_bRiding,
                        p.m_bDead, p.m_nHp, CharaList.size(), lpStageScene->m_ShotList.size());
        if (trace && f % TraceEvery == 0)
            for (const cNpc& c : CharaList)
                if (!c.m_Def.m_bFullCellBoxes) std::printf("      foe at cell %5.1f row %4.1f\n", c.m_dLeft / 32 - 10, c.m_dTop / 32 - 10);
        if (f == frames - 1 || p.m_bDead) {
            if (p.m_bDead) o.dead = true;
            if (f == frames - 1) {
                o.x = p.m_dLeft;
                o.y = p.m_dTop;
                o.standing = !p.m_bInAir;
            }
        }
    };
    game.Load(stage);
    SamplePlayReport r = game.Play(script, StageFileModes(), trace ? 120 : 0);
    if (trace) std::printf("score %d total %d\n", GameProgress.m_nScore, GameProgress.m_nTotalScore);
    o.cleared = r.bCleared;
    o.frames = r.nPlayFrames;
    o.dead = o.dead || r.nDeaths > 0;
    if (trace)
        std::printf("cleared %d after %d frames, deaths %d, rides %d, shot kills %d, items %d, messages %zu\n",
                    r.bCleared, r.nPlayFrames, r.nDeaths, r.nRideFrames, r.nShotKills, r.nItemsTaken,
                    r.Messages.size());
    return o;
}

double Distance(const Outcome& o) { return std::fabs(GoalX - o.x) + HeightWeight * std::fabs(GoalY - o.y); }

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: play_search STAGE SCRIPT [search]\n");
        return 2;
    }
    SampleGame game;
    const std::string stage = argv[1];
    if (!game.Load(stage)) {
        std::fprintf(stderr, "no stage %s\n", stage.c_str());
        return 2;
    }
    for (const cItemData& item : StageData.m_PlacedItems)
        if (item.m_sName == "ゴール") {
            GoalX = (item.m_sCellX + 10) * 32.0;
            GoalY = (item.m_sCellY + 10) * 32.0;
        }
    const bool search = argc >= 4 && std::string(argv[3]) == "search";
    if (search && argc >= 5) HeightWeight = std::atof(argv[4]);
    if (argc == 4 && !search) TraceEvery = std::max(1, std::atoi(argv[3]));
    if (!search) {
        Try(game, stage, argv[2], true);
        return 0;
    }

    const std::vector<std::string> moves = {
        "R4", "R8", "R16", "R32", "L8", ".20", ".40", "F4 .4", "RF4 R4", "J6 .20", "J16 .30", "RJ4 R20", "RJ8 R24", "RJ12 R30",
        "RJ20 R34", "RJ16 .30", "LJ8 L20", "LJ16 L30", "RJ20 .40", "LJ20 .40"};
    struct Node {
        std::string script;
        Outcome o;
    };
    std::vector<Node> beam = {{argv[2], Try(game, stage, argv[2], false)}};
    for (int depth = 0; depth < 200; ++depth) {
        std::vector<Node> next;
        for (const Node& n : beam)
            for (const std::string& m : moves) {
                Node c{n.script + " " + m, {}};
                c.o = Try(game, stage, c.script, false);
                if (c.o.cleared) {
                    std::printf("cleared in %d frames:\n%s\n", c.o.frames, c.script.c_str());
                    return 0;
                }
                if (!c.o.dead && c.o.standing) next.push_back(c);
            }
        std::sort(next.begin(), next.end(), [](const Node& a, const Node& b) {
            return Distance(a.o) < Distance(b.o) || (Distance(a.o) == Distance(b.o) && a.script.size() < b.script.size());
        });
        // One candidate per place, the best few places.
        std::vector<Node> kept;
        for (const Node& n : next) {
            bool same = false;
            for (const Node& k : kept) same = same || (std::fabs(k.o.x - n.o.x) < 8 && std::fabs(k.o.y - n.o.y) < 8);
            if (!same) kept.push_back(n);
            if (kept.size() >= 6) break;
        }
        if (kept.empty()) {
            std::printf("stuck\n");
            return 1;
        }
        beam = kept;
        std::printf("depth %d best %.0f,%.0f: %s\n", depth, beam[0].o.x, beam[0].o.y, beam[0].script.c_str());
        std::fflush(stdout);
    }
    return 1;
}
