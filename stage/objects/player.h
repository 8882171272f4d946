#pragma once
// The character a person controls. Its input reaches it only through its
// flows: key-input conditions, movement commands that take the held
// direction, and the jump command, whose height follows how long the jump
// key is held. The view follows it; a third box picks up items; the block
// under it may make it slide, carry it along or refuse jumps.
#include <cstdint>
#include <list>
#include <vector>

#include "records/command_data.h"
#include "stage/objects/chara.h"

class cInputRuns;
class cItem;
class cStageWorld;
struct DDSURFACEDATA;

// One box of the hit-box display drawn over the player.
struct BOXDISPLAY {
    int32_t nBox = 0;       // 0 the hit rectangle, 1 m_HitBox, 2 m_ItemBox, 3 m_ShotBox
    int32_t nMode = 0;      // 0 not shown, 1 filled, 2 outline
    int32_t nColor = 0;     // palette index
    int32_t nX = 0, nY = 0; // screen position
    int32_t nW = 0, nH = 0;
    int32_t nCounter = 0;   // 0..31: four palette shades, eight frames each
};

// Block effects that run on the player for a while.
enum { BLOCKFX_SLIPPERY = 3, BLOCKFX_CONVEYOR_A = 4, BLOCKFX_CONVEYOR_B = 5 };

class cPlayer : public cChara {
public:
    cPlayer();
    cPlayer(const cPlayer& other);
    cPlayer& operator=(const cPlayer& other);
    ~cPlayer() override;

    void Setup(int serial, const cCharaData& def, double x, double y);
    // Switches between walking (mode 0) and flying (1..3), rebuilding sizes
    // and boxes; rescale: multiply them by the size factor.
    void SetFlying(int mode, int rescale);
    void GetBodySize(int& offX, int& offY, int& w, int& h) const;
    void BuildBoxDisplay();

    void ScaleBoxes(int factor) override;
    void UpdateBoxesX() override;
    void UpdateBoxesY() override;
    // The view follows the player (unless the axis auto-scrolls), then the
    // player is kept inside it.
    int ScrollFollowX();
    int ScrollFollowY();
    int ClampX() override { return ScrollFollowX(); }
    int ClampY() override { return ScrollFollowY(); }
    using cChara::ClampX;
    using cChara::ClampY;
    void UpdateScreenPos();
    // Always 0.
    int MoveX() override;
    // 7 when a walking player fell out of the stage.
    int MoveY() override;
    using cChara::MoveX;
    using cChara::MoveY;
    void LatchPrevState() { m_lpPrevFootBlock = m_lpLastFootBlock; }
    bool IsNewItemContact(const cItem* item) const;
    void EndItemContact(const cItem* item);

    int RunFlows(cStageWorld& world, int dying) override;
    int Jump(cStageWorld& world, cRunningCommand* command) override;
    // Runs an item's commands on this player: 0, or the first non-zero
    // result of a command, or 2 when HP ran out.
    int RunItemCommands(cStageWorld& world, const std::vector<cCommandData>& commands);
    // A rising 16 x 16 icon of the chip above this player for 30 frames.
    void AddItemPopup(cStageWorld& world, int kind, int chip, int frame);
    // The hit-box display over the drawn player: each shown box in its
    // colour, cycling through four shades.
    void DrawBoxDisplay(DDSURFACEDATA* target);

    const cInputRuns* m_lpInput = nullptr;   // the input history of its input number
    int32_t m_nJumpHold = 0;
    int32_t m_bJumpReady = 0;
    int32_t m_bNoJumpBlock = 0;
    double m_dSlipUnit = 0;
    int32_t m_bJumpControlled = 0;
    std::list<cItem*> m_TouchedItems;
    int32_t m_nBlockEffect = 0;
    double m_dBlockEffectValue = 0;
    int32_t m_nBlockEffectTime = 0;
    int32_t m_nBlockItemCooldown = 0;
    HITBOX m_ItemBox;
    std::vector<BOXDISPLAY> m_BoxDisplay;
    std::vector<cCommandData> m_PendingFlowCmds;

private:
    void CopyPlayerMembers(const cPlayer& other);

public:
    // -- draw --
    // The character's drawing, then the hit-box display.
    void Draw(cPlayScreenPainter* painter, int hold);

};
