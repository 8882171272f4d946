#include <gtest/gtest.h>

#include <cstring>

#include "records/effect_vocabulary.h"

namespace {

struct Vocabulary {
    const char* what;
    int kinds;
    const char* const* labels;
    const char* const* notes;
    const EFFECTPARAMDESC& (*param)(int, int);
};

} // namespace

TEST(EffectVocabulary, EveryKindHasALabelANoteAndParametersWhoseDefaultsLieInTheirRange)
{
    const Vocabulary tables[] = {
        {"character", CHARAEFFECT_KINDS, aCharaEffectKindLabel, aCharaEffectSpeedNote, CharaEffectParam},
        {"screen", SCREFFECT_KINDS, aScrEffectKindLabel, aScrEffectSpeedNote, ScrEffectParam},
    };
    for (const Vocabulary& v : tables) {
        SCOPED_TRACE(v.what);
        EXPECT_STREQ(v.labels[v.kinds - 1], "");
        EXPECT_STREQ(v.notes[v.kinds - 1], "");
        for (int j = 0; j < EFFECT_PARAMS; ++j) EXPECT_STREQ(v.param(0, j).szLabel, "");
        for (int kind = 1; kind < v.kinds; ++kind) {
            SCOPED_TRACE(kind);
            EXPECT_STRNE(v.labels[kind - 1], "");
            EXPECT_EQ(std::strncmp(v.notes[kind - 1], "Direct3D有効時：", std::strlen("Direct3D有効時：")), 0);
            EXPECT_NE(std::strstr(v.notes[kind - 1], "\r\nDirect3D無効時："), nullptr);
            EXPECT_STREQ(v.param(kind, 0).szLabel, "実行時間(1/10s)");
            EXPECT_EQ(v.param(kind, 0).nLowest, 1);
            EXPECT_EQ(v.param(kind, 0).nHighest, 9999);
            for (int j = 0; j < EFFECT_PARAMS; ++j) {
                const EFFECTPARAMDESC& d = v.param(kind, j);
                EXPECT_LE(d.nLowest, d.nDefault) << "p" << j;
                EXPECT_LE(d.nDefault, d.nHighest) << "p" << j;
                if (!*d.szLabel) {
                    EXPECT_EQ(d.nLowest | d.nHighest | d.nDefault, 0) << "p" << j;
                }
            }
        }
        // Outside the tables: the empty row.
        EXPECT_STREQ(v.param(v.kinds, 0).szLabel, "");
        EXPECT_STREQ(v.param(1, EFFECT_PARAMS).szLabel, "");
        EXPECT_STREQ(v.param(-1, 0).szLabel, "");
    }
    // The descriptors the drawing leans on.
    EXPECT_EQ(ScrEffectParam(SCREFFECT_SPLIT_H, 3).nLowest, 2);
    EXPECT_EQ(CharaEffectParam(CHARAEFFECT_BLUR, 1).nHighest, 1);
}
