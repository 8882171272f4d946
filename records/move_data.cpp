#include "records/move_data.h"

#include <boost/make_shared.hpp>

cEdMove::cEdMove()
{
    RegisterFields(DATA_VERSION);
    Clear();
    m_bMirrorAngle = 1;
    m_bUseX = 1;
    m_bUseY = 1;
    m_bArrivalCheck = 1;
    m_bMirrorX = 1;
    m_bReverseOnTurn = 1;
    m_sSpeed = 10;
    m_dReversal = 1.0;
}

void cEdMove::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_cMode);
    RegisterByte(&m_cDirection);
    RegisterShort(&m_sAngle);
    RegisterShort(&m_sAngleStep);
    if (version >= 158) RegisterByte(&m_bMirrorAngle);
    RegisterByte(&m_bUseX);
    RegisterByte(&m_bUseY);
    RegisterShort(&m_sTargetX);
    RegisterShort(&m_sTargetY);
    RegisterShort(&m_sTargetDotX);
    RegisterShort(&m_sTargetDotY);
    RegisterByte(&m_cCoordKind);
    RegisterByte(&m_bArrivalCheck);
    RegisterByte(&m_bLockX);
    RegisterByte(&m_bLockY);
    RegisterByte(&m_bMirrorX);
    RegisterByte(&m_bMirrorY);
    RegisterByte(&m_bReverseOnTurn);
    RegisterByte(&m_bStopOnArrival);
    if (version >= 162) RegisterByte(&m_bKeepFacing);
    RegisterByte(&m_cTiming);
    RegisterShort(&m_sSpeed);
    RegisterShort(&m_sSpeedStep);
    RegisterShort(&m_sDistance);
    RegisterShort(&m_sDistanceStep);
    if (version >= 159) RegisterByte(&m_cDistanceUnit);
    RegisterShort(&m_sRadius);
    RegisterShort(&m_sRadiusStep);
    RegisterByte(&m_bInertia);
    RegisterShort(&m_sInertiaLimit);
    RegisterDouble(&m_dReversal);
    if (version >= 162) RegisterByte(&m_bKeepAnime);
}

bool cEdMove::Load(cDataReader& in)
{
    bool ok = cDataRecord::Load(in);
    // Movements of older files behave as they did before these switches
    // existed, not as a new record's defaults would make them.
    if (nFileVersion < DATA_VERSION) {
        if (nFileVersion < 158) m_bMirrorAngle = 0;
        if (nFileVersion < 159) m_cDistanceUnit = 0;
        if (nFileVersion < 162) {
            m_bKeepFacing = 0;
            m_bKeepAnime = 0;
        }
    }
    return ok;
}

int NewEdMove(boost::shared_ptr<cEdMove>& p)
{
    p = boost::make_shared<cEdMove>();
    return 1;
}
