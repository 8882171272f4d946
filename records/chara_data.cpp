#include "records/chara_data.h"

#include <algorithm>

namespace {

using Chara = cCharaData;

// The flow list of the base, or one default flow where that leaves none:
// a character that inherits its flows always has some.
void CopyFlows(Chara& to, const Chara& from)
{
    AssignRecords(to.m_Flows, from.m_Flows);
    if (to.m_Flows.empty()) to.m_Flows.push_back(DefaultListFlow());
}

// One copy per inheritance group, in flag order.
const InheritCopy<Chara> aInheritCopyChara[Chara::INHERIT_GROUPS] = {
    CopyNameGroup<Chara>,
    +[](Chara& t, const Chara& f) {
        t.m_cControl = f.m_cControl;
        t.m_cPlayerNo = f.m_cPlayerNo;
    },
    +[](Chara& t, const Chara& f) { t.m_cPass = f.m_cPass; },
    +[](Chara& t, const Chara& f) { t.m_cCharaId = f.m_cCharaId; },
    CopyConditionGroup<Chara>,
    +[](Chara& t, const Chara& f) { t.m_cFacing = f.m_cFacing; },
    +[](Chara& t, const Chara& f) { t.m_cExtraCopies = f.m_cExtraCopies; },
    +[](Chara& t, const Chara& f) {
        t.m_sOffsetXBase = f.m_sOffsetXBase;
        t.m_sOffsetXStep = f.m_sOffsetXStep;
        t.m_bMirrorX = f.m_bMirrorX;
    },
    +[](Chara& t, const Chara& f) {
        t.m_sOffsetYBase = f.m_sOffsetYBase;
        t.m_sOffsetYStep = f.m_sOffsetYStep;
        t.m_bMirrorY = f.m_bMirrorY;
    },
    +[](Chara& t, const Chara& f) {
        t.m_cGraphicKind = f.m_cGraphicKind;
        t.m_sGraphic = f.m_sGraphic;
        t.m_sChipOffset = f.m_sChipOffset;
    },
    +[](Chara& t, const Chara& f) { t.m_sAnimeSet = f.m_sAnimeSet; },
    +[](Chara& t, const Chara& f) { t.m_cZOrder = f.m_cZOrder; },
    +[](Chara& t, const Chara& f) { t.m_bTransparent = f.m_bTransparent; },
    +[](Chara& t, const Chara& f) {
        t.m_sPlaceEffect = f.m_sPlaceEffect;
        t.m_cPlaceEffectDir = f.m_cPlaceEffectDir;
        t.m_bPlaceEffectLoop = f.m_bPlaceEffectLoop;
    },
    +[](Chara& t, const Chara& f) {
        t.m_sDeathEffect = f.m_sDeathEffect;
        t.m_cDeathEffectDir = f.m_cDeathEffectDir;
    },
    +[](Chara& t, const Chara& f) {
        t.m_bMark = f.m_bMark;
        t.m_sMark = f.m_sMark;
    },
    +[](Chara& t, const Chara& f) { t.m_bFixedFacing = f.m_bFixedFacing; },
    +[](Chara& t, const Chara& f) { t.m_cFlying = f.m_cFlying; },
    +[](Chara& t, const Chara& f) {
        t.m_cInvincible = f.m_cInvincible;
        t.m_cInvincibleColor = f.m_cInvincibleColor;
    },
    +[](Chara& t, const Chara& f) { t.m_bFullCellBoxes = f.m_bFullCellBoxes; },
    +[](Chara& t, const Chara& f) { t.m_cSize = f.m_cSize; },
    +[](Chara& t, const Chara& f) { t.m_bAutoScrollSync = f.m_bAutoScrollSync; },
    +[](Chara& t, const Chara& f) {
        t.m_cSightShape = f.m_cSightShape;
        t.m_cSightRange = f.m_cSightRange;
    },
    +[](Chara& t, const Chara& f) { t.m_nMaxHp = f.m_nMaxHp; },
    +[](Chara& t, const Chara& f) { t.m_nMaxSp = f.m_nMaxSp; },
    +[](Chara& t, const Chara& f) { t.m_cContactBox = f.m_cContactBox; },
    +[](Chara& t, const Chara& f) { t.m_nPower = f.m_nPower; },
    +[](Chara& t, const Chara& f) { t.m_cImpact = f.m_cImpact; },
    +[](Chara& t, const Chara& f) { t.m_sDamageEffect = f.m_sDamageEffect; },
    +[](Chara& t, const Chara& f) { t.m_nDefence = f.m_nDefence; },
    +[](Chara& t, const Chara& f) { t.m_cImpactResist = f.m_cImpactResist; },
    +[](Chara& t, const Chara& f) { t.m_sStop = f.m_sStop; },
    +[](Chara& t, const Chara& f) {
        t.m_cRange = f.m_cRange;
        t.m_cAppear = f.m_cAppear;
    },
    +[](Chara& t, const Chara& f) {
        t.m_sGroup = f.m_sGroup;
        t.m_bGroupOn = f.m_bGroupOn;
    },
    +[](Chara& t, const Chara& f) { t.m_nScore = f.m_nScore; },
    +[](Chara& t, const Chara& f) { t.m_cReserved = f.m_cReserved; },
    CopyFlows,
};

bool FlowHoldsNothing(const cFlowData& flow)
{
    return flow.m_Conditions.empty() && flow.m_KeyConds.empty() && flow.m_Commands.empty();
}

} // namespace

