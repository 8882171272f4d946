#pragma once
// A line of text holding what a frame of play has changed: every object's
// position and speed, the hit points, the shots, the time, the score and the
// next random draw. Two plays that are the same frame by frame give the same
// lines; the draw also tells whether both drew from the same seed.
#include <string>

#include "files/game_progress.h"
#include "stage/objects/random.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

// Takes one draw of the calling thread's generator: call it at the same
// point of both plays.
inline std::string PlaySnapshot()
{
    std::string s;
    auto add = [&s](const cStageObject& o) {
        s += std::to_string(o.m_dLeft) + "," + std::to_string(o.m_dTop) + "," + std::to_string(o.m_dVx) + "," +
             std::to_string(o.m_dVy) + ";";
    };
    for (const cPlayer& p : Player) {
        add(p);
        s += std::to_string(p.m_nHp) + "," + std::to_string(p.m_bDead) + "|";
    }
    for (const cNpc& c : CharaList) {
        add(c);
        s += std::to_string(c.m_nHp) + "," + std::to_string(c.m_bActive) + "|";
    }
    for (const cItem& i : ItemList) add(i);
    s += "shots " + std::to_string(lpStageScene->m_ShotList.size());
    for (const cShot& shot : lpStageScene->m_ShotList) add(shot);
    s += " time " + std::to_string(lpStageScene->m_nTime) + " score " + std::to_string(GameProgress.m_nScore);
    s += " rand " + std::to_string(GameRand());
    return s;
}
