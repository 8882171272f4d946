#pragma once
// The stage record: a stage's settings, and the lists a stage file holds
// around them.
//
// Stage file body (after the file's u32 data version):
//   the stage record            98 scalar fields at the current version, one text
//   u32 n, n int32              the ranking switches, one per end-of-play counter
//   5 screen-edge records       characters, block characters, items, the
//                               player's shots, the other shots
//   3 palette lists             u32 n, then n definition records each
//   3 placed-object lists       u32 n, then per element a u32 0 and the record
//   u32 n, n background records
//   u32 n, n text records
//   u32 123456789               from version 173 on
//
// The timing values (sub-steps and the limits per sub-step) are stored with
// the record but always derived again from the hit-check level before use.
#include <cstdint>
#include <string>
#include <vector>

#include "records/block_data.h"
#include "records/chara_data.h"
#include "records/data_record.h"
#include "records/item_data.h"
#include "records/record_context.h"
#include "records/stage_sub_records.h"

class cStageData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4 + 5 * 8 + 6 * 4 + 4 + 4;
    // The value that closes a stage file from version 173 on.
    static constexpr uint32_t END_MARKER = 123456789;
    // The edge records, by what they apply to.
    enum { EDGE_CHARA, EDGE_BLOCK_CHARA, EDGE_ITEM, EDGE_PLAYER_SHOT, EDGE_OTHER_SHOT, EDGE_COUNT };

    // Size of the stage in 32-pixel cells.
    int32_t m_nWidth = 0;
    int32_t m_nKept2 = 0;               // kept with the stage, not read
    int32_t m_nKept3 = 0;               // kept with the stage, not read
    int32_t m_nHeight = 0;
    // Scroll limits: switches, then the cell column or row of each limit.
    int32_t m_bScrollLeft = 0;
    int32_t m_bScrollRight = 0;
    int32_t m_bScrollTop = 0;
    int32_t m_bScrollBottom = 0;
    int32_t m_nScrollLeft = 0;          // at most width - 20
    int32_t m_nScrollRight = 0;         // at most width - 1
    int32_t m_nScrollTop = 0;           // at most height - 15
    int32_t m_nScrollBottom = 0;        // at most height - 1
    int32_t m_nFrameRate = 0;           // frames a second while the stage plays
    int32_t m_bTimeLimit = 0;
    int32_t m_nTimeLimit = 0;           // remaining time at the start
    int32_t m_nTimeWarning = 0;         // at or below it the time warns
    int32_t m_bAutoScrollX = 0;
    int32_t m_bAutoScrollY = 0;
    int32_t m_nAutoScrollSpeedX = 0;    // tenths of a pixel a frame
    int32_t m_nAutoScrollSpeedY = 0;
    double m_dGravity = 0;              // pixels a frame a frame
    int32_t m_nHitCheckLevel = 0;       // 1 to 19
    int32_t m_nShotHitPasses = 0;       // 0: every sub-step; 1 to 5: that many a frame
    int32_t m_nBgm = 0;                 // tune, 0 none
    int32_t m_bBgmLoop = 0;
    int32_t m_bBgmKeep = 0;             // do not restart the tune when it already plays
    int32_t m_bDrawLayers = 0;          // objects drawn in eight layers
    int32_t m_bCarryIn = 0;
    int32_t m_bCarryOut = 0;
    int32_t m_bStatusBar = 0;
    int32_t m_bAutoClearEnd = 0;        // the clear screen ends by itself
    int32_t m_bStartBanner1 = 0;
    int32_t m_bStartBanner2 = 0;
    int32_t m_bClearBanner = 0;
    int32_t m_bGameOverBanner = 0;

    // Boxes in the object's 32 by 32 cell. "Float" is the state of an object
    // whose gravity is off; an alignment of 1 rests the box on the cell's
    // bottom, 0 centres it.
    int32_t m_nPlayerBodyW = 0;
    int32_t m_nPlayerBodyH = 0;
    int32_t m_nPlayerBodyFloatW = 0;
    int32_t m_nPlayerBodyFloatH = 0;
    int32_t m_nPlayerHitW = 0;          // hit box of size choice 0
    int32_t m_nPlayerHitH = 0;
    int32_t m_nPlayerHitFloatW = 0;
    int32_t m_nPlayerHitFloatH = 0;
    int32_t m_nPlayerHitSize1W = 0;     // size choice 1; the first centred box
    int32_t m_nPlayerHitSize1H = 0;
    int32_t m_nPlayerCentredW = 0;      // the second centred box
    int32_t m_nPlayerCentredH = 0;
    int32_t m_nPlayerBodyAlign = 0;
    int32_t m_nPlayerBodyFloatAlign = 0;
    int32_t m_nPlayerHitAlign = 0;
    int32_t m_nPlayerHitFloatAlign = 0;
    // Display of the player's boxes (body, hit, shot, item): 0 off, 1 filled,
    // 2 outline; colour choice 0 to 7.
    int32_t m_BoxDisplayMode[4] = {};
    int32_t m_BoxDisplayColor[4] = {};
    int32_t m_nCharaBodyW = 0;
    int32_t m_nCharaBodyH = 0;
    int32_t m_nCharaBodyFloatW = 0;
    int32_t m_nCharaBodyFloatH = 0;
    int32_t m_nCharaHitW = 0;
    int32_t m_nCharaHitH = 0;
    int32_t m_nCharaHitFloatW = 0;
    int32_t m_nCharaHitFloatH = 0;
    int32_t m_nCharaHitSize1W = 0;
    int32_t m_nCharaHitSize1H = 0;
    int32_t m_nCharaBodyAlign = 0;
    int32_t m_nCharaBodyFloatAlign = 0;
    int32_t m_nCharaHitAlign = 0;
    int32_t m_nCharaHitFloatAlign = 0;
    int32_t m_nItemBoxW = 0;
    int32_t m_nItemBoxH = 0;
    int32_t m_nShotBoxW = 0;            // the player's shots; also the player's size choice 2
    int32_t m_nShotBoxH = 0;
    int32_t m_nKept78 = 0;
    int32_t m_nKept79 = 0;
    int32_t m_nShotBox2W = 0;           // the other shots; also a character's size choice 2
    int32_t m_nShotBox2H = 0;
    int32_t m_nKept82 = 0;
    int32_t m_nKept83 = 0;
    int32_t m_nKept84 = 0;
    // The stage's extent for the objects held inside it, less 640 pixels.
    int32_t m_nObjectLimitX = 0;
    int32_t m_nObjectLimitY = 0;

    // Derived from the hit-check level (SetHitCheckLevel).
    int32_t m_nSubSteps = 0;
    double m_dSpeedScale = 0;           // the sub-steps as a double
    double m_dSubStepsSquared = 0;
    double m_dSpeedLimit = 0;           // pixels a frame
    double m_dGravityStep = 0;          // gravity a sub-step
    double m_dSpeedLimitStep = 0;       // pixels a sub-step
    int32_t m_nSubSteps8 = 0;

    int32_t m_bOnScreenOnly = 0;
    // Invincibility after a hit, frames: towards the attacker and in general,
    // for the computer's side and for the player's side.
    int32_t m_nInvAttackerCpu = 0;
    int32_t m_nInvGeneralCpu = 0;
    int32_t m_nInvAttackerPlayer = 0;
    int32_t m_nInvGeneralPlayer = 0;

    std::string m_sText;

    // Not registered.
    int32_t m_nSubSteps6 = 0;           // 6 x the sub-steps: times in tenths of a second
    std::vector<int32_t> m_RankList;
    cScreenEdgeData m_ScreenEdges[EDGE_COUNT];
    // The stage palette; row 0 of each list is the empty row.
    std::vector<cBlockData> m_Blocks;
    std::vector<cCharaData> m_Charas;
    std::vector<cItemData> m_Items;
    // What the stage places; each record holds its own cell.
    std::vector<cBlockData> m_PlacedBlocks;
    std::vector<cCharaData> m_PlacedCharas;
    std::vector<cItemData> m_PlacedItems;
    std::vector<cBackgroundData> m_Backgrounds;   // layer i is element i
    std::vector<cStringData> m_Texts;
    std::string m_sPath;                // the file last loaded
    int32_t m_bLoaded = 0;              // set by the loader thread when the read succeeded

    cStageData();

    void RegisterFields(int version) override;
    // Reads the stage file body, brings an older stage up to date and
    // normalises it. False when the file is damaged (a stage of negative
    // width or height counts as damaged); a stage whose read failed is left
    // as far as it was read, not normalised. While it reads, this stage's
    // palette is the stage palette that definitions inherit from.
    bool Load(cDataReader& in) override;
    // Normalises, then writes the body; the end marker is always written.
    void Save(cDataWriter& out) override;
    // The stage body with the settings, the rank list, the screen edges, the
    // backgrounds and the texts of settings and the palette and placed
    // objects of objects, closed by the end marker.
    static void WriteBody(cDataWriter& out, cStageData& settings, cStageData& objects);

    void Reset();
    // Keeps the scroll limits inside the stage, derives the timing values,
    // gives a frame rate of 0 or below the default 60, drops a tune that the
    // music list (RecordContext) does not hold, pads each palette list to two
    // rows and validates every palette and placed record.
    void Normalize();
    // The block map play builds for a stage is (height + 20) rows of the
    // power of two above width + 19 cells, each a whole block record (some
    // 400 bytes in the game). The largest map play builds: 1,048,576 cells,
    // some 440 MB. It holds any stage of up to 1004 by 1004 cells, 16364 by
    // 44, 32748 by 12; a larger one is refused when it is read.
    static constexpr int64_t MAX_BLOCK_MAP_CELLS = int64_t(1) << 20;
    static int64_t BlockMapCells(int32_t width, int32_t height);

    // The limits of the values that play works with in 32-bit arithmetic and
    // for which the stage file gives no range: box sizes (pixels), the object
    // limits (pixels) and the gravity (pixels a frame squared). Each lies far
    // beyond what a stage can use: a box of 32767 pixels is 51 views wide.
    static constexpr int32_t MAX_BOX_SIZE = 32767;
    static constexpr int32_t MAX_OBJECT_LIMIT = 1 << 24;
    static constexpr double MAX_GRAVITY = 1e6;
    // Brings the values that play's arithmetic cannot hold within it; a
    // gravity that is not a number becomes the default 0.4. Returns how many
    // values it changed (the reader reports them).
    int BoundPlayValues();

    // Stores the level and derives the timing values from it.
    void SetHitCheckLevel(int level);
    // Per sub-step of a frame, 1 where shots are tested against characters.
    std::vector<int> HitSchedule() const;

    // The index of the hero among the placed characters: the first one the
    // player controls; -1 when there is none.
    int FindHero() const;
    bool HasHero() const { return FindHero() != -1; }

    // Takes the parts of from that play may change and every start restores:
    // the record's fields, the rank list, the screen edges, the backgrounds
    // and the texts. The palette and the placed objects stay as they are.
    void AssignSettings(cStageData& from);

    cPaletteLists Lists() { return {&m_Blocks, &m_Charas, &m_Items}; }

private:
    bool LoadObjectLists(cDataReader& in);
    void SaveObjectLists(cDataWriter& out);
    void Upgrade(int version);
};
