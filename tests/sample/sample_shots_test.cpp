// The sample game's shooters fired in a stage: the hero's spark flies ahead,
// the beetle spits a fan of three.
#include <cmath>

#include <gtest/gtest.h>

#include "records/palette_data.h"
#include "stage/script/running_command.h"
#include "stage/objects/shot.h"
#include "stage/script/shot_fire.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"
#include "tools/sample/definitions.h"

namespace {

// Fires the shot command of a definition's flow as a character facing
// right whose 32 x 32 box starts at (400, 400); the shots' velocities.
std::vector<std::pair<double, double>> FireAsFacingRight(const cCharaData& def, int flow, int command)
{
    HarnessStage stage;
    stage.nObjectLimitX = stage.nObjectLimitY = 1280;
    StageHarness h(stage);
    cStageScene& scene = h.Scene();
    cNpc& firer = CharaList.emplace_back();
    PlaceObject(firer, 400, 400, 32, 32, MOTION_FREE);
    firer.m_nFacing = 1;
    const cCommandData& c = def.m_Flows.at(flow).m_Commands.at(command);
    cRunningCommand run;
    run.m_lpCommandData = &c;
    EXPECT_TRUE(c.m_pShot);
    if (c.m_pShot) FireShot(&scene.m_ShotList, &firer, &run, *c.m_pShot);
    std::vector<std::pair<double, double>> v;
    for (const cShot& s : scene.m_ShotList) v.push_back({s.m_dOwnVX, s.m_dOwnVY});
    return v;
}

} // namespace

TEST(SampleShots, TheHeroShootsAheadAndTheBeetleSpitsAFan)
{
    cPaletteData palette = MakeCommonPalette();
    auto hero = FireAsFacingRight(palette.m_Charas.at(ROW_HERO), 3, 0);
    ASSERT_EQ(hero.size(), 1u);
    EXPECT_GT(hero[0].first, 0);
    EXPECT_NEAR(hero[0].second, 0, 1e-9);

    auto beetle = FireAsFacingRight(palette.m_Charas.at(ROW_BEETLE), 1, 1);
    ASSERT_EQ(beetle.size(), 3u);
    // 160, 180 and 200 degrees at 3 pixels a frame: up-right, right, down-right.
    const double angles[3] = {160, 180, 200};
    for (int i = 0; i < 3; ++i) {
        double a = angles[i] * 3.141592653589793 / 180;
        EXPECT_NEAR(beetle[i].first, -std::cos(a) * 3, 1e-9) << i;
        EXPECT_NEAR(beetle[i].second, -std::sin(a) * 3, 1e-9) << i;
    }
}
