#include "records/stage_data.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <type_traits>

#include "app/base/log.h"

#include "records/palette_data.h"
#include "records/record_context.h"
#include "records/record_list.h"

namespace {

constexpr double DEFAULT_GRAVITY = 0.4;

// The editor offers levels 1 to 19 and checks counts 0 to 5. A stored value
// outside them stays as it is, but the timing is derived from the nearest
// offered one: a level of 0 would leave a frame without sub-steps.
int OfferedLevel(int level) { return std::clamp(level, 1, 19); }
int OfferedPasses(int passes) { return std::clamp(passes, 0, 5); }

// Levels 11 to 19 are levels 1 to 9 with the full speed limit of level 10.
bool FullSpeedLevel(int level) { return level >= 11 && level <= 19; }
int SubStepsOfLevel(int level)
{
    level = OfferedLevel(level);
    return FullSpeedLevel(level) ? level - 10 : level;
}

// value, held at most cells - before; the stage's size may be anything a
// file holds, so the limit is worked out in 64 bits.
int32_t AtMostCellsBefore(int32_t value, int32_t cells, int before)
{
    int64_t limit = std::max<int64_t>(int64_t(cells) - before, INT32_MIN);
    return static_cast<int32_t>(std::min<int64_t>(value, limit));
}

// A list of placed objects: u32 n, then per object a u32 that nothing reads
// (written 0) and the record. The list grows as its records are read.
template <class T>
bool ReadPlacedList(std::vector<T>& list, cDataReader& in)
{
    uint32_t n = 0;
    if (!in.ReadCount(n, 4 + MinStoredBytes<T>())) return false;
    list.clear();
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t unused = 0;
        if (!in.ReadU32(unused)) return false;
        list.push_back(T());
        if (!list.back().Load(in)) return false;
    }
    return true;
}

template <class T>
void WritePlacedList(std::vector<T>& list, cDataWriter& out)
{
    out.WriteU32(static_cast<uint32_t>(list.size()));
    for (T& record : list) {
        out.WriteU32(0);
        record.Save(out);
    }
}

// Names a stage's palette as the stage palette in RecordContext while the
// stage reads, checks or writes its definitions, which inherit from it and
// are checked against its row counts; the previous one is named again after.
class ScopedStagePalette {
public:
    explicit ScopedStagePalette(cStageData& stage)
        : m_Previous(RecordContext.Palettes[PALETTE_STAGE]),
          m_nBlocks(RecordContext.nPaletteBlocks[PALETTE_STAGE]),
          m_nCharas(RecordContext.nPaletteCharas[PALETTE_STAGE]),
          m_nItems(RecordContext.nPaletteItems[PALETTE_STAGE])
    {
        RegisterPalette(PALETTE_STAGE, stage.Lists());
    }
    ~ScopedStagePalette()
    {
        RecordContext.Palettes[PALETTE_STAGE] = m_Previous;
        RecordContext.nPaletteBlocks[PALETTE_STAGE] = m_nBlocks;
        RecordContext.nPaletteCharas[PALETTE_STAGE] = m_nCharas;
        RecordContext.nPaletteItems[PALETTE_STAGE] = m_nItems;
        SyncPaletteRowCounts();
    }
    ScopedStagePalette(const ScopedStagePalette&) = delete;
    ScopedStagePalette& operator=(const ScopedStagePalette&) = delete;

private:
    cPaletteLists m_Previous;
    int m_nBlocks, m_nCharas, m_nItems;
};

} // namespace

cStageData::cStageData()
{
    RegisterFields(DATA_VERSION);
    Reset();
}

