// Plays a stage of 200 characters and 200 shots at hit-check level 10 (ten
// sub-steps a frame) and prints the time of one frame of play without
// drawing. Run by hand; not a test.
#include <cstdio>
#include <vector>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/palette_data.h"
#include "stage/stage_containers.h"
#include "stage/stage_scene.h"
#include "stage/stage_services.h"
#include "stage/stage_setup.h"
#include "stage/stage_shell.h"
#include "stage/shot_fire.h"
#include "tests/bench/bench_clock.h"

namespace {

cCharaData Placed(int control, int column, int row, int layer)
{
    cCharaData c;
    c.m_cControl = static_cast<int8_t>(control);
    c.m_sCellX = static_cast<int16_t>(column);
    c.m_sCellY = static_cast<int16_t>(row);
    c.m_nMaxHp = 5;
    c.m_nItemLink = -1;
    c.m_cFlying = 1;
    c.m_cRange = 3;
    c.m_cPass = static_cast<int8_t>(layer);
    return c;
}

} // namespace

int main()
{
    CommonPalette.m_Blocks.assign(2, cBlockData());
    CommonPalette.m_Blocks[0].m_cCollision = BLOCK_PASSABLE;
    StageData.Reset();
    StageData.m_nWidth = 100;
    StageData.m_nHeight = 30;
    StageData.m_nObjectLimitX = StageData.m_nObjectLimitY = 4000;
    StageData.m_nHitCheckLevel = 10;
    StageData.m_PlacedCharas = {Placed(CHARA_PLAYER, 3, 5, 0)};
    for (int i = 0; i < 200; ++i) StageData.m_PlacedCharas.push_back(Placed(CHARA_COMPUTER, 5 + i % 90, 2 + i / 90 * 4, 1 + i % 2));
    for (int column = 0; column < 100; ++column) {
        cBlockData floor;
        floor.m_sGraphic = 1;
        floor.m_cCollision = BLOCK_SOLID;
        floor.m_sCellX = static_cast<int16_t>(column);
        floor.m_sCellY = 29;
        StageData.m_PlacedBlocks.push_back(floor);
    }
    // Shots stay wherever they are, in view or not.
    for (int edge : {3, 4}) {
        cScreenEdgeData& e = StageData.m_ScreenEdges[edge];
        e.m_bLeft = e.m_bRight = e.m_bTop = e.m_bBottom = 0;
    }
    CopyPlaySettings(PlayStageData, StageData);
    // No window: the states run without the shell's fades, input and images.
    StageShell = STAGESHELL();
    StageModes.nPlayMode = 2;
    StageModes.nStartKind = 3;
    SystemData.m_bReplay = 1;
    GameProgress.m_nLives = GameProgress.m_nStartLives = 3;

    cStageScene scene;
    lpStageScene = &scene;
    for (int i = 0; i < 400 && scene.m_nState != STAGE_PLAY; ++i) scene.Run();
    if (scene.m_nState != STAGE_PLAY) {
        std::printf("the stage did not start\n");
        return 1;
    }
    cEdShot record;
    record.m_sSpeed = 0;
    for (int i = 0; i < 200; ++i) {
        SHOTPLACE place;
        place.m_nX = place.m_nStartX = (15 + i % 80) * 32;
        place.m_nY = place.m_nStartY = (12 + i / 80 * 2) * 32;
        place.m_nWidth = place.m_nHeight = 16;
        place.m_nDirection = 2;
        cShot& shot = scene.m_ShotList.emplace_back();
        if (!shot.Setup(scene.m_nNextShotSerial++, &Player[P1], 11, record, place)) {
            scene.m_ShotList.pop_back();
            continue;
        }
        shot.m_nHitLayer = 3 + i % 2;
        shot.m_nLife = 2147483647;
        shot.m_bNoGravity = 1;
        scene.m_ShotLayers[static_cast<size_t>(shot.m_nHitLayer)].push_back(&shot);
    }

    const size_t placedShots = scene.m_ShotList.size();
    scene.Run();
    std::printf("shots placed %zu, after a frame %zu\n", placedShots, scene.m_ShotList.size());
    const int frames = 600;
    const double start = BenchSeconds();
    for (int i = 0; i < frames; ++i) scene.Run();
    const double elapsed = BenchSeconds() - start;
    std::printf("characters %zu, shots %zu, sub-steps %d: %.3f ms a frame of play (%d frames)\n", CharaList.size(),
                scene.m_ShotList.size(), StageData.m_nSubSteps, elapsed * 1000 / frames, frames);
    lpStageScene = nullptr;
    return 0;
}
