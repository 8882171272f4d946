#include "records/effect_kind_data.h"

#include "records/effect_vocabulary.h"

cEffectKindData::cEffectKindData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cEffectKindData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nKind);
    // Each parameter is a field of its own: files count six ints.
    for (int32_t& param : m_Param) RegisterInt(&param);
    RegisterString(&m_sName);
}

bool cCharaEffectData::Load(cDataReader& in)
{
    // The roughness ("波の粗さ(dot)", "円の粗さ(dot)") of the waves and the circle.
    static const OldParamDefault defaults[] = {
        {CHARAEFFECT_WAVE_H, 4, CharaEffectParam(CHARAEFFECT_WAVE_H, 4).nDefault},
        {CHARAEFFECT_WAVE_V, 4, CharaEffectParam(CHARAEFFECT_WAVE_V, 4).nDefault},
        {CHARAEFFECT_CIRCLE, 3, CharaEffectParam(CHARAEFFECT_CIRCLE, 3).nDefault},
    };
    bool ok = cDataRecord::Load(in);
    ApplyOldParamDefaults(defaults);
    return ok;
}

bool cScrEffectData::Load(cDataReader& in)
{
    static const OldParamDefault defaults[] = {
        {SCREFFECT_WAVE_H, 4, ScrEffectParam(SCREFFECT_WAVE_H, 4).nDefault},
        {SCREFFECT_WAVE_V, 4, ScrEffectParam(SCREFFECT_WAVE_V, 4).nDefault},
        {SCREFFECT_CIRCLE, 3, ScrEffectParam(SCREFFECT_CIRCLE, 3).nDefault},
    };
    bool ok = cDataRecord::Load(in);
    ApplyOldParamDefaults(defaults);
    return ok;
}
