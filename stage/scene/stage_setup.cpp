// The set-up of a loaded stage in the stage-play screen, and the characters,
// items and blocks that summons bring into it during play.
#include <algorithm>
#include <new>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/base/log.h"
#include "files/game_progress.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/palette_data.h"
#include "records/shot_data.h"
#include "stage/script/evaluator.h"
#include "stage/script/messages_links.h"
#include "stage/objects/play_links.h"
#include "stage/objects/random.h"
#include "stage/scene/stage_boxes.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"


namespace {

constexpr int MARGIN = 10;
constexpr int CELL = 32;

// The number of bits n needs (0 for 0).
int BitsOf(int n)
{
    int bits = 0;
    while (bits < 31 && (n >> bits) != 0) ++bits;
    return bits;
}

// The limits of an axis from its stage settings: view, margin, outer limit,
// base and default upper; the range from the limit switches and cells.
void LayOutAxis(cScrollAxis& axis, int index, int viewSize, int cells, int objectLimit)
{
    axis.m_nAxis = index;
    axis.m_nViewSize = viewSize;
    axis.m_nMargin = MARGIN;
    axis.m_nScrollLimitX = objectLimit + 640;
    axis.m_nBase = MARGIN * CELL;
    axis.m_nDefaultUpper = std::max(0, (cells + MARGIN) * CELL);
    axis.m_nLimitCells = cells + 2 * MARGIN;
}

// The centre of a cell of the stage proper, in stage pixels.
double CellCentre(int cell) { return (cell + MARGIN) * CELL + 16; }

void MoveBy(cStageObject& object, double dx, double dy) { object.SetPosition(object.m_dLeft + dx, object.m_dTop + dy); }

// Life of a summoned object in sub-steps, from the summoning shot's lifetime
// in tenths of a second.
void SetSummonLife(cStageObject& object, const cEdShot& record)
{
    if (record.m_bLifetime) object.m_nLife = record.m_sLifetime * StageData.m_nSubSteps6;
}

bool IsLiving(const cChara& chara) { return !chara.m_bDead && chara.m_nHp > 0; }

// A stage whose block map cannot be had: the box, and the game closes.
bool FailForMemory()
{
    BlockMap.clear();
    StageErrorBox("メモリ不足により、ステージの初期設定に失敗しました！");
    StageHost().RequestClose();
    return false;
}

} // namespace

// After its before-start flows: a character that asked to vanish, or whose
// hit points ran out, leaves the stage (and its hit layer's list).
static std::list<cNpc>::iterator EndAfterStartTrigger(cStageScene& scene, std::list<cNpc>::iterator it)
{
    if (!it->m_bVanish && it->m_nHp >= 1) return ++it;
    for (auto& layer : scene.m_CharaLayers) layer.remove(&*it);
    return CharaList.erase(it);
}

