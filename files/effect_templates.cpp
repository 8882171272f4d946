#include "files/effect_templates.h"

#include <algorithm>

#include "app/checked.h"
#include "files/database.h"

EffectTemplateList CharaEffectTemplates;
EffectTemplateList CharaEffectTemplatesRev;
EffectTemplateList ScrEffectTemplates;
EffectTemplateList ScrEffectTemplatesRev;

namespace {

EFFECTTEMPLATE TemplateOf(int entry, const cEffectKindData& row)
{
    EFFECTTEMPLATE t{static_cast<int16_t>(entry), row.m_nKind, {}};
    std::copy(std::begin(row.m_Param), std::end(row.m_Param), t.Param);
    return t;
}

// Both lists sized to the normal list. A reversed copy shorter than it (start-up
// did not copy it) is a bad index: reported, and the normal row stands in.
template <class T>
void BuildTemplates(std::vector<T>& list, std::vector<T>& copy, EffectTemplateList& normal,
                    EffectTemplateList& reversed)
{
    normal.assign(list.size(), {});
    reversed.assign(list.size(), {});
    for (size_t i = 0; i < list.size(); ++i) {
        int entry = static_cast<int>(i);
        normal[i] = TemplateOf(entry, list[i]);
        if (i < copy.size()) {
            reversed[i] = TemplateOf(entry, copy[i]);
            continue;
        }
        ReportBadIndex('V', entry, static_cast<int>(copy.size()), static_cast<int>(sizeof(T)));
        reversed[i] = TemplateOf(entry, list[i]);
    }
}

} // namespace

void BuildCharaEffectTemplates(EffectTemplateList& normal, EffectTemplateList& reversed)
{
    BuildTemplates(DataBase.m_CharaEffect, DataBase.m_CharaEffectRev, normal, reversed);
}

void BuildScrEffectTemplates(EffectTemplateList& normal, EffectTemplateList& reversed)
{
    BuildTemplates(DataBase.m_ScrEffect, DataBase.m_ScrEffectRev, normal, reversed);
}
