// Replays: the run-length streams, the replay file written and read back,
// and damaged files that change nothing.
#include "files/replay.h"

#include <utility>

#include "tests/files/files_test_support.h"
#include "tests/records/stage_fixtures.h"
#include "tests/support/test_dir.h"

namespace {

class ReplayTest : public FilesTest {};

using Frame = std::pair<uint16_t, uint16_t>;

// A replay file as the game writes it, typed part by part: the stage body,
// the replay record with its seed, the four streams, the progress body.
Bytes TypedReplayFile(uint32_t version, const Bytes& stageBody, const char* streams, const Bytes& progress)
{
    FixtureBytes file;
    file.u32(version).bytes(stageBody).hex("01000000 39300000 00000000").hex(streams).bytes(progress);
    return file.get();
}

// Direction values 0, 2 (runs 2, 2) and button values 0, 1 (runs 3, 1).
const char* const kStreams = "02000000 0000 0200  02000000 0000 0100  02000000 02000000 02000000"
                             "02000000 03000000 01000000";

TEST_F(ReplayTest, StreamsRecordRunsIndependentlyAndPlayBackUntilEitherEnds)
{
    const Frame frames[] = {{0, 0}, {0, 0}, {2, 0}, {2, 1}};
    cReplay r;
    for (auto [d, b] : frames) r.RecordFrame(d, b);
    EXPECT_EQ(r.m_DirValues, (std::vector<int16_t>{0, 2}));
    EXPECT_EQ(r.m_DirRuns, (std::vector<int32_t>{2, 2}));
    EXPECT_EQ(r.m_ButtonValues, (std::vector<int16_t>{0, 1}));
    EXPECT_EQ(r.m_ButtonRuns, (std::vector<int32_t>{3, 1}));

    for (int pass = 0; pass < 2; ++pass) {
        for (const Frame& want : frames) {
            uint16_t d = 0xFFFF, b = 0xFFFF;
            ASSERT_EQ(r.PlayFrame(d, b), 0);
            EXPECT_EQ(Frame(d, b), want);
        }
        uint16_t d = 7, b = 7;
        EXPECT_EQ(r.PlayFrame(d, b), 1);
        EXPECT_EQ(Frame(d, b), Frame(7, 7));  // nothing written at the end
        r.Rewind();
    }

    // A copy takes the streams and the seed, not the playback position.
    cReplay copy;
    r.m_nSeed = 99;
    uint16_t d, b;
    r.PlayFrame(d, b);
    copy.Copy(r);
    EXPECT_EQ(copy.m_nSeed, 99);
    EXPECT_EQ(copy.m_nDirFrames, 0);
    copy.Clear();
    EXPECT_EQ(copy.m_nSeed, 0);
    EXPECT_EQ(copy.PlayFrame(d, b), 1);
}

TEST_F(ReplayTest, ReplayFileReadsIntoTheGameAndIsWrittenBackTheSame)
{
    cGameProgress stored;
    stored.m_CommonVars[3] = 77;
    stored.m_nTotalScore = 1234;
    const Bytes progressBody = SavedBody(stored);
    ASSERT_TRUE(WriteFileBytes("typed.rpl4_708",
                               TypedReplayFile(708, StageFixture::Full().Stored(), kStreams, progressBody)));

    cReplay replay;
    cStageData stage, play;
    cGameProgress progress;
    ASSERT_EQ(LoadReplayFile(replay, "typed.rpl4_708", stage, play, progress), 1);
    EXPECT_EQ(replay.m_nSeed, 12345);
    EXPECT_EQ(replay.m_DirValues, (std::vector<int16_t>{0, 2}));
    EXPECT_EQ(replay.m_ButtonRuns, (std::vector<int32_t>{3, 1}));
    EXPECT_EQ(stage.m_nWidth, 100);
    EXPECT_EQ(stage.m_sPath, "typed.rpl4_708");
    EXPECT_TRUE(stage.HasHero());
    EXPECT_EQ(play.m_nWidth, 100);
    EXPECT_TRUE(play.m_PlacedCharas.empty());
    EXPECT_EQ(progress.m_CommonVars[3], 77);
    EXPECT_EQ(progress.m_nTotalScore, 1234);

    // Written from the stage and its play copy, read again: the same play.
    ASSERT_EQ(SaveReplayFile(replay, "again.rpl4_708", stage, play, progress), 1);
    cReplay replay2;
    cStageData stage2, play2;
    cGameProgress progress2;
    ASSERT_EQ(LoadReplayFile(replay2, "again.rpl4_708", stage2, play2, progress2), 1);
    EXPECT_EQ(replay2.m_nSeed, 12345);
    EXPECT_EQ(replay2.m_DirRuns, replay.m_DirRuns);
    EXPECT_EQ(replay2.m_ButtonValues, replay.m_ButtonValues);
    EXPECT_EQ(stage2.m_PlacedCharas.size(), stage.m_PlacedCharas.size());
    EXPECT_EQ(progress2.m_CommonVars[3], 77);
    // The replay's own part lies between the stage body and the progress.
    const Bytes saved = ReadFileBytes("again.rpl4_708");
    const Bytes replayPart = FixtureBytes().hex("01000000 39300000 00000000").hex(kStreams).get();
    const Bytes savedProgress = SavedBody(progress2);
    ASSERT_GT(saved.size(), replayPart.size() + savedProgress.size());
    EXPECT_EQ(Bytes(saved.end() - savedProgress.size() - replayPart.size(), saved.end() - savedProgress.size()),
              replayPart);
}

TEST_F(ReplayTest, AFileOlderThan173KeepsTheProgressAsItWas)
{
    FixtureBytes body;
    body.bytes(StoredStageRecord(172)).hex("05000000 00000000 01000000 01000000 01000000 01000000");
    body.hex(kStageEdges).hex("00000000 00000000 00000000 00000000 00000000 00000000");
    body.hex(kStageBackgrounds).hex(kStageTexts);
    ASSERT_TRUE(WriteFileBytes("old.rpl4_172", TypedReplayFile(172, body.get(), kStreams, {})));
    cReplay replay;
    cStageData stage, play;
    cGameProgress progress;
    progress.m_CommonVars[1] = 5;
    ASSERT_EQ(LoadReplayFile(replay, "old.rpl4_172", stage, play, progress), 1);
    EXPECT_EQ(replay.m_nSeed, 12345);
    EXPECT_EQ(progress.m_CommonVars[1], 5);
}

TEST_F(ReplayTest, DamagedFilesChangeNothing)
{
    const Bytes stageBody = StageFixture::Full().Stored();
    cGameProgress stored;
    const Bytes progressBody = SavedBody(stored);
    const Bytes whole = TypedReplayFile(708, stageBody, kStreams, progressBody);
    struct Case {
        const char* what;
        Bytes file;
    };
    std::vector<Case> cases = {
        {"a run missing",
         TypedReplayFile(708, stageBody,
                         "02000000 0000 0200  02000000 0000 0100  01000000 02000000  02000000 03000000 01000000",
                         progressBody)},
        {"a run of 0 frames",
         TypedReplayFile(708, stageBody,
                         "02000000 0000 0200  02000000 0000 0100  02000000 02000000 00000000"
                         "02000000 03000000 01000000",
                         progressBody)},
        {"a stream count past the file",
         TypedReplayFile(708, stageBody, "FFFFFF7F 0000", {})},
    };
    // Cut anywhere: in the stage, the replay part or the progress.
    for (size_t cut = 4; cut < whole.size(); cut += whole.size() / 23 + 1)
        cases.push_back({"cut", Bytes(whole.begin(), whole.begin() + cut)});
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatText("%s (%zu bytes)", c.what, c.file.size()));
        ASSERT_TRUE(WriteFileBytes("damaged.rpl4_708", c.file));
        cReplay replay;
        replay.RecordFrame(8, 8);
        replay.m_nSeed = 4;
        cStageData stage, play;
        stage.m_nWidth = play.m_nWidth = 33;
        stage.m_sPath = "kept";
        cGameProgress progress;
        progress.m_CommonVars[2] = 6;
        EXPECT_EQ(LoadReplayFile(replay, "damaged.rpl4_708", stage, play, progress), 0);
        EXPECT_EQ(replay.m_nSeed, 4);
        EXPECT_EQ(replay.m_DirValues, std::vector<int16_t>{8});
        EXPECT_EQ(stage.m_nWidth, 33);
        EXPECT_EQ(stage.m_sPath, "kept");
        EXPECT_EQ(play.m_nWidth, 33);
        EXPECT_EQ(progress.m_CommonVars[2], 6);
    }
    cReplay replay;
    cStageData stage, play;
    cGameProgress progress;
    EXPECT_EQ(LoadReplayFile(replay, "missing.rpl4_708", stage, play, progress), 0);
}

} // namespace

