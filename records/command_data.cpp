#include "records/command_data.h"

#include <algorithm>

#include "records/flow_data.h"
#include "records/inherit.h"
#include "records/record_context.h"

namespace {

// Commands carry flows, whose commands carry flows again. Games nest them two
// or three levels deep; a file that nests them deeper than this is damaged,
// and reading on would only exhaust the stack.
constexpr int kMaxCommandNesting = 32;
thread_local int nCommandLoadDepth = 0;

struct CommandLoadDepth {
    CommandLoadDepth() { ++nCommandLoadDepth; }
    ~CommandLoadDepth() { --nCommandLoadDepth; }
};

// value + 1 with the wrap-around of a 32-bit parameter.
int32_t PlusOne(int32_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value) + 1u); }

// The frames of a sword type add up to the sword's time, which the game caps
// at 9999 tenths of a second. The sum is wide enough that no count of
// negative frames can wrap it past the cap.
int16_t SwordTime(int swordType)
{
    if (!IsInList(swordType, RecordContext.SwordTypes())) return 0;
    int64_t total = 0;
    for (int16_t duration : RecordContext.SwordFrames[static_cast<size_t>(swordType)]) {
        total += duration;
        if (total >= 9999) return 9999;
    }
    return static_cast<int16_t>(std::max<int64_t>(total, 0));
}

} // namespace

cCommandData::cCommandData()
{
    RegisterFields(DATA_VERSION);
    Reset();
}

cCommandData::cCommandData(const cCommandData& other) : cDataRecord(other) { CopyFrom(other); }
cCommandData::cCommandData(cCommandData&& other) noexcept = default;
cCommandData& cCommandData::operator=(cCommandData&& other) noexcept = default;
cCommandData::~cCommandData() = default;

cCommandData& cCommandData::operator=(const cCommandData& other)
{
    if (this != &other) {
        cDataRecord::operator=(other);
        CopyFrom(other);
    }
    return *this;
}

void cCommandData::CopyFrom(const cCommandData& other)
{
    m_bItemCommand = other.m_bItemCommand;
    m_cKind = other.m_cKind;
    m_Params = other.m_Params;
    m_sText = other.m_sText;
    // Records of its own, so that changing a copy's movement or shot never
    // changes the command it was copied from.
    m_pMove.reset();
    if (other.m_pMove) {
        NewEdMove(m_pMove);
        *m_pMove = *other.m_pMove;
    }
    m_pShot.reset();
    if (other.m_pShot) {
        NewEdShot(m_pShot);
        *m_pShot = *other.m_pShot;
    }
    m_sTime = other.m_sTime;
    m_sTimeStep = other.m_sTimeStep;
    m_bNoWait = other.m_bNoWait;
    m_sSound = other.m_sSound;
    m_bSoundOnScreen = other.m_bSoundOnScreen;
    m_sStartAnime = other.m_sStartAnime;
    AssignRecords(m_Flows, other.m_Flows);
}

void cCommandData::Reset()
{
    Clear();
    m_pMove.reset();
    m_pShot.reset();
    m_bSoundOnScreen = 1;
}

void cCommandData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_bItemCommand);
    RegisterByte(&m_cKind);
    RegisterShort(&m_sTime);
    RegisterShort(&m_sTimeStep);
    RegisterByte(&m_bNoWait);
    RegisterShort(&m_sSound);
    RegisterByte(&m_bSoundOnScreen);
    RegisterShort(&m_sStartAnime);
    RegisterString(&m_sText);
}

int cCommandData::CharaKind() const
{
    if (!m_bItemCommand) return m_cKind >= 0 && m_cKind < FLOWCMD_COUNT ? m_cKind : -1;
    if (m_cKind == ITEMCMD_NONE) return FLOWCMD_NONE;
    if (m_cKind >= ITEMCMD_FIRST_SHARED && m_cKind < ITEMCMD_COUNT) return m_cKind + ITEMCMD_TO_FLOWCMD;
    return -1;
}

int cCommandData::ParamCount() const
{
    if (m_cKind < 0) return -1;
    if (!m_bItemCommand) return m_cKind < FLOWCMD_COUNT ? aCommandLabel[m_cKind].nParams : -1;
    return m_cKind < ITEMCMD_COUNT ? aItemCommandLabel[m_cKind].nParams : -1;
}

void cCommandData::SetParam(size_t i, int32_t value)
{
    if (i >= m_Params.size()) ResizeParams(i + 1);
    m_Params[i] = value;
}

