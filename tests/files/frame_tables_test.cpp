// The frame sequences built from the database.
#include "files/frame_tables.h"

#include <array>

#include "files/database.h"
#include "tests/records/record_test_support.h"

namespace {

class FrameTableTest : public RecordTest {
protected:
    void TearDown() override
    {
        DataBase.SetDefault();
        RecordTest::TearDown();
    }
};

cAnimeData Anime(std::vector<std::array<int, 3>> frames)
{
    cAnimeData anime;
    anime.m_Frames.clear();
    for (const auto& [cell, time, lock] : frames) {
        cAnimeFrameData frame;
        frame.m_nCell = cell;
        frame.m_nTime = time;
        frame.m_bKey = lock;
        anime.m_Frames.push_back(frame);
    }
    return anime;
}

cEffectData Effect(std::vector<std::array<int, 2>> frames)
{
    cEffectData effect;
    for (const auto& [cell, time] : frames) {
        cEffectFrameData frame;
        frame.m_nCell = cell;
        frame.m_nFrameTime = time;
        effect.m_Frames.push_back(frame);
    }
    return effect;
}

} // namespace

TEST_F(FrameTableTest, AnimationsBecomeSequencesOfTicks)
{
    DataBase.m_Anime = {
        Anime({{10, 5, 0}, {11, 7, 1}}),            // entry 0: one tick each, locked, looping
        Anime({}),                                   // no frames: only the end
        Anime({{3, 1, 1}, {4, 0, 0}}),              // locked from its first frame on
        Anime({{20, 2, 0}, {21, 2, 1}, {22, 2, 0}}), // locked from its second frame on
        Anime({{1, 400000000, 0}, {2, -400000000, 0}}),
    };
    BuildAnimeFrameTable(FrameTables.AnimeFrameTable);
    const FrameTable expected = {
        {{10, 0, 1}, {11, 0, 1}, {-2, 0, 1}},
        {{-4, 0, 0}},
        {{3, 6, 1}, {4, 0, 1}, {-4, 0, 0}},
        {{20, 12, 0}, {21, 12, 1}, {22, 12, 1}, {-4, 0, 0}},
        // Times beyond what six ticks a tenth can count stay at the ends of the range.
        {{1, 2147483647, 0}, {2, -2147483647 - 1, 0}, {-4, 0, 0}},
    };
    EXPECT_EQ(FrameTables.AnimeFrameTable, expected);
}

TEST_F(FrameTableTest, EffectsBecomeSequencesThatNeverLock)
{
    DataBase.m_Effect = {Effect({{0, 3}, {1, 4}}), Effect({{5, 3}, {6, 0}, {7, 10}}), Effect({})};
    BuildEffectFrameTable(FrameTables.EffectFrameTable);
    const FrameTable expected = {
        {{0, 0, 1}, {1, 0, 1}, {-2, 0, 1}},
        {{5, 18, 0}, {6, 0, 0}, {7, 60, 0}, {-4, 0, 0}},
        {{-4, 0, 0}},
    };
    EXPECT_EQ(FrameTables.EffectFrameTable, expected);
}
