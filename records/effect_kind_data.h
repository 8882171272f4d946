#pragma once
// Character effects and screen effects: a kind and its five parameters, the
// first the run time in tenths of a second. Both lists store the same record:
// the kind, the five parameters, the name.
#include <cstdint>
#include <string>

#include "records/data_record.h"

class cEffectKindData : public cDataRecord {
public:
    enum { PARAMS = 5 };

    int32_t m_nKind = 0;        // 0: none
    int32_t m_Param[PARAMS] = {};
    std::string m_sName;

    // Kind 0, parameters 0.
    cEffectKindData();
    void RegisterFields(int version) override;

protected:
    // One parameter that editors up to version 510 left at 0 for one kind:
    // records of such files take the parameter's default.
    struct OldParamDefault {
        int32_t nKind;
        int nParam;
        int32_t nValue;
    };
    template <size_t N>
    void ApplyOldParamDefaults(const OldParamDefault (&defaults)[N])
    {
        if (nFileVersion > 510) return;
        for (const OldParamDefault& d : defaults)
            if (m_nKind == d.nKind) m_Param[d.nParam] = d.nValue;
    }
};

// An entry of the character-effect list.
class cCharaEffectData : public cEffectKindData {
public:
    // Records of files up to version 510 have the roughness of the waves and
    // of the circle set to its default.
    bool Load(cDataReader& in) override;
};

// An entry of the screen-effect list.
class cScrEffectData : public cEffectKindData {
public:
    // As for character effects, with the screen's own defaults.
    bool Load(cDataReader& in) override;
};
