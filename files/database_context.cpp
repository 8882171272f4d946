#include "files/database_context.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "files/database.h"

namespace {

template <class T>
int Count(const std::vector<T>& list)
{
    return static_cast<int>(list.size());
}

// The definitions sum part times in 16 bits; a time beyond that range stays
// at its end instead of wrapping to the other sign.
int16_t To16(int32_t time)
{
    return static_cast<int16_t>(std::clamp<int32_t>(time, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

} // namespace

void SetRecordContext(const cDataBase& db, cRecordContext& context)
{
    context.nAnimeSets = Count(db.m_AnimeSet);
    context.nAnimes = Count(db.m_Anime);
    context.nCharaImages = Count(db.m_BmpCharaExc);
    context.nEffects = Count(db.m_Effect);
    context.nCharaEffects = Count(db.m_CharaEffect);
    context.nScrEffects = Count(db.m_ScrEffect);
    context.nPictures = Count(db.m_Picture);
    context.nSounds = Count(db.m_Sound);
    context.nBgms = Count(db.m_Bgm);
    context.SwordFrames.assign(db.m_SwordType.size(), {});
    for (size_t i = 0; i < db.m_SwordType.size(); ++i)
        for (const cSwordPartData& part : db.m_SwordType[i].m_Parts)
            context.SwordFrames[i].push_back(To16(part.m_nPartTime));
}
