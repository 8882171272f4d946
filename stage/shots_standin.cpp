// Stand-ins for what the shot code calls of parts that other code will
// build: the summoned characters, items and blocks.
#include "stage/chara.h"
#include "stage/stage_scene.h"

void cStageScene::SpawnCharacter(std::list<cNpc>&, double, double, int, int, int, const cEdShot&,
                                 const cCharaData&, int&)
{
}

void cStageScene::SpawnItem(std::list<cItem>&, double, double, int, const cEdShot&, const cItemData&, int&) {}

int cStageScene::PlaceBlock(double, double, const cEdShot&, const cBlockData&) { return 0; }
