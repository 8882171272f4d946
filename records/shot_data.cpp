#include "records/shot_data.h"

#include <boost/make_shared.hpp>

#include "records/record_context.h"

cEdShot::cEdShot()
{
    RegisterFields(DATA_VERSION);
    Clear();
    m_bOwnerLayer = 1;
    m_bMirrorAngle = 1;
    m_bMirrorOffsetX = 1;
    m_bMirrorOffsetY = 0;
    m_cSize = 1;
}

void cEdShot::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_cCount);
    RegisterByte(&m_cArrangement);
    RegisterShort(m_sArrangeParam, 3);
    if (version >= 671) RegisterByte(&m_cReference);
    RegisterByte(&m_cDirection);
    RegisterByte(&m_bAim);
    RegisterShort(&m_sAngle);
    RegisterShort(&m_sAngleStep);
    if (version >= 158) RegisterByte(&m_bMirrorAngle);
    RegisterShort(&m_sAngleRandom);
    RegisterByte(&m_bRotateFormation);
    RegisterByte(&m_cRepeat);
    RegisterShort(&m_sOffsetX);
    RegisterShort(&m_sOffsetXStep);
    RegisterShort(&m_sOffsetY);
    RegisterShort(&m_sOffsetYStep);
    RegisterByte(&m_bMirrorOffsetX);
    RegisterByte(&m_bMirrorOffsetY);
    RegisterShort(&m_sGraphic);
    RegisterByte(&m_cDrawLayer);
    RegisterByte(&m_bHidden);
    RegisterByte(&m_bOwnerLayer);
    RegisterByte(&m_cLayer);
    RegisterByte(&m_cCarried24);
    RegisterByte(&m_cSize);
    RegisterByte(&m_cCarried26);
    RegisterByte(&m_cMotion);
    RegisterShort(m_sMotionParam, 3);
    if (version >= 211) RegisterByte(&m_bFollowScreen);
    RegisterShort(&m_sSpeed);
    RegisterShort(&m_sSpeedStep);
    if (version >= 213) {
        RegisterByte(&m_bAccel);
        RegisterShort(&m_sAccel);
        RegisterShort(&m_sAccelStep);
    }
    RegisterShort(&m_sRange);
    RegisterByte(&m_bRange);
    RegisterShort(&m_sRangeStep);
    RegisterByte(&m_bStayAtRange);
    RegisterByte(&m_bLifetime);
    RegisterShort(&m_sLifetime);
    RegisterShort(&m_sLifetimeStep);
    RegisterByte(&m_cBlockMode);
    RegisterByte(&m_cPierceChara);
    if (version >= 636) RegisterByte(&m_cPierceBlockChara);
    RegisterByte(&m_bClash);
    RegisterByte(&m_cClashStrength);
    RegisterInt(&m_nPower);
    RegisterShort(&m_sCarried48);
    RegisterByte(&m_cImpact);
    RegisterShort(&m_sHitEffect);
    RegisterByte(&m_cHitItemSource);
    RegisterShort(&m_sHitItem);
    RegisterByte(&m_cBlockSummonMode);
    RegisterByte(&m_bCancelOnPlayer);
    if (version >= 197) RegisterByte(&m_bCancelOnChara);
    RegisterByte(&m_cPalette);
    RegisterShort(&m_sPaletteIndex);
    RegisterByte(&m_cSummonLayerMode);
    RegisterByte(&m_bNoScore);
    RegisterByte(&m_bReverseFacing);
}

bool cEdShot::Load(cDataReader& in)
{
    bool ok = cDataRecord::Load(in);
    if (nFileVersion < DATA_VERSION) {
        if (nFileVersion < 158) m_bMirrorAngle = 0;
        // One switch served players and characters alike.
        if (nFileVersion < 197) m_bCancelOnChara = m_bCancelOnPlayer;
        // Homing shots always moved with the scroll; others never did.
        if (nFileVersion < 212) m_bFollowScreen = (m_cMotion >= 4 && m_cMotion <= 7) ? 1 : 0;
        if (nFileVersion < 213) {
            m_bAccel = 0;
            m_sAccel = 0;
            m_sAccelStep = 0;
        }
        // Block characters were pierced like any other.
        if (nFileVersion < 636) m_cPierceBlockChara = m_cPierceChara;
        if (nFileVersion <= 670) m_cReference = 0;
    }
    Validate();
    return ok;
}

void cEdShot::Save(cDataWriter& out)
{
    Validate();
    cDataRecord::Save(out);
}

void cEdShot::Validate()
{
    if (m_cSize <= 0) m_cSize = 1;
    if (!IsInList(m_sHitEffect, RecordContext.nEffects)) m_sHitEffect = 0;
}

int NewEdShot(boost::shared_ptr<cEdShot>& p)
{
    p = boost::make_shared<cEdShot>();
    return 1;
}

double cEdShot::OffsetX(int volley, int facing) const
{
    double x = m_sOffsetX + static_cast<double>(volley) * m_sOffsetXStep;
    return (facing == 1 && m_bMirrorOffsetX) ? -x : x;
}

double cEdShot::OffsetY(int volley, int facing) const
{
    double y = m_sOffsetY + static_cast<double>(volley) * m_sOffsetYStep;
    return (facing == 1 && m_bMirrorOffsetY) ? -y : y;
}
