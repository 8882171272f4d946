#include "records/block_data.h"

namespace {

void CopyFront(cBlockData& to, const cBlockData& from) { to.m_bFront = from.m_bFront; }
void CopyCollision(cBlockData& to, const cBlockData& from) { to.m_cCollision = from.m_cCollision; }
void CopyPassThrough(cBlockData& to, const cBlockData& from) { to.m_cPassThrough = from.m_cPassThrough; }
void CopyEffect(cBlockData& to, const cBlockData& from)
{
    to.m_cEffect = from.m_cEffect;
    to.m_nEffectValue = from.m_nEffectValue;
}
void CopyItem(cBlockData& to, const cBlockData& from)
{
    to.m_cItemSource = from.m_cItemSource;
    to.m_sItemIndex = from.m_sItemIndex;
}
void CopyProtected(cBlockData& to, const cBlockData& from) { to.m_bProtected = from.m_bProtected; }

// One copy per inheritance group, in flag order.
const InheritCopy<cBlockData> aInheritCopyBlock[cBlockData::INHERIT_GROUPS] = {
    CopyNameGroup<cBlockData>,
    CopyConditionGroup<cBlockData>,
    CopyChipGroup<cBlockData>,
    CopyFront,
    CopyHiddenGroup<cBlockData>,
    CopyMarkGroup<cBlockData>,
    CopyCollision,
    CopyPassThrough,
    CopyEffect,
    CopyItem,
    CopyProtected,
};

} // namespace

cBlockData::cBlockData()
{
    RegisterFields(DATA_VERSION);
    Reset();
}

void cBlockData::Reset()
{
    Clear();
    m_cCollision = BLOCK_SOLID;
    m_InheritFlags.assign(INHERIT_GROUPS, 0);
    m_cPassThrough = -1;
    m_sGraphic = 0;
}

void cBlockData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_cInheritSource);
    RegisterShort(&m_sInheritIndex);
    RegisterString(&m_sName);
    RegisterByte(&m_cCondMode);
    RegisterByte(&m_bCondLatch);
    RegisterShort(&m_sGraphic);
    RegisterByte(&m_cGraphicKind);
    RegisterShort(&m_sGraphicOffset);
    RegisterByte(&m_bFront);
    RegisterByte(&m_bHidden);
    RegisterByte(&m_cMarkDisplay);
    RegisterShort(&m_sMark);
    RegisterByte(&m_cCollision);
    RegisterByte(&m_cPassThrough);
    RegisterByte(&m_cEffect);
    RegisterInt(&m_nEffectValue);
    RegisterByte(&m_cItemSource);
    RegisterShort(&m_sItemIndex);
    RegisterByte(&m_bProtected);
}

void cBlockData::UpgradeFrom(int fileVersion) { UpgradeShotChip(*this, fileVersion); }

void cBlockData::Inherit() { InheritGroups(*this, &cPaletteLists::lpBlocks, aInheritCopyBlock); }

void cBlockData::ValidateRefs()
{
    RepairInheritRef(*this, RecordContext.nPaletteBlocks);
    for (cConditionData& condition : m_Conditions) condition.Validate();
    if (m_sGraphic == 0) {
        m_cCollision = BLOCK_PASSABLE;
        m_bProtected = 0;
    }
}

void cBlockData::ValidateItemRef()
{
    RepairPaletteRef(m_cItemSource, m_sItemIndex, RecordContext.nPaletteItems);
}

int cBlockData::GetCollision(int passNumber)
{
    if (!m_Conditions.empty() && RecordContext.lpBlockConditionsHold && !RecordContext.lpBlockConditionsHold(*this)) return BLOCK_PASSABLE;
    if (passNumber == m_cPassThrough) return BLOCK_PASSABLE;
    return m_cCollision;
}

void cBlockData::DrawIcon(DDSURFACEDATA* surface, int x, int y) {}
