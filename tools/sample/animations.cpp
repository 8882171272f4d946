#include "tools/sample/animations.h"

#include "tools/sample/sprites.h"

namespace {
// An animation of the given cells, each shown for tenths of a second.
cAnimeData Anime(const char* name, std::initializer_list<int> cells, int tenths)
{
    cAnimeData a;
    a.m_sName = name;
    a.m_Frames.clear();
    for (int cell : cells) {
        cAnimeFrameData f;
        f.m_nCell = cell;
        f.m_nTime = tenths;
        a.m_Frames.push_back(f);
    }
    return a;
}

// A set whose four basic animations (stand, walk, fly, fly and move) are
// given; no offsets, since the sheets hold no separate invincible, block or
// flying rows.
cAnimeSetData Set(const char* name, cAnimeData stand, cAnimeData walk, cAnimeData fly, cAnimeData flyMove)
{
    cAnimeSetData s;
    s.m_sName = name;
    s.m_nInvincibleOffset = 0;
    s.m_nBlockOffset = 0;
    s.m_nFlyingOffset = 0;
    s.m_Animes = {stand, walk, fly, flyMove};
    return s;
}
}  // namespace

std::vector<cAnimeSetData> MakeAnimeSets()
{
    std::vector<cAnimeSetData> out(1);
    out.push_back(Set("ヒーロー", Anime("立ち", {HERO_STAND}, 1),
                      Anime("立ち移動", {HERO_WALK1, HERO_WALK2, HERO_WALK3, HERO_WALK2}, 1),
                      Anime("飛行", {HERO_JUMP}, 1), Anime("飛行移動", {HERO_JUMP}, 1)));
    const cAnimeData wobble = Anime("立ち", {0, 1, 2, 3}, 2);
    out.push_back(Set("スライム", wobble, wobble, wobble, wobble));
    const cAnimeData crawl = Anime("立ち移動", {0, 1, 2, 3}, 1);
    out.push_back(Set("カブトムシ", crawl, crawl, crawl, crawl));
    return out;
}

std::vector<cAnimeData> MakeAnimes()
{
    std::vector<cAnimeData> out(1);
    out[0].m_sName = "なし";
    out.push_back(Anime("ショット", {HERO_SHOOT}, 3));
    return out;
}
