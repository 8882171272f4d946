#include "tests/stage/crowd_stage.h"

#include "files/stage_file.h"
#include "records/palette_data.h"
#include "stage/script/shot_fire.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

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

void SetUpCrowdStage()
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
}

int PlaceCrowdShots(cStageScene& scene)
{
    cEdShot record;
    record.m_sSpeed = 0;
    int placed = 0;
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
        ++placed;
    }
    return placed;
}
