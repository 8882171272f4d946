#pragma once
// The shot record of a command: what "ショット" and "ソード" fire and what the
// three summon commands place, with where, how and how far. A command holds at
// most one through a shared pointer of its own; every shot in the stage holds
// its own copy.
//
// Stored form: the record part only, 60 fields (93 bytes) at the current
// version; the range comes before its flag, and the two block-summon cancel
// switches before the summon palette. Fields that came later are set by Load
// as older files meant them. Every load ends and every save starts with
// Validate.
#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "records/data_record.h"

class cEdShot : public cDataRecord {
public:
    int8_t m_cCount = 0;              // shots one arrangement places in a volley
    int8_t m_cArrangement = 0;        // arrangement kind 0..5
    int16_t m_sArrangeParam[3] = {};
    int8_t m_cReference = 0;          // reference of "落雷" and "包囲": 0 target, 1 hero, 2 self
    int8_t m_cDirection = 0;          // direction list 0..12
    uint8_t m_bAim = 0;               // aimed at the firer's target
    int16_t m_sAngle = 0;
    int16_t m_sAngleStep = 0;
    uint8_t m_bMirrorAngle = 1;
    int16_t m_sAngleRandom = 0;       // random spread in degrees
    uint8_t m_bRotateFormation = 0;
    int8_t m_cRepeat = 0;             // volleys - 1
    int16_t m_sOffsetX = 0;
    int16_t m_sOffsetXStep = 0;
    int16_t m_sOffsetY = 0;
    int16_t m_sOffsetYStep = 0;
    uint8_t m_bMirrorOffsetX = 1;
    uint8_t m_bMirrorOffsetY = 0;
    int16_t m_sGraphic = 0;           // chip 0..119
    int8_t m_cDrawLayer = 0;
    uint8_t m_bHidden = 0;
    uint8_t m_bOwnerLayer = 1;        // the hit layer is the firer's
    int8_t m_cLayer = 0;
    uint8_t m_cCarried24 = 0;         // carried unchanged; the stage does not read it
    int8_t m_cSize = 1;               // size factor, at least 1
    uint8_t m_cCarried26 = 0;         // carried unchanged
    int8_t m_cMotion = 0;             // motion kind 0..9; "ソード": the sword type
    int16_t m_sMotionParam[3] = {};
    uint8_t m_bFollowScreen = 0;      // moves with the auto-scroll
    int16_t m_sSpeed = 0;
    int16_t m_sSpeedStep = 0;
    uint8_t m_bAccel = 0;
    int16_t m_sAccel = 0;
    int16_t m_sAccelStep = 0;
    int16_t m_sRange = 0;             // half blocks
    uint8_t m_bRange = 0;
    int16_t m_sRangeStep = 0;
    uint8_t m_bStayAtRange = 0;
    uint8_t m_bLifetime = 0;
    int16_t m_sLifetime = 0;          // tenths of a second
    int16_t m_sLifetimeStep = 0;
    int8_t m_cBlockMode = 0;
    int8_t m_cPierceChara = 0;
    int8_t m_cPierceBlockChara = 0;
    uint8_t m_bClash = 0;
    int8_t m_cClashStrength = 0;
    int32_t m_nPower = 0;
    int16_t m_sCarried48 = 0;         // carried unchanged
    int8_t m_cImpact = 0;
    int16_t m_sHitEffect = 0;         // effect database entry, 0 none
    int8_t m_cHitItemSource = 0;      // item left by a hit: 0 none, 1 common, 2 stage palette
    int16_t m_sHitItem = 0;
    int8_t m_cBlockSummonMode = 0;
    uint8_t m_bCancelOnPlayer = 0;
    uint8_t m_bCancelOnChara = 0;
    int8_t m_cPalette = 0;            // summons: 0 common, 1 stage palette
    int16_t m_sPaletteIndex = 0;
    int8_t m_cSummonLayerMode = 0;
    uint8_t m_bNoScore = 0;
    uint8_t m_bReverseFacing = 0;

    // Registered with DATA_VERSION, cleared, then the defaults above.
    cEdShot();
    cEdShot(const cEdShot&) = default;
    cEdShot& operator=(const cEdShot&) = default;

    void RegisterFields(int version) override;
    // The record, the values of fields older files do not hold, Validate.
    bool Load(cDataReader& in) override;
    // Validate, then the record.
    void Save(cDataWriter& out) override;
    // A size factor of 0 or less becomes 1; a hit effect that is no entry of
    // the effect database becomes 0.
    void Validate();

    // The start offset of volley n for a firer facing this way (1 right):
    // the base plus n steps, negated for a firer facing right when the
    // record mirrors that axis.
    double OffsetX(int volley, int facing) const;
    double OffsetY(int volley, int facing) const;
};

// Makes p the only owner of a new shot record with its defaults, letting go
// of what p held. Returns 1.
int NewEdShot(boost::shared_ptr<cEdShot>& p);
