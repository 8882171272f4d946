#include "tests/stage/harness_hits.h"

#include "stage/objects/npc.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

cNpc& HarnessLayeredNpc(cCharaData def, int layer, double left, double top)
{
    def.m_cPass = static_cast<int8_t>(layer);
    cNpc& npc = HarnessNpc(def, left, top);
    npc.m_bActive = npc.m_bOnScreen = 1;
    lpStageScene->m_CharaLayers.at(static_cast<size_t>(layer)).push_back(&npc);
    return npc;
}

cShot& HarnessShot(const cEdShot& record, int layer, double left, double top, int w, int h)
{
    cStageScene& scene = *lpStageScene;
    cShot& shot = scene.m_ShotList.emplace_back();
    PlaceObject(shot, left, top, w, h, MOTION_FREE);
    shot.m_EdShot = record;
    shot.m_nHitLayer = layer;
    shot.m_HitBox.nW = shot.m_HitBox.nBaseW = w;
    shot.m_HitBox.nH = shot.m_HitBox.nBaseH = h;
    shot.SetPosition(left, top);
    shot.m_bActive = shot.m_bOnScreen = 1;
    scene.m_ShotLayers.at(static_cast<size_t>(layer)).push_back(&shot);
    return shot;
}

SoundLog::SoundLog()
{
    host.onPlaySE = [this](int n) { se.push_back(n); };
    host.onPlayUserSE = [this](int n) { userSe.push_back(n); };
}