bool cCommandData::Load(cDataReader& in)
{
    if (nCommandLoadDepth >= kMaxCommandNesting)
        return in.Fail("commands nested more than %d deep", kMaxCommandNesting);
    {
        CommandLoadDepth depth;
        cDataRecord::Load(in);
        ReadOptionalRecord(m_pMove, in, [] {
            boost::shared_ptr<cEdMove> p;
            NewEdMove(p);
            return p;
        });
        ReadOptionalRecord(m_pShot, in, [] {
            boost::shared_ptr<cEdShot> p;
            NewEdShot(p);
            return p;
        });
        ReadFlowList(m_Flows, in);
        in.ReadIntVector(m_Params);
    }
    if (nFileVersion < DATA_VERSION) Upgrade();
    EraseMarkedFlows(m_Flows);
    Validate();
    return in.Ok();
}

// Brings the parameters of an older command to the current layout: every
// change whose version lies above the file's, in the order they were made.
// A position the stored list does not reach reads as 0.
void cCommandData::Upgrade()
{
    const int v = nFileVersion;
    const int kind = CharaKind();

    // Character statuses were inserted into the status list at 10 and then at 5.
    auto shiftCharaStatuses = [this](int from) {
        if (Param(0) == 0 && Param(3) != 2 && Param(4) >= from) SetParam(4, PlusOne(Param(4)));
        if (Param(6) == 2 && Param(12) != 2 && Param(13) >= from) SetParam(13, PlusOne(Param(13)));
    };
    // Inserts a parameter at position at with value, keeping the list n long.
    auto insertParam = [this](size_t n, size_t at, int32_t value) {
        ResizeParams(n);
        for (size_t i = n - 1; i > at; --i) m_Params[i] = m_Params[i - 1];
        m_Params[at] = value;
    };

    if (v < 145 && kind == FLOWCMD_STAGE_CLEAR) ResizeParams(9);
    if (v < 166 && kind == FLOWCMD_PLAY_BGM) {
        ResizeParams(2);
        m_Params[1] = 1;
    }
    if (v < 168 && kind == FLOWCMD_STATUS_OP) shiftCharaStatuses(10);
    if (v < 189 && kind == FLOWCMD_SET_TARGET) insertParam(10, 2, 0);
    if (v < 194 && kind == FLOWCMD_SHOW_PICTURE) insertParam(14, 6, 1);
    if (v < 195 && (kind == FLOWCMD_CHARA_EFFECT || kind == FLOWCMD_SCREEN_EFFECT)) insertParam(3, 1, 0);
    if (v < 203 && (kind == FLOWCMD_SUMMON_CHARA || kind == FLOWCMD_SUMMON_ITEM)) ResizeParams(0);
    if (v < 203 && kind == FLOWCMD_FLOW_CONTROL) ResizeParams(3);
    if (v < 203 && kind == FLOWCMD_STATUS_OP) shiftCharaStatuses(5);
    // A character state was inserted at 6.
    if (v < 210 && kind == FLOWCMD_STATUS_OP2 && Param(0) != 2 && Param(1) >= 6) SetParam(1, PlusOne(Param(1)));
    // Graphic numbers of kind 3 and of shots were counted from 0.
    if (v < 219 && kind == FLOWCMD_CHANGE_GRAPHIC && Param(0) == 3)
        SetParam(1, static_cast<int32_t>(std::min<int64_t>(int64_t{Param(1)} + 1, 119)));
    if (v < 220 && kind == FLOWCMD_SHOT && m_pShot)
        m_pShot->m_sGraphic = static_cast<int16_t>(std::min(m_pShot->m_sGraphic + 1, 119));
    // Charges had no angle of their own.
    if (v < 514 && kind == FLOWCMD_CHARGE_MOVE && m_pMove) {
        m_pMove->m_sAngle = 0;
        m_pMove->m_sAngleStep = 0;
        m_pMove->m_bMirrorAngle = 1;
    }
    if (v < 545 && kind == FLOWCMD_MESSAGE) {
        ResizeParams(17);
        m_Params[10] = 1;
    }
    if (v < 545 && kind == FLOWCMD_SHOW_PICTURE) {
        ResizeParams(14);
        m_Params[11] = 0;
    }
    if (v < 546 && kind == FLOWCMD_MESSAGE) SetParam(10, Param(0) == 0 || Param(0) == 7 ? 1 : 0);
    if (v < 547 && kind == FLOWCMD_MESSAGE) {
        ResizeParams(17);
        m_Params[11] = 0;
        m_Params[12] = 0;
        m_Params[13] = 0;
        m_Params[14] = 1;
        m_Params[15] = 0;
    }
    if (v < 547 && kind == FLOWCMD_SHOW_PICTURE) {
        ResizeParams(14);
        m_Params[12] = 0;
        m_Params[13] = 0;
    }
    if (v <= 555 && kind == FLOWCMD_MESSAGE) {
        ResizeParams(17);
        m_Params[16] = 1;
    }
}

