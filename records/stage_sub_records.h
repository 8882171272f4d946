#pragma once
// The small records a stage or a game progress holds: the screen edges that
// decide when an object has left the view, the background layers, the texts
// of a stage, the named values and value pairs of the progress, and the
// carry-over of a player from one stage to the next.
#include <cstdint>
#include <string>

#include "records/chara_data.h"
#include "records/data_record.h"

// Four side switches and four margins in 32-pixel cells. A record whose four
// switches are all 0 is not applied.
class cScreenEdgeData : public cDataRecord {
public:
    int32_t m_bLeft = 0;
    int32_t m_bRight = 0;
    int32_t m_bTop = 0;
    int32_t m_bBottom = 0;
    int32_t m_nLeft = 0;
    int32_t m_nRight = 0;
    int32_t m_nTop = 0;
    int32_t m_nBottom = 0;

    cScreenEdgeData();
    // Files before 125 hold only the left switch before the margins; the
    // other three switches then keep what they held.
    void RegisterFields(int version) override;
    // Sets the four switches and the four margins.
    void Set(int on, int margin);
};

// One background layer: drawn behind the objects (layer 0) or in front (1),
// either a fill colour or an image tiled over the screen.
class cBackgroundData : public cDataRecord {
public:
    int32_t m_bShown = 0;
    int32_t m_bFill = 0;
    int32_t m_nFillColor = 0;
    int32_t m_nLayer = 0;
    double m_dRateX = 0;
    double m_dRateY = 0;
    int32_t m_bAutoScrollX = 0;
    int32_t m_bAutoScrollY = 0;
    double m_dAutoOffsetX = 0;
    double m_dAutoOffsetY = 0;
    std::string m_sImage;

    cBackgroundData();
    void RegisterFields(int version) override;
    // Shown, no fill, fill colour 16, both rates 0.1, no auto-scroll.
    void Reset();
};

// One text of a stage; the stage copies its texts and reads nothing else.
class cStringData : public cDataRecord {
public:
    std::string m_sText;

    cStringData();
    void RegisterFields(int version) override;
};

// A value under a name: the best value reached on one stage.
class cNamedIntData : public cDataRecord {
public:
    int32_t m_nValue = 0;
    std::string m_sName;

    cNamedIntData();
    void RegisterFields(int version) override;
};

// Two values.
class cIntPairData : public cDataRecord {
public:
    int32_t m_nFirst = 0;
    int32_t m_nSecond = 0;

    cIntPairData();
    void RegisterFields(int version) override;
};

// What a player takes from a cleared stage into the next: its character
// definition and the values of the carry-over groups 11, 12, 22, 23 and 24
// (hit points, special points, remaining time, lives, tune). The time comes
// back as the stage's remaining time and the tune as the stage's tune.
//
// Stored form: the record part (the five ints, no string), then the embedded
// character record. Chara is the character definition record.
template <class Chara>
class cCarryOverDataT : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + MinStoredBytes<Chara>();

    Chara m_Chara;
    int32_t m_nCarryHp = 0;
    int32_t m_nCarrySp = 0;
    int32_t m_nCarryTime = 0;
    int32_t m_nCarryLives = 0;
    int32_t m_nCarryBgm = 0;

    cCarryOverDataT()
    {
        RegisterFields(DATA_VERSION);
        Clear();
    }

    void RegisterFields(int version) override
    {
        ClearFieldTables();
        RegisterInt(&m_nCarryHp);
        RegisterInt(&m_nCarrySp);
        RegisterInt(&m_nCarryTime);
        RegisterInt(&m_nCarryLives);
        RegisterInt(&m_nCarryBgm);
    }

    bool Load(cDataReader& in) override
    {
        cDataRecord::Load(in);
        m_Chara.Load(in);
        return in.Ok();
    }

    void Save(cDataWriter& out) override
    {
        cDataRecord::Save(out);
        m_Chara.Save(out);
    }
};

using cCarryOverData = cCarryOverDataT<cCharaData>;
