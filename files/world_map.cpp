#include "files/world_map.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/base/log.h"
#include "files/stage_key.h"
#include "records/record_list.h"

cWorldMap WorldMap;
const char* const aWorldStageKindLabel[4] = {"ワールド", "道", "壁", ""};
const char* const aWorldOnClearLabel[4] = {"しない", "2周目へ突入", "タイトルへ戻る", ""};

namespace {

// Far more cells than any map is drawn with; a size beyond it is damage, not a map.
constexpr int64_t kMaxCells = int64_t(1) << 22;

} // namespace

cWorldMapChip::cWorldMapChip()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cWorldMapChip::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nFirst);
    RegisterInt(&m_bImpassable);
    RegisterInt(&m_nPicture);
    RegisterString(&m_sFirstText);
    RegisterString(&m_sName);
}

cWorldMapStage::cWorldMapStage()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cWorldMapStage::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nKind);
    RegisterInt(&m_nIcon);
    RegisterInt(&m_nClearNo);
    RegisterInt(&m_bPassable);
    RegisterInt(&m_bReplayable);
    RegisterInt(&m_nOnClear);
    RegisterInt(&m_nRequiredClear);
    RegisterInt(&m_nVariable);
    RegisterInt(&m_nCompareValue);
    RegisterInt(&m_nCompareOp);
    if (version > 208) RegisterInt(&m_nMinTotal);
    RegisterString(&m_sCaption);
    RegisterString(&m_sStageFile);
}

bool cWorldMapStage::Load(cDataReader& in)
{
    bool ok = cDataRecord::Load(in);
    if (nFileVersion <= 208) m_nMinTotal = 0;
    return ok;
}

bool WorldCompare(int variable, int op, int value)
{
    // The magnitude, taken wide so that the most negative int has one.
    int64_t magnitude = std::llabs(static_cast<int64_t>(variable));
    switch (op) {
    case 0: return variable == value;
    case 1: return variable != value;
    case 2: return variable >= value;
    case 3: return variable <= value;
    case 4: return variable > value;
    case 5: return variable < value;
    case 6: return value == 0 || magnitude % value == 0;
    case 7: return value != 0 && magnitude % value != 0;
    default: return false;
    }
}

bool cWorldMapStage::IsInForce(const std::vector<int32_t>& clearFlags, const std::vector<int32_t>& commonVars,
                               int bestTotal) const
{
    auto flagSet = [&clearFlags](int n) {
        return n >= 0 && n < WORLD_CLEAR_FLAGS && static_cast<size_t>(n) < clearFlags.size() && clearFlags[n] != 0;
    };
    if (m_nClearNo < 0 || m_nClearNo >= WORLD_CLEAR_FLAGS) return false;
    if (m_nRequiredClear > 0 && !flagSet(m_nRequiredClear)) return false;
    if (m_nVariable != 0) {
        if (m_nVariable < 0 || static_cast<size_t>(m_nVariable) >= commonVars.size()) return false;
        if (!WorldCompare(commonVars[m_nVariable], m_nCompareOp, m_nCompareValue)) return false;
    }
    return bestTotal >= m_nMinTotal;
}

cWorldMapPoint::cWorldMapPoint()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cWorldMapPoint::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nX);
    RegisterInt(&m_nY);
    RegisterString(&m_sName);
}

bool cWorldMapPoint::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadRecords(m_Stages, in);
    return in.Ok();
}

void cWorldMapPoint::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    WriteRecords(m_Stages, out);
}

void cWorldMapPoint::SetDefault()
{
    RegisterFields(RecordContext.nDataVersion);
    Clear();
    m_Stages.assign(1, cWorldMapStage());
}

cWorldMap::cWorldMap()
{
    SetDefault();
}

void cWorldMap::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nWidth);
    RegisterInt(&m_nHeight);
    RegisterInt(&m_nPitch);
    RegisterInt(&m_nShift);
    RegisterInt(&m_nStartX);
    RegisterInt(&m_nStartY);
    RegisterInt(&m_nBackColor);
    RegisterInt(&m_bBackPicture);
    RegisterString(&m_sName);
    RegisterString(&m_sBackFile);
}

void cWorldMap::CalcPitch(int width, int32_t* shift, int32_t* pitch)
{
    int32_t s = 0;
    for (uint32_t w = width > 1 ? static_cast<uint32_t>(width - 1) : 0; w; w >>= 1) ++s;
    if (shift) *shift = s;
    if (pitch) *pitch = int32_t(1) << s;
}

int cWorldMap::SetSize(int width, int height)
{
    if (width <= 0 || height <= 0) {
        TraceLogF("SetSize()で 0 を指定しました！");
        return 0;
    }
    int32_t shift, pitch;
    CalcPitch(width, &shift, &pitch);
    if (width > (1 << 30) || int64_t(height) * pitch > kMaxCells) {
        ReportLog("err world map of %d x %d cells is too large", width, height);
        return 0;
    }
    std::vector<int32_t> before;
    int oldWidth = m_nWidth, oldHeight = m_nHeight, oldShift = m_nShift;
    if (!m_Cells.empty()) {
        before.swap(m_Cells);
        TraceLogF("nBeforeWidth = %d,nBeforePitch = %d,nBeforePitch_Shift = %d", oldWidth, m_nPitch, oldShift);
    }
    m_nWidth = width;
    m_nHeight = height;
    m_nShift = shift;
    m_nPitch = pitch;
    m_Cells.assign(static_cast<size_t>(height) * static_cast<size_t>(pitch), 0);
    if (!before.empty() && oldShift >= 0 && oldShift < 31) {
        for (int y = 0; y < oldHeight && y < height; ++y) {
            for (int x = 0; x < oldWidth && x < width; ++x) {
                int64_t from = (int64_t(y) << oldShift) + x;
                if (from >= static_cast<int64_t>(before.size())) break;
                m_Cells[(static_cast<size_t>(y) << shift) + x] = before[static_cast<size_t>(from)];
            }
        }
    }
    return 1;
}