bool cStageScene::SetStage(bool restoreStage, bool firstStart)
{
    TraceLog("In SetStage");
    m_nFrame = 0;
    m_lpCurChara = nullptr;
    m_lpCurFlow = nullptr;
    m_lpCurCommand = nullptr;

    // Shots first: they leave the characters they aim at.
    m_ShotLayers.assign(8, {});
    m_ShotList.clear();
    m_CharaLayers.assign(8, {});
    CharaList.clear();
    ItemList.clear();

    const bool replayPlayback = m_Modes.ReplayPlayback();
    if (restoreStage) {
        if (replayPlayback &&
            !LoadReplayFile(Replay, StageData.m_sPath, StageData, PlayStageData, GameProgress))
            StageHost().RequestClose();
        StageData.AssignSettings(PlayStageData);
    }

    if (replayPlayback) {
        m_nRandomSeed = Replay.m_nSeed;
        Replay.Rewind();
    } else if (SystemData.m_bReplay) {
        LastReplayProgress = ReplayProgress;
        ReplayProgress = GameProgress;
        LastReplay = Replay;
        Replay.Clear();
        if (unsigned seed; StageHost().NewSeed(seed)) m_nRandomSeed = static_cast<int>(seed);
        Replay.m_nSeed = m_nRandomSeed;
    }
    GameSrand(static_cast<unsigned>(m_nRandomSeed));

    int hero = StageData.FindHero();
    if (StageData.m_bCarryIn)
        GameProgress.RestoreCarryOver(0, CheckedAt(StageData.m_PlacedCharas, hero), &StageData.m_nTimeLimit,
                                      &StageData.m_nBgm);

    int tune = StageData.m_nBgm;
    bool playing = tune == GameProgress.m_nBgm;
    if (firstStart) {
        if (!StageData.m_bBgmKeep || !playing) StageHost().RequestBgm(tune, StageData.m_bBgmLoop);
        else if (tune == 0) StageHost().RequestBgm(0, StageData.m_bBgmLoop);
    } else if (!playing) {
        StageHost().RequestBgm(tune, StageData.m_bBgmLoop);
    }
    m_nNextCharaSerial = m_nNextItemSerial = m_nNextShotSerial = 0;

    StageData.SetHitCheckLevel(StageData.m_nHitCheckLevel);

    int width = StageData.m_nWidth, height = StageData.m_nHeight;
    // The loader refuses such a stage; one made otherwise is refused here,
    // before its map is laid out or allocated.
    if (width < 0 || height < 0 || cStageData::BlockMapCells(width, height) > cStageData::MAX_BLOCK_MAP_CELLS)
        return FailForMemory();
    LayOutAxis(m_ScrollX, 0, 640, width, StageData.m_nObjectLimitX);
    m_ScrollX.m_nShift = BitsOf(width + 19);
    m_ScrollX.m_nPitch = 1 << m_ScrollX.m_nShift;
    m_ScrollX.SetAutoScroll(StageData.m_bAutoScrollX != 0, StageData.m_nAutoScrollSpeedX);
    m_ScrollX.SetRange(StageData.m_nScrollLeft, StageData.m_nScrollRight, StageData.m_bScrollLeft != 0,
                       StageData.m_bScrollRight != 0);
    LayOutAxis(m_ScrollY, 1, 480, height, StageData.m_nObjectLimitY);
    m_ScrollY.m_nShift = 0;
    m_ScrollY.m_nPitch = height + 2 * MARGIN;
    m_ScrollY.SetAutoScroll(StageData.m_bAutoScrollY != 0, StageData.m_nAutoScrollSpeedY);
    m_ScrollY.SetRange(StageData.m_nScrollTop, StageData.m_nScrollBottom, StageData.m_bScrollTop != 0,
                       StageData.m_bScrollBottom != 0);
    lpScrollX = &m_ScrollX;
    lpScrollY = &m_ScrollY;

    cBlockData empty;
    empty.m_sGraphic = 0;
    empty.m_cCollision = BLOCK_PASSABLE;
    empty.m_bProtected = 0;
    BlockMap.clear();
    try {
        BlockMap.assign(static_cast<size_t>(std::max(0, m_ScrollY.m_nPitch)) * m_ScrollX.m_nPitch, empty);
    } catch (const std::bad_alloc&) {
        return FailForMemory();
    }
    for (const cBlockData& block : StageData.m_PlacedBlocks) {
        cBlockData* cell = BlockMapCell(block.m_sCellX + MARGIN, block.m_sCellY + MARGIN);
        // A record whose cell lies off the map (or past the end of a row,
        // which would land it in the next one) is reported and left out.
        if (cell) *cell = block;
        else CheckedAt(BlockMap, static_cast<int>(BlockMap.size()));
    }

    m_nPlayers = 1;
    Player.clear();
    Player.resize(m_nPlayers);
    TraceLog("A");
    for (cPlayer& p : Player) {
        cCharaData& def = CheckedAt(StageData.m_PlacedCharas, hero);
        if (GameProgress.m_bNextStart) def.m_cFacing = static_cast<int8_t>(GameProgress.m_nNextStartDir);
        p.Setup(m_nNextCharaSerial++, def, CellCentre(def.m_sCellX), CellCentre(def.m_sCellY));
        if (GameProgress.m_bNextStart) {
            def.m_sCellX = static_cast<int16_t>(GameProgress.m_nNextStartX);
            def.m_sCellY = static_cast<int16_t>(GameProgress.m_nNextStartY);
        }
        p.SetBlockPos(def.m_sCellX, def.m_sCellY);
        MoveBy(p, def.OffsetX(0, p.m_nFacing), def.OffsetY(0, p.m_nFacing));
        if (StageData.m_bCarryIn) GameProgress.RestoreCarryOverExtra(0, &p.m_nHp, &p.m_nSp);
        p.m_Anime.Set(p.m_bNoGravity ? 2 : 0, 1);
    }

    TraceLog("B");
    cPlayer& p1 = Player[P1];
    m_ScrollX.m_dPos = p1.m_dLeft - 320 + p1.m_nHitW / 2;
    m_ScrollY.m_dPos = p1.m_dTop - 240 + p1.m_nHitH / 2;
    m_ScrollX.Clamp();
    m_ScrollY.Clamp();
    p1.UpdateScreenPos();

    m_StageVars.assign(STAGE_VAR_COUNT, 0);

    TraceLog("10");
    int placedItems = static_cast<int>(StageData.m_PlacedItems.size());
    std::vector<char> carried(static_cast<size_t>(placedItems), 0);
    auto linkOf = [placedItems](const cCharaData& c) {
        return c.m_nItemLink >= 0 && c.m_nItemLink < placedItems ? c.m_nItemLink : -1;
    };
    for (const cCharaData& c : StageData.m_PlacedCharas)
        if (c.m_cControl != CHARA_PLAYER && linkOf(c) == -1)
            SpawnStageCharacters(CharaList, c.m_sCellX, c.m_sCellY, m_nNextCharaSerial, c, nullptr);
    for (const cCharaData& c : StageData.m_PlacedCharas) {
        int link = linkOf(c);
        if (c.m_cControl == CHARA_PLAYER || link == -1) continue;
        cItem item;
        item.Setup(m_nNextItemSerial++, StageData.m_PlacedItems[static_cast<size_t>(link)], 1);
        SpawnStageCharacters(CharaList, c.m_sCellX, c.m_sCellY, m_nNextCharaSerial, c, &item);
        carried[static_cast<size_t>(link)] = 1;
    }
    for (int i = 0; i < placedItems; ++i)
        if (!carried[static_cast<size_t>(i)]) {
            const cItemData& item = StageData.m_PlacedItems[static_cast<size_t>(i)];
            SpawnStageItems(ItemList, item.m_sCellX, item.m_sCellY, m_nNextItemSerial, item);
        }
    TraceLog("11");
    TraceLog("12");
    TraceLog("C");
    TraceLog("D");

    CheckedAt(m_CharaLayers, p1.m_nHitLayer).push_back(&p1);
    for (cNpc& c : CharaList) CheckedAt(m_CharaLayers, c.m_nHitLayer).push_back(&c);

    for (int k = 0; k < 3; ++k) {
        const cScreenEdgeData& e = StageData.m_ScreenEdges[k];
        m_bEdgeTest[k] = e.m_bLeft || e.m_bRight || e.m_bTop || e.m_bBottom ? 1 : 0;
    }

    m_MessageList.clear();
    m_EffectList.clear();
    m_ScrEffect = cEffectRun();
    m_ScreenTint = cScreenTint();
    m_ScreenTint.m_nSavedAlpha = 255;
    m_Wait[4] = 0;
    m_PictureList.clear();
    ResetStageSurfaces();

    m_HitSchedule = StageData.HitSchedule();

    m_nStageRequest = STAGEREQ_NONE;
    m_nBannerFrames = m_nBannerFrames2 = 0;
    if (StageData.m_bTimeLimit) {
        m_bTimerOff = 0;
        m_nTime = StageData.m_nTimeLimit;
    } else {
        m_nTime = 999;
        m_bTimerOff = 1;
    }
    m_nPlayFrames = m_nPlayTime = 0;
    m_ActiveGroups.assign(60, 0);
    m_nNextLinkedStage = m_nSubStep = m_nSubStepTotal = 0;

    GameProgress.m_nScore = 0;
    if (replayPlayback || m_Modes.DirectTestPlay()) GameProgress.ClearTotals();
    GameProgress.SaveStageStart();

    StageHost().CountEvery(0, 0);
    StageHost().SetUpPlay(StageData.m_nFrameRate);

    if (SystemData.m_bLegacyStartTrigger) {
        p1.FireTrigger(TRIGGER_BEFORE_STAGE_START);
        for (auto it = CharaList.begin(); it != CharaList.end();) {
            it->FireTrigger(TRIGGER_BEFORE_STAGE_START);
            it = EndAfterStartTrigger(*this, it);
        }
    } else {
        UpdateConditions();
        p1.FireTrigger(TRIGGER_BEFORE_STAGE_START);
        for (auto it = CharaList.begin(); it != CharaList.end();) {
            if (!it->m_bActive) {
                ++it;
                continue;
            }
            it->FireTrigger(TRIGGER_BEFORE_STAGE_START);
            it = EndAfterStartTrigger(*this, it);
        }
    }
    UpdateConditions();
    m_nStatusBarKind = StageData.m_bStatusBar;
    TraceLog("Out SetStage");
    return true;
}

