#include "records/effect_kind_data.h"

namespace {

// The roughness ("波の粗さ(dot)", "円の粗さ(dot)") of the wave and circle kinds.
enum { CHARA_WAVE_H = 4, CHARA_WAVE_V = 5, CHARA_CIRCLE = 10 };
enum { SCR_WAVE_H = 6, SCR_WAVE_V = 7, SCR_CIRCLE = 10 };

} // namespace

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
    static const OldParamDefault defaults[] = {
        {CHARA_WAVE_H, 4, 2},
        {CHARA_WAVE_V, 4, 2},
        {CHARA_CIRCLE, 3, 2},
    };
    bool ok = cDataRecord::Load(in);
    ApplyOldParamDefaults(defaults);
    return ok;
}

bool cScrEffectData::Load(cDataReader& in)
{
    static const OldParamDefault defaults[] = {
        {SCR_WAVE_H, 4, 8},
        {SCR_WAVE_V, 4, 10},
        {SCR_CIRCLE, 3, 8},
    };
    bool ok = cDataRecord::Load(in);
    ApplyOldParamDefaults(defaults);
    return ok;
}