cCharaData::cCharaData()
{
    RegisterFields(DATA_VERSION);
    Reset();
}

void cCharaData::Reset()
{
    m_sCellX = 0;
    m_sCellY = 0;
    m_nItemLink = 0;
    Clear();
    m_InheritFlags.assign(INHERIT_GROUPS, 0);
    m_cControl = CHARA_COMPUTER;
    m_cPass = 1;
    m_cZOrder = 3;
    m_bPlaceEffectLoop = 1;
    m_nMaxHp = 10;
    m_nDefence = 0;
    m_cGraphicKind = GRAPHIC_CHARA;
    m_sGraphic = 0;
    m_cSize = 1;
    m_sStop = 10;
    m_bFixedFacing = 1;
    m_cReserved = 1;
}

void cCharaData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_cInheritSource);
    RegisterShort(&m_sInheritIndex);
    RegisterString(&m_sName);
    RegisterByte(&m_cCondMode);
    RegisterByte(&m_bCondLatch);
    RegisterByte(&m_cFacing);
    RegisterByte(&m_cExtraCopies);
    RegisterShort(&m_sOffsetXBase);
    RegisterShort(&m_sOffsetXStep);
    RegisterShort(&m_sOffsetYBase);
    RegisterShort(&m_sOffsetYStep);
    RegisterByte(&m_bMirrorX);
    RegisterByte(&m_bMirrorY);
    RegisterShort(&m_sGraphic);
    RegisterByte(&m_cGraphicKind);
    RegisterShort(&m_sChipOffset);
    RegisterShort(&m_sAnimeSet);
    RegisterByte(&m_cZOrder);
    RegisterByte(&m_bTransparent);
    RegisterShort(&m_sPlaceEffect);
    if (version >= 196) RegisterByte(&m_cPlaceEffectDir);
    RegisterByte(&m_bPlaceEffectLoop);
    RegisterShort(&m_sDeathEffect);
    if (version >= 196) RegisterByte(&m_cDeathEffectDir);
    RegisterByte(&m_bMark);
    RegisterShort(&m_sMark);
    RegisterByte(&m_cControl);
    RegisterByte(&m_cPlayerNo);
    RegisterByte(&m_cPass);
    RegisterByte(&m_cCharaId);
    RegisterByte(&m_cFlying);
    RegisterByte(&m_bFixedFacing);
    RegisterByte(&m_cInvincible);
    if (version >= 285) RegisterByte(&m_cInvincibleColor);
    RegisterByte(&m_bFullCellBoxes);
    RegisterByte(&m_cSize);
    if (version >= 210) RegisterByte(&m_bAutoScrollSync);
    RegisterByte(&m_cSightShape);
    RegisterByte(&m_cSightRange);
    RegisterInt(&m_nMaxHp);
    RegisterInt(&m_nMaxSp);
    RegisterShort(&m_sStop);
    if (version >= 201) RegisterByte(&m_cContactBox);
    RegisterInt(&m_nPower);
    RegisterByte(&m_cImpact);
    RegisterShort(&m_sDamageEffect);
    if (version >= 168) RegisterInt(&m_nDefence);
    RegisterByte(&m_cImpactResist);
    RegisterInt(&m_nScore);
    RegisterByte(&m_cReserved);
    RegisterByte(&m_bGroupOn);
    RegisterShort(&m_sGroup);
    RegisterByte(&m_cRange);
    RegisterByte(&m_cAppear);
}

