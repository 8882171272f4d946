#include "records/item_data.h"

namespace {

void CopyOffsetX(cItemData& to, const cItemData& from) { to.m_sOffsetX = from.m_sOffsetX; }
void CopyOffsetY(cItemData& to, const cItemData& from) { to.m_sOffsetY = from.m_sOffsetY; }
void CopyZOrder(cItemData& to, const cItemData& from) { to.m_cZOrder = from.m_cZOrder; }
void CopySize(cItemData& to, const cItemData& from) { to.m_cSize = from.m_cSize; }
void CopyTakeKind(cItemData& to, const cItemData& from) { to.m_cTakeKind = from.m_cTakeKind; }
void CopyPopUp(cItemData& to, const cItemData& from) { to.m_bPopUp = from.m_bPopUp; }
void CopySound(cItemData& to, const cItemData& from) { to.m_sSound = from.m_sSound; }
// Commands are copied deep: changing a copied command leaves the base's alone.
void CopyCommands(cItemData& to, const cItemData& from) { AssignRecords(to.m_Commands, from.m_Commands); }

// One copy per inheritance group, in flag order.
const InheritCopy<cItemData> aInheritCopyItem[cItemData::INHERIT_GROUPS] = {
    CopyNameGroup<cItemData>,
    CopyConditionGroup<cItemData>,
    CopyOffsetX,
    CopyOffsetY,
    CopyChipGroup<cItemData>,
    CopyZOrder,
    CopyHiddenGroup<cItemData>,
    CopyMarkGroup<cItemData>,
    CopySize,
    CopyTakeKind,
    CopyPopUp,
    CopySound,
    CopyCommands,
};

} // namespace

cItemData::cItemData()
{
    RegisterFields(DATA_VERSION);
    Reset();
}

void cItemData::Reset()
{
    Clear();
    m_InheritFlags.assign(INHERIT_GROUPS, 0);
    m_cGraphicKind = GRAPHIC_ITEM;
    m_sGraphic = 0;
    m_bPopUp = 1;
    m_cSize = 1;
    m_cZOrder = 6;
}

void cItemData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_cInheritSource);
    RegisterShort(&m_sInheritIndex);
    RegisterString(&m_sName);
    RegisterByte(&m_cCondMode);
    RegisterByte(&m_bCondLatch);
    RegisterShort(&m_sOffsetX);
    RegisterShort(&m_sOffsetY);
    RegisterShort(&m_sGraphic);
    RegisterByte(&m_cGraphicKind);
    RegisterShort(&m_sGraphicOffset);
    RegisterByte(&m_cZOrder);
    RegisterByte(&m_bHidden);
    RegisterByte(&m_cMarkDisplay);
    RegisterShort(&m_sMark);
    RegisterByte(&m_bPopUp);
    RegisterByte(&m_cTakeKind);
    RegisterByte(&m_cSize);
    RegisterShort(&m_sSound);
}

void cItemData::ReadTail(cDataReader& in) { ReadCommandList(m_Commands, in); }

void cItemData::WriteTail(cDataWriter& out) { WriteRecords(m_Commands, out); }

void cItemData::UpgradeFrom(int fileVersion) { UpgradeShotChip(*this, fileVersion); }

void cItemData::Inherit() { InheritGroups(*this, &cPaletteLists::lpItems, aInheritCopyItem); }

void cItemData::Validate()
{
    RepairInheritRef(*this, RecordContext.nPaletteItems);
    if (m_cSize <= 0) m_cSize = 1;
    if (!IsInList(m_sSound, RecordContext.nSounds)) m_sSound = 0;
    for (cConditionData& condition : m_Conditions) condition.Validate();
    for (cCommandData& command : m_Commands) command.Validate();
}

void cItemData::ValidateCommands()
{
    for (cCommandData& command : m_Commands) command.ValidateRefs();
}
