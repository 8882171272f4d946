#pragma once
// The digest of a whole play, fed frame by frame from the play state: two
// plays that digest alike did the same thing in every frame.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "files/game_progress.h"
#include "stage/objects/random.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/script/status_access.h"

// A running digest (64-bit FNV-1a) of everything play changes, fed frame by
// frame: doubles go in by their bits, so a change in the last bit shows.
class cPlayDigest {
public:
    template <class T>
    void Add(const T& value)
    {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (unsigned char b : bytes) m_nHash = (m_nHash ^ b) * 0x100000001B3ull;
    }
    // Counts go in as 64 bits whatever the build's size_t, so that both
    // builds digest the same bytes.
    void AddCount(size_t n) { Add(static_cast<uint64_t>(n)); }
    void AddObject(const cStageObject& o)
    {
        for (double d : {o.m_dLeft, o.m_dTop, o.m_dVx, o.m_dVy, o.m_dAx, o.m_dAy}) Add(d);
        for (int n : {o.m_nLife, o.m_nFacing, o.m_nHitLayer, o.m_bActive, o.m_bOnScreen, o.m_nScreenLeft, o.m_nScreenTop})
            Add(n);
    }
    void AddChara(cChara& c)
    {
        AddObject(c);
        for (int n : {c.m_nHp, c.m_nSp, c.m_bDead, c.m_nDeadFrames, c.m_bInAir, c.m_bJumping, c.m_bKnockback,
                      c.m_nInvincible, c.m_bVanish})
            Add(n);
        for (double d : {c.m_dKnockX, c.m_dKnockY}) Add(d);
        for (int v : c.m_Vars) Add(v);
        // The statuses that commands change; the stopping ease is left out,
        // its reading brings the friction step up to date.
        for (int status = CSTATUS_MAXHP; status <= CSTATUS_SCORE; ++status) {
            StatusField field;
            if (status != CSTATUS_STOP && CharaStatusField(c, status, 0, field)) Add(field.Read());
        }
    }
    void AddFrame(const cStageScene& scene)
    {
        for (int n : {scene.m_nState, scene.m_nFrame, scene.m_nTime, GameProgress.m_nScore, GameProgress.m_nLives})
            Add(n);
        Add(GameRandState());
        Add(scene.m_ScrollX.m_dPos);
        Add(scene.m_ScrollY.m_dPos);
        for (int v : scene.m_StageVars) Add(v);
        AddCount(Player.size());
        for (cPlayer& p : Player) AddChara(p);
        AddCount(CharaList.size());
        for (cNpc& c : CharaList) AddChara(c);
        AddCount(ItemList.size());
        for (const cItem& i : ItemList) AddObject(i);
        AddCount(scene.m_ShotList.size());
        for (const cShot& shot : scene.m_ShotList) {
            AddObject(shot);
            for (int n : {shot.m_nLifeLeft, shot.m_nMotionCount}) Add(n);
        }
    }
    uint64_t Value() const { return m_nHash; }

private:
    uint64_t m_nHash = 0xCBF29CE484222325ull;
};