void cStageScene::SpawnStageCharacters(std::list<cNpc>& list, int column, int row, int& serial,
                                       const cCharaData& def, const cItem* item)
{
    // Each character is built where it stays: its running flows point into
    // its own copy of the definition.
    const cCharaData copy = def;
    for (int i = 0; i <= copy.m_cExtraCopies; ++i) {
        cNpc& npc = list.emplace_back();
        npc.Setup(serial, copy, item, CellCentre(column), CellCentre(row), static_cast<int16_t>(i));
        npc.SetBlockPos(column, row);
        MoveBy(npc, copy.OffsetX(i, npc.m_nFacing), copy.OffsetY(i, npc.m_nFacing));
        if (!npc.IsInsideBounds(0)) {
            list.pop_back();
            continue;
        }
        npc.ClampX();
        npc.ClampY();
        npc.UpdateScreenPos();
        ++serial;
    }
}

void cStageScene::SpawnStageItems(std::list<cItem>& list, int column, int row, int& serial, const cItemData& def)
{
    cItem item;
    item.Setup(serial, def, 0);
    item.SetBlockPos(column, row);
    MoveBy(item, item.m_ItemData.m_sOffsetX, item.m_ItemData.m_sOffsetY);
    if (!item.IsInsideBounds(0)) return;
    item.ClampX(2);
    item.ClampY(2);
    item.UpdateScreenPos();
    list.push_back(item);
    ++serial;
}

