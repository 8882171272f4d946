// The animation-sequence player: tick traces of every code, locks, and the
// sequences that do not exist.
#include "stage/objects/anime_seq.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/base/log.h"
#include "tests/support/test_dir.h"

namespace {

constexpr ANIMEENTRY Loop[] = {{0, 2, 0}, {1, 2, 0}, {-2, 0, 0}};
constexpr ANIMEENTRY Still[] = {{5, 3, 0}, {-1, 0, 0}};
constexpr ANIMEENTRY HoldSecond[] = {{1, 1, 0}, {2, 2, 0}, {-1, 0, 0}};
constexpr ANIMEENTRY ZeroTimes[] = {{3, 0, 0}, {4, 0, 0}, {-2, 0, 0}};
constexpr ANIMEENTRY JumpFromLocked[] = {{7, 1, 1}, {-3, 2, 0}};
constexpr ANIMEENTRY Target[] = {{8, 2, 0}, {-2, 0, 0}};
constexpr ANIMEENTRY CodeOnly[] = {{-1, 0, 0}};
constexpr ANIMEENTRY JumpNowhere[] = {{6, 1, 0}, {-3, 9, 0}};
constexpr ANIMEENTRY Locked[] = {{9, 5, 1}, {-2, 0, 0}};

struct TraceCase {
    const char* what;
    std::vector<const ANIMEENTRY*> table;
    int sequence;
    std::vector<int> frames;
    int endSequence;
};

int CountLines(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class AnimeSeqTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1); }
    std::string Report() { return ReadFileText("Report_Game.txt"); }
    void Build(std::vector<const ANIMEENTRY*> table)
    {
        m_Table = std::move(table);
        m_Table.push_back(nullptr);
        m_Anime.Build(m_Table.data());
    }

    ScopedTestDir m_Dir;
    std::vector<const ANIMEENTRY*> m_Table;
    cAnimeSeq m_Anime;
};

} // namespace

TEST_F(AnimeSeqTest, TicksTraceEveryCode)
{
    const TraceCase cases[] = {
        // The first tick of an entry counts toward its duration.
        {"loop", {Loop}, 0, {0, 1, 1, 0, 0, 1, 1, 0}, 0},
        {"hold on the only picture", {Still}, 0, {5, 5, 5, 5, 5, 5, 5}, 0},
        {"hold on the picture before the code", {HoldSecond}, 0, {2, 2, 2, 2, 2}, 0},
        {"durations 0 last one tick", {ZeroTimes}, 0, {4, 3, 4, 3}, 0},
        {"a jump leaves a locked entry", {JumpFromLocked, Loop, Target}, 0, {8, 8, 8, 8, 8}, 2},
        {"a code alone shows frame 0 and stays", {CodeOnly}, 0, {0, 0, 0}, 0},
        {"a jump to a missing sequence holds", {JumpNowhere}, 0, {6, 6, 6}, 0},
    };
    for (const TraceCase& c : cases) {
        SCOPED_TRACE(c.what);
        Build(c.table);
        ASSERT_EQ(m_Anime.Set(c.sequence, 1), 1);
        std::vector<int> frames;
        for (size_t i = 0; i < c.frames.size(); ++i) frames.push_back(m_Anime.Tick());
        EXPECT_EQ(frames, c.frames);
        EXPECT_EQ(m_Anime.Current(), c.endSequence);
    }
}

TEST_F(AnimeSeqTest, TheFixedTablesPlayTheirPictures)
{
    cAnimeSeq item;
    item.Build(ItemAnimeTable);
    item.Set(0, 1);
    std::vector<int> frames;
    for (int i = 0; i < 31; ++i) frames.push_back(item.Tick());
    // Picture 0 for ticks 1..14, picture 1 for 15..29, picture 0 again from 30.
    EXPECT_EQ(frames[13], 0);
    EXPECT_EQ(frames[14], 1);
    EXPECT_EQ(frames[28], 1);
    EXPECT_EQ(frames[29], 0);

    cAnimeSeq sword;
    sword.Build(ShotAnimeTable);
    sword.Set(0, 1);
    frames.clear();
    for (int i = 0; i < 24; ++i) frames.push_back(sword.Tick());
    EXPECT_EQ(frames[5], 0);
    EXPECT_EQ(frames[6], 1);
    EXPECT_EQ(frames[13], 2);
    // The end code is shown from tick 21 on, for the owner to end the sword.
    EXPECT_EQ(frames[19], 2);
    EXPECT_EQ(frames[20], -4);
    EXPECT_EQ(frames[23], -4);
}

TEST_F(AnimeSeqTest, LocksKeepUnforcedChangesOut)
{
    Build({Locked, Loop});
    ASSERT_EQ(m_Anime.Set(0, 1), 1);
    EXPECT_EQ(m_Anime.Set(1, 0), 0);
    EXPECT_EQ(m_Anime.Change(1, 0), 0);
    EXPECT_EQ(m_Anime.Current(), 0);
    EXPECT_EQ(m_Anime.Set(1, 1), 1);
    EXPECT_EQ(m_Anime.Current(), 1);
    // Change to the running sequence does not restart it.
    m_Anime.Tick();
    EXPECT_EQ(m_Anime.Change(1, 0), 1);
    EXPECT_EQ(m_Anime.Tick(), 1);
}

TEST_F(AnimeSeqTest, AMissingSequenceIsRefusedWithOneLine)
{
    Build({Loop});
    m_Anime.Set(0, 1);
    m_Anime.Tick();
    EXPECT_EQ(m_Anime.Set(3, 1), 0);
    EXPECT_EQ(m_Anime.Change(-1, 1), 0);
    EXPECT_EQ(m_Anime.Current(), 0);
    EXPECT_EQ(m_Anime.Tick(), 1);   // the running sequence went on
    std::string report = Report();
    EXPECT_EQ(CountLines(report, "sequence 3 does not exist"), 1);
    EXPECT_EQ(CountLines(report, "sequence -1 does not exist"), 1);
    EXPECT_EQ(CountLines(report, "err V["), 0);
}

TEST_F(AnimeSeqTest, BuildingFromNoTableKeepsTheSequences)
{
    Build({Loop, Still});
    m_Anime.Build(nullptr);
    EXPECT_EQ(m_Anime.Sequences().size(), 2u);
    // An empty player shows frame 0.
    cAnimeSeq empty;
    EXPECT_EQ(empty.Tick(), 0);
    EXPECT_EQ(empty.Frame(), 0);
}