void cCommandData::Save(cDataWriter& out)
{
    Validate();
    cDataRecord::Save(out);
    WriteOptionalRecord(m_pMove, out);
    WriteOptionalRecord(m_pShot, out);
    WriteRecords(m_Flows, out);
    out.WriteIntVector(m_Params);
}

void cCommandData::Validate()
{
    const cRecordContext& db = RecordContext;
    if (!IsInList(m_sStartAnime, db.nAnimes)) m_sStartAnime = 0;
    if (!IsInList(m_sSound, db.nSounds)) m_sSound = 0;

    // A kind outside the vocabulary keeps its parameters as stored.
    int count = ParamCount();
    if (count >= 0) ResizeParams(static_cast<size_t>(count));

    // A database reference outside its list: the first parameter of most
    // kinds falls back to the list's first real entry.
    auto repairFirstParam = [this](int listLength, int replacement) {
        if (!m_Params.empty() && !IsInList(m_Params[0], listLength)) m_Params[0] = replacement;
    };
    switch (CharaKind()) {
    case FLOWCMD_SWORD:
        if (m_pShot) {
            if (!IsInList(m_pShot->m_cMotion, db.SwordTypes())) m_pShot->m_cMotion = 0;
            m_sTime = SwordTime(m_pShot->m_cMotion);
        }
        break;
    case FLOWCMD_CHANGE_ANIMSET: repairFirstParam(db.nAnimeSets, 0); break;
    case FLOWCMD_PLAY_ANIM: repairFirstParam(db.nAnimes, FirstEntryOr0(db.nAnimes)); break;
    case FLOWCMD_PLAY_EFFECT: repairFirstParam(db.nEffects, FirstEntryOr0(db.nEffects)); break;
    case FLOWCMD_CHARA_EFFECT: repairFirstParam(db.nCharaEffects, FirstEntryOr0(db.nCharaEffects)); break;
    case FLOWCMD_SCREEN_EFFECT: repairFirstParam(db.nScrEffects, FirstEntryOr0(db.nScrEffects)); break;
    case FLOWCMD_SHOW_PICTURE: repairFirstParam(db.nPictures, FirstEntryOr0(db.nPictures)); break;
    case FLOWCMD_PLAY_SE: repairFirstParam(db.nSounds, FirstEntryOr0(db.nSounds)); break;
    case FLOWCMD_PLAY_BGM: repairFirstParam(db.nBgms, FirstEntryOr0(db.nBgms)); break;
    default: break;
    }

    for (cFlowData& flow : m_Flows) flow.Validate();
}

void cCommandData::ValidateRefs()
{
    const cRecordContext& c = RecordContext;
    // Rows in the palette that a choice of 0 (common) or 1 (stage) names;
    // -1 for any other choice, whose reference is left alone.
    auto rows = [](const int (&lists)[2], int choice) { return choice == 0 || choice == 1 ? lists[choice] : -1; };

    switch (CharaKind()) {
    case FLOWCMD_SHOT:
    case FLOWCMD_SWORD:
        // The item a hit leaves names its palette as an item source does.
        if (m_pShot) RepairPaletteRef(m_pShot->m_cHitItemSource, m_pShot->m_sHitItem, c.nPaletteItems);
        break;
    case FLOWCMD_SUMMON_BLOCK:
    case FLOWCMD_SUMMON_CHARA:
    case FLOWCMD_SUMMON_ITEM:
        if (m_pShot) {
            const int(&lists)[2] = CharaKind() == FLOWCMD_SUMMON_BLOCK   ? c.nPaletteBlocks
                                   : CharaKind() == FLOWCMD_SUMMON_CHARA ? c.nPaletteCharas
                                                                         : c.nPaletteItems;
            int n = rows(lists, m_pShot->m_cPalette);
            if (n >= 0 && !IsInList(m_pShot->m_sPaletteIndex, n))
                m_pShot->m_sPaletteIndex = static_cast<int16_t>(FirstEntryOr0(n));
        }
        break;
    case FLOWCMD_GET_ITEM: {
        int n = rows(c.nPaletteItems, Param(0));
        if (n >= 0 && !IsInList(Param(1), n)) SetParam(1, FirstEntryOr0(n));
        break;
    }
    default: break;
    }

    for (cFlowData& flow : m_Flows) flow.ValidateRefs();
}

bool ReadCommandList(std::vector<cCommandData>& list, cDataReader& in)
{
    return ReadRecords(list, in);
}