namespace {

// Long random inputs, with runs of every length, recorded, saved, read back
// and played: the same words frame by frame, then the end.
TEST_F(ReplayTest, RandomInputsRoundTripThroughAFile)
{
    uint32_t state = 99;
    auto next = [&state](uint32_t range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    std::vector<Frame> frames;
    Frame current{0, 0};
    for (int i = 0; i < 5000; ++i) {
        if (next(4) == 0) current.first = static_cast<uint16_t>(next(16));
        if (next(7) == 0) current.second = static_cast<uint16_t>(next(256) | (next(2) << 15));
        frames.push_back(current);
    }
    cReplay recorded;
    recorded.m_nSeed = -42;
    for (const Frame& f : frames) recorded.RecordFrame(f.first, f.second);
    // The stage and progress of a typed file carry the recording.
    cGameProgress fresh;
    ASSERT_TRUE(WriteFileBytes("typed.rpl4_708",
                               TypedReplayFile(708, StageFixture::Full().Stored(), kStreams, SavedBody(fresh))));
    cReplay typed;
    cStageData stage, play;
    cGameProgress progress;
    ASSERT_EQ(LoadReplayFile(typed, "typed.rpl4_708", stage, play, progress), 1);
    ASSERT_EQ(SaveReplayFile(recorded, "random.rpl4_708", stage, play, progress), 1);

    cReplay loaded;
    cStageData stage2, play2;
    cGameProgress progress2;
    ASSERT_EQ(LoadReplayFile(loaded, "random.rpl4_708", stage2, play2, progress2), 1);
    EXPECT_EQ(loaded.m_nSeed, -42);
    std::vector<Frame> played;
    Frame f;
    while (loaded.PlayFrame(f.first, f.second) == 0) played.push_back(f);
    EXPECT_EQ(played, frames);
}

} // namespace