void cCharaData::ReadMiddle(cDataReader& in) { in.ReadI32(m_nItemLink); }

void cCharaData::WriteMiddle(cDataWriter& out) { out.WriteI32(m_nItemLink); }

void cCharaData::ReadTail(cDataReader& in)
{
    ReadFlowList(m_Flows, in);
    EraseMarkedFlows(m_Flows);
}

void cCharaData::WriteTail(cDataWriter& out) { WriteRecords(m_Flows, out); }

void cCharaData::UpgradeFrom(int fileVersion)
{
    if (fileVersion < DATA_VERSION) Upgrade(fileVersion);
}

// Groups that older layouts lacked are inherited, so that a definition based
// on another takes the values its base has for them.
void cCharaData::Upgrade(int version)
{
    if (version < 168) {
        m_nDefence = 0;
        InsertInheritFlag(27);
    }
    if (version < 196) {
        m_cPlaceEffectDir = 0;
        m_cDeathEffectDir = 0;
    }
    if (version < 201) {
        m_cContactBox = 0;
        InsertInheritFlag(24);
    }
    // A contact box choice was added before the shot-to-character box.
    if (version < 206 && m_cContactBox >= 2) ++m_cContactBox;
    if (version < 210) {
        m_bAutoScrollSync = 0;
        InsertInheritFlag(21);
    }
    UpgradeShotChip(*this, version);
    if (version < 285) m_cInvincibleColor = 1;
}

void cCharaData::InsertInheritFlag(size_t k)
{
    m_InheritFlags.resize(INHERIT_GROUPS, 0);
    for (size_t i = INHERIT_GROUPS - 1; i > k; --i) m_InheritFlags[i] = m_InheritFlags[i - 1];
    m_InheritFlags[k] = 1;
}

void cCharaData::Inherit() { InheritGroups(*this, &cPaletteLists::lpCharas, aInheritCopyChara); }

void cCharaData::ValidateRefs()
{
    const cRecordContext& c = RecordContext;
    RepairInheritRef(*this, c.nPaletteCharas);
    // A broken image points at the list's first real image, where there is one.
    if (m_cGraphicKind == GRAPHIC_DEDICATED && !IsInList(m_sGraphic, c.nCharaImages))
        m_sGraphic = static_cast<int16_t>(FirstEntryOr0(c.nCharaImages));
    if (m_cSize <= 0) m_cSize = 1;
    if (!IsInList(m_sAnimeSet, c.nAnimeSets)) m_sAnimeSet = 0;
    if (!IsInList(m_sPlaceEffect, c.nCharaEffects)) m_sPlaceEffect = 0;
    if (!IsInList(m_sDeathEffect, c.nCharaEffects)) m_sDeathEffect = 0;
    if (!IsInList(m_sDamageEffect, c.nEffects)) m_sDamageEffect = 0;
    for (cConditionData& condition : m_Conditions) condition.Validate();
    for (cFlowData& flow : m_Flows) flow.Validate();
    m_Flows.erase(std::remove_if(m_Flows.begin(), m_Flows.end(), FlowHoldsNothing), m_Flows.end());
}

void cCharaData::ValidateFlows()
{
    for (cFlowData& flow : m_Flows) flow.ValidateRefs();
}

double cCharaData::OffsetX(int n, int facing) const
{
    double offset = static_cast<double>(n) * m_sOffsetXStep + m_sOffsetXBase;
    return facing == 1 && m_bMirrorX ? -offset : offset;
}

double cCharaData::OffsetY(int n, int facing) const
{
    double offset = static_cast<double>(n) * m_sOffsetYStep + m_sOffsetYBase;
    return facing == 1 && m_bMirrorY ? -offset : offset;
}