void cStageData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nWidth);
    RegisterInt(&m_nKept2);
    RegisterInt(&m_nKept3);
    RegisterInt(&m_nHeight);
    RegisterInt(&m_bScrollLeft);
    RegisterInt(&m_bScrollRight);
    RegisterInt(&m_bScrollTop);
    RegisterInt(&m_bScrollBottom);
    RegisterInt(&m_nScrollLeft);
    RegisterInt(&m_nScrollRight);
    RegisterInt(&m_nScrollTop);
    RegisterInt(&m_nScrollBottom);
    RegisterInt(&m_nFrameRate);
    RegisterInt(&m_bTimeLimit);
    RegisterInt(&m_nTimeLimit);
    RegisterInt(&m_nTimeWarning);
    RegisterInt(&m_bAutoScrollX);
    RegisterInt(&m_bAutoScrollY);
    RegisterInt(&m_nAutoScrollSpeedX);
    RegisterInt(&m_nAutoScrollSpeedY);
    RegisterDouble(&m_dGravity);
    RegisterInt(&m_nHitCheckLevel);
    RegisterInt(&m_nShotHitPasses);
    RegisterInt(&m_nBgm);
    if (version >= 166) RegisterInt(&m_bBgmLoop);
    if (version >= 199) RegisterInt(&m_bBgmKeep);
    RegisterInt(&m_bDrawLayers);
    RegisterInt(&m_bCarryIn);
    RegisterInt(&m_bCarryOut);
    if (version >= 183) RegisterInt(&m_bStatusBar);
    if (version >= 184) RegisterInt(&m_bAutoClearEnd);
    RegisterInt(&m_bStartBanner1);
    if (version >= 225) RegisterInt(&m_bStartBanner2);
    RegisterInt(&m_bClearBanner);
    RegisterInt(&m_bGameOverBanner);

    if (version >= 200) {
        RegisterInt(&m_nPlayerBodyW);
        RegisterInt(&m_nPlayerBodyH);
        RegisterInt(&m_nPlayerBodyFloatW);
        RegisterInt(&m_nPlayerBodyFloatH);
    }
    RegisterInt(&m_nPlayerHitW);
    RegisterInt(&m_nPlayerHitH);
    if (version >= 155) {
        RegisterInt(&m_nPlayerHitFloatW);
        RegisterInt(&m_nPlayerHitFloatH);
    }
    RegisterInt(&m_nPlayerHitSize1W);
    RegisterInt(&m_nPlayerHitSize1H);
    RegisterInt(&m_nPlayerCentredW);
    RegisterInt(&m_nPlayerCentredH);
    if (version >= 200) {
        RegisterInt(&m_nPlayerBodyAlign);
        RegisterInt(&m_nPlayerBodyFloatAlign);
    }
    if (version >= 155) {
        RegisterInt(&m_nPlayerHitAlign);
        RegisterInt(&m_nPlayerHitFloatAlign);
    }
    // The body box's display came with the body box; each value is its own field.
    for (int i = version >= 200 ? 0 : 1; i < 4; ++i) RegisterInt(&m_BoxDisplayMode[i]);
    for (int i = version >= 200 ? 0 : 1; i < 4; ++i) RegisterInt(&m_BoxDisplayColor[i]);

    if (version >= 200) {
        RegisterInt(&m_nCharaBodyW);
        RegisterInt(&m_nCharaBodyH);
        RegisterInt(&m_nCharaBodyFloatW);
        RegisterInt(&m_nCharaBodyFloatH);
    }
    RegisterInt(&m_nCharaHitW);
    RegisterInt(&m_nCharaHitH);
    if (version >= 155) {
        RegisterInt(&m_nCharaHitFloatW);
        RegisterInt(&m_nCharaHitFloatH);
    }
    RegisterInt(&m_nCharaHitSize1W);
    RegisterInt(&m_nCharaHitSize1H);
    if (version >= 200) {
        RegisterInt(&m_nCharaBodyAlign);
        RegisterInt(&m_nCharaBodyFloatAlign);
    }
    if (version >= 155) {
        RegisterInt(&m_nCharaHitAlign);
        RegisterInt(&m_nCharaHitFloatAlign);
    }
    RegisterInt(&m_nItemBoxW);
    RegisterInt(&m_nItemBoxH);
    RegisterInt(&m_nShotBoxW);
    RegisterInt(&m_nShotBoxH);
    RegisterInt(&m_nKept78);
    RegisterInt(&m_nKept79);
    RegisterInt(&m_nShotBox2W);
    RegisterInt(&m_nShotBox2H);
    RegisterInt(&m_nKept82);
    RegisterInt(&m_nKept83);
    RegisterInt(&m_nKept84);
    RegisterInt(&m_nObjectLimitX);
    RegisterInt(&m_nObjectLimitY);

    RegisterInt(&m_nSubSteps);
    RegisterDouble(&m_dSpeedScale);
    RegisterDouble(&m_dSubStepsSquared);
    RegisterDouble(&m_dSpeedLimit);
    RegisterDouble(&m_dGravityStep);
    RegisterDouble(&m_dSpeedLimitStep);
    RegisterInt(&m_nSubSteps8);

    RegisterInt(&m_bOnScreenOnly);
    RegisterInt(&m_nInvAttackerCpu);
    RegisterInt(&m_nInvGeneralCpu);
    RegisterInt(&m_nInvAttackerPlayer);
    RegisterInt(&m_nInvGeneralPlayer);

    RegisterString(&m_sText);
}