void cWorldMap::Normalize()
{
    if (m_nStartX >= m_nWidth) m_nStartX = m_nWidth - 1;
    if (m_nStartY >= m_nHeight) m_nStartY = m_nHeight - 1;
    for (size_t i = 0; i < m_Points.size();) {
        if (m_Points[i].m_nX >= m_nWidth || m_Points[i].m_nY >= m_nHeight) m_Points.erase(m_Points.begin() + i);
        else ++i;
    }
}

void cWorldMap::SetDefault()
{
    RegisterFields(RecordContext.nDataVersion);
    Clear();
    m_sName = "ワールド";
    m_nStartX = 9;
    m_nStartY = 7;
    m_nBackColor = 16;
    m_bBackPicture = 0;
    m_Chips.assign(10, cWorldMapChip());
    for (int i = 0; i < 10; ++i) {
        m_Chips[i].m_nPicture = i;
        m_Chips[i].m_bImpassable = i < 5;
        m_Chips[i].m_sName = i < 5 ? "通行不可" : "通行可";
    }
    m_Cells.clear();
    SetSize(20, 15);
    m_Points.clear();
    m_SparePoints.assign(1, cWorldMapPoint());
    m_SparePoints[0].SetDefault();
    m_SparePoints[0].m_sName = "デフォルト";
}

bool cWorldMap::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadRecords(m_Chips, in);
    in.ReadIntVector(m_Cells);
    ReadRecords(m_Points, in);
    ReadRecords(m_SparePoints, in);
    // The stored cells are laid out by the pitch their width gives, whatever
    // pitch and shift the file claims; the table is rebuilt for the stored size.
    int width = m_nWidth, height = m_nHeight;
    CalcPitch(width, &m_nShift, &m_nPitch);
    if (!SetSize(width, height)) {
        in.Fail("the world map's size %d x %d cannot be used", width, height);
        SetDefault();
        return false;
    }
    Normalize();
    return in.Ok();
}

void cWorldMap::Save(cDataWriter& out)
{
    Normalize();
    cDataRecord::Save(out);
    WriteRecords(m_Chips, out);
    out.WriteIntVector(m_Cells);
    WriteRecords(m_Points, out);
    WriteRecords(m_SparePoints, out);
}

cWorldMapPoint* cWorldMap::FindPointAt(int x, int y)
{
    for (cWorldMapPoint& point : m_Points)
        if (point.m_nX == x && point.m_nY == y) return &point;
    return nullptr;
}

int cWorldMap::HasStageKey(const std::string& key) const
{
    for (const cWorldMapPoint& point : m_Points)
        for (const cWorldMapStage& stage : point.m_Stages)
            if (stage.m_nKind == WORLD_STAGE && StageKeyOfEntry(stage.m_sStageFile) == key) return 1;
    return 0;
}

int cWorldMap::CellAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return 0;
    size_t at = (static_cast<size_t>(y) << m_nShift) + static_cast<size_t>(x);
    return at < m_Cells.size() ? m_Cells[at] : 0;
}

bool cWorldMap::IsCellPassable(int x, int y) const
{
    const int chip = CellAt(x, y);
    if (chip < 0 || static_cast<size_t>(chip) >= m_Chips.size()) return true;
    return m_Chips[static_cast<size_t>(chip)].m_bImpassable == 0;
}

namespace {

constexpr int32_t kEntriesPerPoint = 65536;

} // namespace

int32_t cWorldMap::StageRef(const cWorldMapStage* entry) const
{
    if (!entry) return 0;
    const size_t points = std::min(m_Points.size(), static_cast<size_t>(INT32_MAX / kEntriesPerPoint - 1));
    for (size_t p = 0; p < points; ++p) {
        const std::vector<cWorldMapStage>& stages = m_Points[p].m_Stages;
        for (size_t e = 0; e < stages.size() && e < static_cast<size_t>(kEntriesPerPoint); ++e)
            if (&stages[e] == entry) return 1 + static_cast<int32_t>(p) * kEntriesPerPoint + static_cast<int32_t>(e);
    }
    return 0;
}

const cWorldMapStage* cWorldMap::FindStageRef(int32_t ref) const
{
    if (ref <= 0) return nullptr;
    const size_t p = static_cast<size_t>((ref - 1) / kEntriesPerPoint);
    const size_t e = static_cast<size_t>((ref - 1) % kEntriesPerPoint);
    if (p >= m_Points.size() || e >= m_Points[p].m_Stages.size()) return nullptr;
    return &m_Points[p].m_Stages[e];
}
