// Stand-ins for what the shot code calls of parts that other code will
// build: the overlay animations of characters and the summoned characters,
// items and blocks.
#include "stage/chara.h"
#include "stage/stage_scene.h"

void cChara::RemoveOverlaysByKey(int) {}
void cChara::StopOverlaysByKey(int) {}
void cChara::ResumeOverlaysByKey(int) {}

void cStageScene::SpawnCharacter(std::list<cNpc>&, double, double, int, int, int, const cEdShot&,
                                 const cCharaData&, int&)
{
}

void cStageScene::SpawnItem(std::list<cItem>&, double, double, int, const cEdShot&, const cItemData&, int&) {}

int cStageScene::PlaceBlock(double, double, const cEdShot&, const cBlockData&) { return 0; }