void cStageData::Reset()
{
    Clear();
    m_nFrameRate = 60;
    m_bTimeLimit = 0;
    m_nTimeLimit = 200;
    m_nTimeWarning = 20;
    m_dGravity = DEFAULT_GRAVITY;
    m_nHitCheckLevel = 10;
    m_nShotHitPasses = 0;
    m_bBgmLoop = 0;
    m_bBgmKeep = 0;
    m_bDrawLayers = 1;
    m_bStatusBar = 1;
    m_bAutoClearEnd = 0;
    m_bStartBanner1 = 0;
    m_bStartBanner2 = 1;
    m_bClearBanner = 1;
    m_bGameOverBanner = 1;
    m_bOnScreenOnly = 1;
    m_nInvAttackerCpu = 30;
    m_nInvGeneralCpu = 0;
    m_nInvAttackerPlayer = 30;
    m_nInvGeneralPlayer = 0;

    ResetRecords(m_Blocks, 1);
    ResetRecords(m_Charas, 1);
    ResetRecords(m_Items, 1);
    ResetRecords(m_PlacedBlocks, 0);
    ResetRecords(m_PlacedCharas, 0);
    ResetRecords(m_PlacedItems, 0);
    ResetRecords(m_Backgrounds, 1);
    m_RankList.assign(5, 1);
    for (int i = 0; i < EDGE_COUNT; ++i) {
        m_ScreenEdges[i].RegisterFields(DATA_VERSION);
        m_ScreenEdges[i].Clear();
    }
    m_ScreenEdges[EDGE_PLAYER_SHOT].Set(1, 0);
    m_ScreenEdges[EDGE_OTHER_SHOT].Set(1, 10);

    m_nPlayerBodyW = 16;
    m_nPlayerBodyH = 24;
    m_nPlayerBodyFloatW = 16;
    m_nPlayerBodyFloatH = 16;
    m_nPlayerHitW = 16;
    m_nPlayerHitH = 24;
    m_nPlayerHitFloatW = 16;
    m_nPlayerHitFloatH = 16;
    m_nPlayerHitSize1W = 12;
    m_nPlayerHitSize1H = 8;
    m_nPlayerCentredW = 16;
    m_nPlayerCentredH = 16;
    m_nPlayerBodyAlign = 1;
    m_nPlayerBodyFloatAlign = 0;
    m_nPlayerHitAlign = 1;
    m_nPlayerHitFloatAlign = 0;
    std::fill(std::begin(m_BoxDisplayMode), std::end(m_BoxDisplayMode), 0);
    std::fill(std::begin(m_BoxDisplayColor), std::end(m_BoxDisplayColor), 0);
    m_nCharaBodyW = 16;
    m_nCharaBodyH = 24;
    m_nCharaBodyFloatW = 16;
    m_nCharaBodyFloatH = 16;
    m_nCharaHitW = 12;
    m_nCharaHitH = 24;
    m_nCharaHitFloatW = 12;
    m_nCharaHitFloatH = 16;
    m_nCharaHitSize1W = 30;
    m_nCharaHitSize1H = 30;
    m_nCharaBodyAlign = 1;
    m_nCharaBodyFloatAlign = 0;
    m_nCharaHitAlign = 1;
    m_nCharaHitFloatAlign = 0;
    m_nItemBoxW = 28;
    m_nItemBoxH = 28;
    m_nShotBoxW = m_nShotBoxH = 16;
    m_nKept78 = m_nKept79 = 16;
    m_nShotBox2W = m_nShotBox2H = 16;
    m_nKept82 = m_nKept83 = 16;
    m_nKept84 = 1;
}

bool cStageData::Load(cDataReader& in)
{
    ScopedStagePalette palette(*this);
    cDataRecord::Load(in);
    if (in.Ok() && (m_nWidth < 0 || m_nHeight < 0))
        in.Fail("the stage is %ld by %ld cells", static_cast<long>(m_nWidth), static_cast<long>(m_nHeight));
    // Refused before anything is built for it: play could not make its map.
    if (in.Ok() && BlockMapCells(m_nWidth, m_nHeight) > MAX_BLOCK_MAP_CELLS)
        in.Fail("the stage is %ld by %ld cells: its block map of %lld cells is larger than the %lld play builds",
                static_cast<long>(m_nWidth), static_cast<long>(m_nHeight),
                static_cast<long long>(BlockMapCells(m_nWidth, m_nHeight)),
                static_cast<long long>(MAX_BLOCK_MAP_CELLS));
    in.ReadIntVector(m_RankList);
    for (cScreenEdgeData& edge : m_ScreenEdges) edge.Load(in);
    LoadObjectLists(in);
    ReadRecords(m_Backgrounds, in);
    ReadRecords(m_Texts, in);
    uint32_t marker = 0;
    // The marker's value is checked before the load starts, where a cut file
    // can still be refused as a whole.
    if (nFileVersion > 172) in.ReadU32(marker);
    if (!in.Ok()) return false;
    Upgrade(nFileVersion);
    Normalize();
    if (int changed = BoundPlayValues())
        ReportLog("stage \"%s\": %d values beyond what play can hold were brought within it", in.Path().c_str(),
                  changed);
    return true;
}