void cStageScene::SpawnCharacter(std::list<cNpc>& list, double x, double y, int hitLayer, int facing,
                                 int summonerFacing, const cEdShot& record, const cCharaData& def, int& serial)
{
    cCharaData copy = def;
    copy.m_cFacing = static_cast<int8_t>(facing);
    copy.m_cPass = static_cast<int8_t>(hitLayer);
    if (record.m_bNoScore) copy.m_nScore = 0;
    for (int i = 0; i <= copy.m_cExtraCopies; ++i) {
        cNpc& added = list.emplace_back();
        added.Setup(serial, copy, nullptr, 320 + x + 16, 320 + y + 16, static_cast<int16_t>(i));
        added.SetPosition(x + added.m_nDrawOffX, y + added.m_nDrawOffY);
        MoveBy(added, copy.OffsetX(i, added.m_nFacing), copy.OffsetY(i, added.m_nFacing));
        if (!added.IsInsideBounds(0)) {
            list.pop_back();
            continue;
        }
        added.ClampX();
        added.ClampY();
        if (IsCharaBlocked(&added)) {
            list.pop_back();
            continue;
        }
        SetSummonLife(added, record);
        CheckedAt(m_CharaLayers, added.m_nHitLayer).push_front(&added);
        ++serial;
    }
}

void cStageScene::SpawnItem(std::list<cItem>& list, double x, double y, int summonerFacing, const cEdShot& record,
                            const cItemData& def, int& serial)
{
    cItem item;
    item.Setup(serial, def, 0);
    item.SetPosition(x + item.m_nDrawOffX, y + item.m_nDrawOffY);
    MoveBy(item, item.m_ItemData.m_sOffsetX, item.m_ItemData.m_sOffsetY);
    if (!item.IsInsideBounds(0)) return;
    item.ClampX(2);
    item.ClampY(2);
    SetSummonLife(item, record);
    list.push_back(item);
    ++serial;
}

int cStageScene::PlaceBlock(double x, double y, const cEdShot& record, const cBlockData& block)
{
    int column = static_cast<int>(x + 16.5) >> 5;
    int row = static_cast<int>(y + 16.5) >> 5;
    // A cell off the map is left as it is.
    cBlockData* cell = BlockMapCell(column, row);
    if (!cell) return 0;
    int index = static_cast<int>(cell - BlockMap.data());
    if (SystemData.m_bPlaceIgnoresCond) {
        if (cell->m_bProtected) return 0;
    } else if (cell->m_sGraphic != 0 && cell->m_bProtected && CheckBlockConditions(*cell)) {
        return 0;
    }

    // Overwrites the cell; false when a player or character in it made the
    // summon give way (the cell then keeps what it held).
    auto place = [&]() {
        cBlockData previous = *cell;
        *cell = block;
        double left = column * CELL, top = row * CELL;
        double right = left + CELL - 0.1, bottom = top + CELL - 0.1;
        auto squeezed = [&](cChara& c) {
            if (!c.OverlapsRect(left, top, right, bottom) || cell->GetCollision(c.m_nHitLayer) != BLOCK_SOLID)
                return false;
            c.m_nSqueezeGrace = 2;
            return true;
        };
        for (cPlayer& p : Player)
            if (IsLiving(p) && squeezed(p) && record.m_bCancelOnPlayer) {
                *cell = previous;
                return false;
            }
        for (cNpc& c : CharaList)
            if (IsLiving(c) && c.m_bActive && squeezed(c) && record.m_bCancelOnChara) {
                *cell = previous;
                return false;
            }
        return true;
    };

    switch (record.m_cBlockSummonMode) {
    case 0: place(); break;
    case 1: *cell = CheckedAt(CommonPalette.m_Blocks, 0); break;
    case 2:
        if (std::find(m_SummonedBlocks.begin(), m_SummonedBlocks.end(), index) != m_SummonedBlocks.end()) break;
        if (cell->m_sGraphic != 0 && CheckBlockConditions(*cell)) {
            *cell = CheckedAt(CommonPalette.m_Blocks, 0);
            m_SummonedBlocks.push_back(index);
        } else if (place()) {
            m_SummonedBlocks.push_back(index);
        }
        break;
    default: break;
    }
    return 0;
}
