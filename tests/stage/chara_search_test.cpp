// The first and nearest character searches and their filters.
#include "stage/hits/chara_search.h"

#include <vector>

#include <gtest/gtest.h>

#include "files/stage_file.h"
#include "stage/objects/chara.h"
#include "tests/stage/stage_harness.h"

namespace {

struct Spec {
    int screenX, screenY;     // centre of the screen rectangle
    int onScreen, active, dead, id, invincible, blockChara;
};

class CharaSearchTest : public ::testing::Test {
protected:
    void Make(std::vector<Spec> specs)
    {
        m_Charas.assign(specs.size(), cChara{});
        m_List.clear();
        for (size_t i = 0; i < specs.size(); ++i) {
            cChara& c = m_Charas[i];
            const Spec& s = specs[i];
            c.m_nRef = static_cast<int>(i) + 1;
            c.m_nDrawW = c.m_nDrawH = 32;
            c.m_nScreenLeft = s.screenX - 16;
            c.m_nScreenTop = s.screenY - 16;
            c.m_bOnScreen = s.onScreen;
            c.m_bActive = s.active;
            c.m_bDead = s.dead;
            c.m_Def.m_cCharaId = static_cast<int8_t>(s.id);
            c.m_Def.m_cInvincible = static_cast<int8_t>(s.invincible);
            c.m_Def.m_bFullCellBoxes = static_cast<int8_t>(s.blockChara);
            m_List.push_back(&c);
        }
    }
    // The creator reference of the character found, 0 for none.
    static int Ref(const cChara* c) { return c ? c->m_nRef : 0; }

    std::vector<cChara> m_Charas;
    CharaPtrList m_List;
};

} // namespace

TEST_F(CharaSearchTest, NearestByModeAndFilter)
{
    Make({
        {100, 100, 0, 1, 0, 0, 0, 0},   // 1: off screen, distance 10 from (90, 100)
        {130, 100, 1, 1, 0, 5, 0, 0},   // 2: on screen, distance 40
        {50, 100, 1, 1, 0, 0, 2, 0},    // 3: on screen, distance 40, unhittable
        {92, 100, 1, 0, 0, 0, 0, 0},    // 4: inactive
        {91, 100, 1, 1, 1, 0, 0, 0},    // 5: dead
        {120, 110, 1, 1, 0, 5, 1, 1},   // 6: on screen, distance 40, block character
    });
    struct Case {
        const char* what;
        int mode;
        CHARAFILTER filter;
        int found;
    };
    CHARAFILTER none;
    CHARAFILTER id5;
    id5.bById = 1;
    id5.nId = 5;
    CHARAFILTER skipTwo = none;
    skipTwo.bSkipRef = 1;
    skipTwo.nRef = 2;
    CHARAFILTER skipBlock = skipTwo;
    skipBlock.bSkipBlockChara = 1;
    CHARAFILTER skipUnhittable = skipTwo;
    skipUnhittable.bSkipInvincible2 = 1;
    CHARAFILTER skipInvincible = skipUnhittable;
    skipInvincible.bSkipInvincible1 = 1;
    const Case cases[] = {
        {"on screen first; the earlier of a tie", 0, none, 2},
        {"all active", 1, none, 1},
        {"only on screen", 2, none, 2},
        {"no such mode", 3, none, 0},
        {"by character ID", 2, id5, 2},
        {"skip a creator reference", 2, skipTwo, 3},
        {"skip invincible 2", 2, skipUnhittable, 6},
        {"skip invincible 1 and 2", 2, skipInvincible, 0},
        {"skip block characters: off screen only when none on screen qualifies", 0,
         [] { CHARAFILTER f; f.bSkipRef = 1; f.nRef = 2; f.bSkipBlockChara = 1; f.bSkipInvincible2 = 1; return f; }(), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Ref(FindNearestChara(90, 100, m_List, c.mode, c.filter)), c.found);
    }
    EXPECT_EQ(Ref(FindNearestChara(90, 100, m_List, 2, skipBlock)), 3);
}

TEST_F(CharaSearchTest, FirstLivingCharacterThatPasses)
{
    Make({
        {0, 0, 0, 0, 1, 5, 0, 0},   // dead
        {0, 0, 0, 0, 0, 4, 0, 0},   // inactive and off screen still count
        {0, 0, 0, 1, 0, 5, 0, 0},
    });
    CHARAFILTER none;
    EXPECT_EQ(Ref(FindFirstChara(m_List, none)), 2);
    CHARAFILTER id5;
    id5.bById = 1;
    id5.nId = 5;
    EXPECT_EQ(Ref(FindFirstChara(m_List, id5)), 3);
    id5.nId = 6;
    EXPECT_EQ(Ref(FindFirstChara(m_List, id5)), 0);
}

TEST_F(CharaSearchTest, NearestToTheCentreFollowsTheOnScreenSetting)
{
    StageHarness h(HarnessStage{});
    Make({
        {100, 100, 0, 1, 0, 0, 0, 0},   // off screen, nearest
        {300, 100, 1, 1, 0, 0, 2, 0},   // unhittable
    });
    cStageObject self;
    self.m_nDrawW = self.m_nDrawH = 32;
    self.m_nScreenLeft = 84;
    self.m_nScreenTop = 84;
    StageData.m_bOnScreenOnly = 0;
    EXPECT_EQ(Ref(FindNearestToCentre(self, m_List)), 1);
    StageData.m_bOnScreenOnly = 1;
    EXPECT_EQ(FindNearestToCentre(self, m_List), nullptr);
}