void cStageData::Save(cDataWriter& out)
{
    Normalize();
    WriteBody(out, *this, *this);
}

void cStageData::WriteBody(cDataWriter& out, cStageData& settings, cStageData& objects)
{
    settings.cDataRecord::Save(out);
    out.WriteIntVector(settings.m_RankList);
    for (cScreenEdgeData& edge : settings.m_ScreenEdges) edge.Save(out);
    objects.SaveObjectLists(out);
    WriteRecords(settings.m_Backgrounds, out);
    WriteRecords(settings.m_Texts, out);
    out.WriteU32(END_MARKER);
}

// The stage palette, then the placed blocks, characters and items. Row 0 of
// each palette list is the empty row whatever the file holds there.
bool cStageData::LoadObjectLists(cDataReader& in)
{
    ReadBlockList(m_Blocks, in) && ReadCharaList(m_Charas, in) && ReadItemList(m_Items, in);
    ResetReservedRows(m_Blocks, m_Charas, m_Items);
    ReadPlacedList(m_PlacedBlocks, in);
    ReadPlacedList(m_PlacedCharas, in);
    ReadPlacedList(m_PlacedItems, in);
    return in.Ok();
}

void cStageData::SaveObjectLists(cDataWriter& out)
{
    ScopedStagePalette palette(*this);
    WriteRecords(m_Blocks, out);
    WriteRecords(m_Charas, out);
    WriteRecords(m_Items, out);
    WritePlacedList(m_PlacedBlocks, out);
    WritePlacedList(m_PlacedCharas, out);
    WritePlacedList(m_PlacedItems, out);
}

// Settings that an older editor's files did not hold get the values its
// stages played with.
void cStageData::Upgrade(int version)
{
    if (version < 155) {
        m_nPlayerHitFloatW = m_nPlayerHitW;
        m_nPlayerHitFloatH = m_nPlayerHitH;
        m_nCharaHitFloatW = m_nCharaHitW;
        m_nCharaHitFloatH = m_nCharaHitH;
        m_nPlayerHitAlign = m_nPlayerHitFloatAlign = 0;
        m_nCharaHitAlign = m_nCharaHitFloatAlign = 0;
    }
    if (version < 166) m_bBgmLoop = 1;
    if (version < 181) {
        m_RankList.resize(5, 0);
        m_RankList[3] = m_RankList[4] = 0;
    }
    if (version < 183) m_bStatusBar = 1;
    if (version < 184) m_bAutoClearEnd = 0;
    if (version < 199) m_bBgmKeep = 0;
    if (version < 200) {
        m_nPlayerBodyW = 16;
        m_nPlayerBodyH = 24;
        m_nPlayerBodyFloatW = 16;
        m_nPlayerBodyFloatH = 16;
        m_nPlayerBodyAlign = 1;
        m_nPlayerBodyFloatAlign = 0;
        m_BoxDisplayMode[0] = 0;
        m_BoxDisplayColor[0] = 5;
        m_nCharaBodyW = 16;
        m_nCharaBodyH = 30;
        m_nCharaBodyFloatW = 16;
        m_nCharaBodyFloatH = 30;
        m_nCharaBodyAlign = 1;
        m_nCharaBodyFloatAlign = 1;
    }
    if (version < 225) m_bStartBanner2 = 0;
}

void cStageData::Normalize()
{
    ScopedStagePalette palette(*this);
    // A 640 by 480 view is 20 by 15 cells.
    m_nScrollLeft = AtMostCellsBefore(m_nScrollLeft, m_nWidth, 20);
    m_nScrollRight = AtMostCellsBefore(m_nScrollRight, m_nWidth, 1);
    m_nScrollTop = AtMostCellsBefore(m_nScrollTop, m_nHeight, 15);
    m_nScrollBottom = AtMostCellsBefore(m_nScrollBottom, m_nHeight, 1);
    SetHitCheckLevel(m_nHitCheckLevel);
    // The frame rate paces the whole stage: without frames there is no play.
    if (m_nFrameRate <= 0) m_nFrameRate = 60;
    // A tune the music list does not hold plays nothing.
    if (!IsInList(m_nBgm, RecordContext.nBgms)) m_nBgm = 0;
    CheckPaletteRows(m_Blocks, m_Charas, m_Items);
    ValidateDefinitions(m_PlacedBlocks, m_PlacedCharas, m_PlacedItems);
}

