#pragma once
// The prepared runs of every character effect and screen effect, played
// normally and reversed, built once at start-up so that starting an effect
// during play is a copy.
//
// Until the effect runs exist, a template is what a run is set up from: the
// entry's number, kind and parameters, taken unchanged from the normal list
// (m_CharaEffect, m_ScrEffect) or from its copy (m_CharaEffectRev,
// m_ScrEffectRev). The run set-up replaces it, and with it the reversal,
// which exchanges start and end in the copy only.
#include <cstdint>
#include <vector>

#include "records/effect_kind_data.h"

struct EFFECTTEMPLATE {
    int16_t sEffect;
    int32_t nKind;
    int32_t Param[cEffectKindData::PARAMS];
};

using EffectTemplateList = std::vector<EFFECTTEMPLATE>;

// Element i belongs to entry i of the list; read-only once built.
extern EffectTemplateList CharaEffectTemplates;
extern EffectTemplateList CharaEffectTemplatesRev;
extern EffectTemplateList ScrEffectTemplates;
extern EffectTemplateList ScrEffectTemplatesRev;

// From m_CharaEffect and m_CharaEffectRev of DataBase (the copy made by
// cDataBase::CopyReversedEffectLists): both lists get one element per entry
// of m_CharaEffect.
void BuildCharaEffectTemplates(EffectTemplateList& normal, EffectTemplateList& reversed);
// The same from m_ScrEffect and m_ScrEffectRev.
void BuildScrEffectTemplates(EffectTemplateList& normal, EffectTemplateList& reversed);
