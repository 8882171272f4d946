#pragma once
// Every character other than the players: placed in the stage or summoned.
// It takes part in play only while it has appeared (its appearance range
// holds, or its activation group is set, or it is still falling or jumping
// after it appeared), and it carries an item that player 1 gets when it dies.
#include <cstdint>
#include <vector>

#include "stage/objects/chara.h"
#include "stage/objects/item.h"

struct DDSURFACEDATA;

// Appearance ranges of a definition.
enum { RANGE_SCREEN = 0, RANGE_X_ONLY = 1, RANGE_Y_ONLY = 2, RANGE_EVERYWHERE = 3 };
// Appearance modes: 0 while in range or group; 1 once appeared, always.
enum { APPEAR_WHILE = 0, APPEAR_ONCE = 1 };
// Edge codes of the character moves that remove (4, 8) or kill (7) it.
enum { EDGE_LEFT_GRID = 4, EDGE_FELL_OUT = 7, EDGE_LEFT_GRID_Y = 8 };

class cNpc : public cChara {
public:
    cNpc() = default;
    cNpc(const cNpc& other);
    cNpc& operator=(const cNpc& other);
    ~cNpc() override = default;

    // item: the carried item, or null for none.
    void Setup(int serial, const cCharaData& def, const cItem* item, double x, double y, int16_t instance);

    void ScaleBoxes(int factor) override;
    void UpdateBoxesX() override;
    void UpdateBoxesY() override;
    cItem* GetItem() override { return m_Item.m_bCarried ? &m_Item : nullptr; }
    int ClampX() override { return cStageObject::ClampX(2); }
    int ClampY() override { return cStageObject::ClampY(2); }
    using cChara::ClampX;
    using cChara::ClampY;
    int MoveX() override;
    int MoveY() override;
    using cChara::MoveX;
    using cChara::MoveY;
    int RunFlows(cStageWorld& world, int dying) override;
    int Jump(cStageWorld& world, cRunningCommand* command) override;

    // Whether the character is in its appearance range this sub-step; in
    // range it marks its activation group when its group switch is on.
    bool CheckAppearRange(std::vector<char>& groups);
    // Whether it takes part in this sub-step.
    bool CheckAppear(std::vector<char>& groups);

    // The blinking icon of the carried item above the character, drawn in
    // 33 frames of every 96. IconFrame counts the frame: whether the icon
    // shows in it.
    bool IconFrame();
    void DrawIcon(DDSURFACEDATA* target);

    int32_t m_bInRange = 0;
    int32_t m_bAppeared = 0;
    cItem m_Item;                 // given to player 1 when it dies; carried flag 0: none
    int32_t m_nIconCounter = 0;   // 0..95
    int32_t m_bRangeSkipX = 0, m_bRangeSkipY = 0;
    int32_t m_bWasActive = 0;

private:
    void CopyNpcMembers(const cNpc& other);
};
