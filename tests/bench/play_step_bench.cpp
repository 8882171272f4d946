// Plays the crowded stage (200 characters, 200 shots, ten sub-steps a frame)
// and prints the time of one frame of play without drawing; the argument
// sets the frames timed (600). Run by hand or by tools/bench.sh; not a test.
#include <cstdio>
#include <cstdlib>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"
#include "tests/bench/bench_clock.h"
#include "tests/stage/crowd_stage.h"

int main(int argc, char** argv)
{
    SetUpCrowdStage();
    // No window: the states run on the headless host, without the shell's
    // fades, input, images and sounds.
    cHarnessHost host;
    host.Modes.nPlayMode = 2;
    host.Modes.nStartKind = 3;
    SystemData.m_bReplay = 1;
    GameProgress.m_nLives = GameProgress.m_nStartLives = 3;

    cStageScene scene;
    lpStageScene = &scene;
    for (int i = 0; i < 400 && scene.m_nState != STAGE_PLAY; ++i) scene.Run();
    if (scene.m_nState != STAGE_PLAY) {
        std::printf("the stage did not start\n");
        return 1;
    }
    const int placedShots = PlaceCrowdShots(scene);
    scene.Run();
    std::printf("shots placed %d, after a frame %zu\n", placedShots, scene.m_ShotList.size());
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    const double start = BenchSeconds();
    for (int i = 0; i < frames; ++i) scene.Run();
    const double elapsed = BenchSeconds() - start;
    std::printf("characters %zu, shots %zu, sub-steps %d: %.3f ms a frame of play (%d frames)\n", CharaList.size(),
                scene.m_ShotList.size(), StageData.m_nSubSteps, elapsed * 1000 / frames, frames);
    std::printf("BENCH play_step_ms %.4f\n", elapsed * 1000 / frames);
    lpStageScene = nullptr;
    return 0;
}