int64_t cStageData::BlockMapCells(int32_t width, int32_t height)
{
    int64_t columns = std::max<int64_t>(int64_t(width) + 19, 0);
    int64_t pitch = 1;
    while (pitch <= columns) pitch <<= 1;
    return std::max<int64_t>(int64_t(height) + 20, 0) * pitch;
}

int cStageData::BoundPlayValues()
{
    int changed = 0;
    auto bound = [&changed](auto& value, auto low, auto high) {
        auto was = value;
        value = std::clamp<std::remove_reference_t<decltype(value)>>(value, low, high);
        changed += value != was;
    };
    int32_t* boxes[] = {
        &m_nPlayerBodyW, &m_nPlayerBodyH, &m_nPlayerBodyFloatW, &m_nPlayerBodyFloatH, &m_nPlayerHitW,
        &m_nPlayerHitH, &m_nPlayerHitFloatW, &m_nPlayerHitFloatH, &m_nPlayerHitSize1W, &m_nPlayerHitSize1H,
        &m_nPlayerCentredW, &m_nPlayerCentredH, &m_nCharaBodyW, &m_nCharaBodyH, &m_nCharaBodyFloatW,
        &m_nCharaBodyFloatH, &m_nCharaHitW, &m_nCharaHitH, &m_nCharaHitFloatW, &m_nCharaHitFloatH,
        &m_nCharaHitSize1W, &m_nCharaHitSize1H, &m_nItemBoxW, &m_nItemBoxH, &m_nShotBoxW, &m_nShotBoxH,
        &m_nShotBox2W, &m_nShotBox2H};
    for (int32_t* box : boxes) bound(*box, -MAX_BOX_SIZE, MAX_BOX_SIZE);
    bound(m_nObjectLimitX, -MAX_OBJECT_LIMIT, MAX_OBJECT_LIMIT);
    bound(m_nObjectLimitY, -MAX_OBJECT_LIMIT, MAX_OBJECT_LIMIT);
    if (std::isnan(m_dGravity)) {
        m_dGravity = DEFAULT_GRAVITY;
        ++changed;
    }
    bound(m_dGravity, -MAX_GRAVITY, MAX_GRAVITY);
    if (changed) SetHitCheckLevel(m_nHitCheckLevel);
    return changed;
}

void cStageData::SetHitCheckLevel(int level)
{
    m_nHitCheckLevel = level;
    int b = SubStepsOfLevel(level);
    m_nSubSteps = b;
    m_dSpeedScale = b;
    m_dSubStepsSquared = double(b) * b;
    m_nSubSteps6 = b * 6;
    m_nSubSteps8 = b * 8;
    m_dSpeedLimit = FullSpeedLevel(OfferedLevel(level)) ? 60.0 : 6.0 * b;
    m_dSpeedLimitStep = m_dSpeedLimit / b;
    m_dGravityStep = m_dGravity / m_dSubStepsSquared;
}

int cStageData::FindHero() const
{
    for (size_t i = 0; i < m_PlacedCharas.size(); ++i)
        if (m_PlacedCharas[i].m_cControl == CHARA_PLAYER) return static_cast<int>(i);
    return -1;
}

void cStageData::AssignSettings(cStageData& from)
{
    if (&from == this) return;
    Assign(from);
    m_nSubSteps6 = from.m_nSubSteps6;
    m_RankList = from.m_RankList;
    for (int i = 0; i < EDGE_COUNT; ++i) m_ScreenEdges[i] = from.m_ScreenEdges[i];
    AssignRecords(m_Backgrounds, from.m_Backgrounds);
    AssignRecords(m_Texts, from.m_Texts);
}

std::vector<int> cStageData::HitSchedule() const
{
    int b = SubStepsOfLevel(m_nHitCheckLevel);
    int n = OfferedPasses(m_nShotHitPasses);
    if (n == 0) return std::vector<int>(b, 1);
    // The passes are spread evenly over the sub-steps. Should the positions
    // run out before every pass has had one, the last sub-step takes the rest.
    std::vector<int> schedule(b, 0);
    double step = double(b) / n;
    int set = 0;
    for (double p = 0.0; static_cast<unsigned>(p) < static_cast<unsigned>(b); p += step) {
        schedule[static_cast<unsigned>(p)] = 1;
        ++set;
    }
    if (set < n) schedule[b - 1] = 1;
    return schedule;
}
