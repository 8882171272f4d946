#include <gtest/gtest.h>

#include <cstring>

#include "app/system/bgm.h"
#include "app/base/log.h"
#include "app/system/message_box.h"
#include "tests/app/fake_midi_device.h"
#include "tests/app/midi_songs.h"
#include "tests/support/build_tree.h"
#include "tests/support/message_sink.h"
#include "tests/support/test_dir.h"

using namespace midisongs;

namespace {

std::vector<std::string> Boxes;

int RecordBox(const char* text, const char*, UINT)
{
    Boxes.push_back(text);
    return IDOK;
}

// A game folder with the logs, the boxes caught, fresh name tables, and
// (unless asked otherwise) "Vox.dll" beside the game as the game has it.
class BgmTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CreateReportLog("report.txt"), 1);
        TraceLogInit(1, "trace.txt");
        Boxes.clear();
        lpFullScreenMesBox = RecordBox;
        memcpy(m_Ogg, BgmOggNames, sizeof(m_Ogg));
        memcpy(m_Midi, BgmMidiNames, sizeof(m_Midi));
        CreateDirectoryA("bgm", nullptr);
    }
    void TearDown() override
    {
        m_Bgm.Release();
        lpFullScreenMesBox = nullptr;
        TraceLogInit(0, "");
    }
    bool InitWithLibrary()
    {
        return CopyFromBuildTree("Vox.dll", "Vox.dll") && m_Bgm.Init(1, m_Ogg, m_Midi, BGM_ENTRY_COUNT) == 1;
    }
    VOXPLAYER* Player() { return m_Bgm.m_Vox.m_Players.at(0); }
    int VoxStatus() { return Player()->lpOps->GetStatus(Player()); }
    // Waits (30 s at most) until the player has fallen silent.
    bool WaitUntilSilent()
    {
        const DWORD start = GetTickCount();
        while (VoxStatus() == VOX_STATUS_PLAYING) {
            if (GetTickCount() - start >= 30000) return false;
            Sleep(10);
        }
        return true;
    }

    ScopedTestDir m_Dir;
    ScopedMainWindow m_Window;
    char m_Ogg[BGM_ENTRY_COUNT][BGM_OGG_NAME_SIZE];
    char m_Midi[BGM_ENTRY_COUNT][BGM_MIDI_NAME_SIZE];
    cBgm m_Bgm;
};

} // namespace

TEST_F(BgmTest, WithoutThePlayerLibraryTheMusicStaysOffAndNothingCrashes)
{
    EXPECT_EQ(m_Bgm.Init(1, m_Ogg, m_Midi, BGM_ENTRY_COUNT), 0);
    EXPECT_EQ(Boxes, std::vector<std::string>{"oggの初期化に失敗！"});
    EXPECT_NE(ReadFileText("trace.txt").find("m_Vox.Init失敗！"), std::string::npos);
    EXPECT_EQ(m_Bgm.m_bInitialized, 0);
    // Every request returns at once, as with the music switched off.
    EXPECT_EQ(m_Bgm.SetFile(0, "bgm\\Title.ogg"), 1);
    EXPECT_EQ(m_Bgm.Play(0, 0, 1, 0, 1), 1);
    m_Bgm.Stop();
    ServeBgmRequest(m_Bgm, 4, 1, 1, {"", "bgm\\Stage.ogg"});
    m_Bgm.Release();
    EXPECT_EQ(m_Window.sink.CountPosted(WM_CLOSE), 0);
}

TEST_F(BgmTest, FileNamesChooseThePlayerByExtension)
{
    ASSERT_TRUE(InitWithLibrary());
    const std::string ogg259 = "bgm\\" + std::string(251, 'o') + ".ogg";
    const std::string mid263 = "bgm\\" + std::string(255, 'm') + ".MID";
    const struct {
        int entry;
        std::string file;
        int result, kind;
        std::string ogg, midi;
    } cases[] = {
        {4, "bgm\\Boss.MID", 1, cBgm::KIND_MIDI, "bgm\\Stage.ogg", "bgm\\Boss.mid"},
        {0, "bgm\\Field.OGG", 1, cBgm::KIND_OGG, "bgm\\Field.OGG", "bgm\\Title.mid"},
        {1, "wave\\jump.wav", 0, cBgm::KIND_ANY, "wave\\jump.wav", "wave\\jump.wav"},
        {2, "bgm\\NoExtension", 0, cBgm::KIND_ANY, "", ""},
        {3, ogg259, 1, cBgm::KIND_OGG, ogg259, "bgm\\Option.mid"},
        {3, mid263, 1, cBgm::KIND_MIDI, ogg259, mid263.substr(0, mid263.size() - 3) + "mid"},
        // Too long for the tables: refused whole, the entry left empty.
        {3, ogg259 + "x", 0, cBgm::KIND_ANY, "", ""},
        {4, "bgm\\" + std::string(257, 'm') + ".mid", 0, cBgm::KIND_ANY, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m_Bgm.SetFile(c.entry, c.file.c_str()), c.result) << c.file;
        EXPECT_EQ(m_Bgm.m_Kinds[c.entry], c.kind) << c.file;
        EXPECT_EQ(std::string(m_Ogg[c.entry]), c.ogg) << c.file;
        EXPECT_EQ(std::string(m_Midi[c.entry]), c.midi) << c.file;
    }
    std::string report = ReadFileText("report.txt");
    EXPECT_NE(report.find("BGM bgm\\" + std::string(251, 'o') + ".oggx ファイル名が長すぎます"), std::string::npos);
    EXPECT_NE(report.find("BGM bgm\\" + std::string(257, 'm') + ".mid ファイル名が長すぎます"), std::string::npos);
}

TEST_F(BgmTest, AChangeOfTuneStopsTheOtherPlayer)
{
    ASSERT_TRUE(CopyFromBuildTree("fixtures\\tune.ogg", "bgm\\Title.ogg"));
    WriteFileBytes("bgm\\Stage.mid", TwoTrackSong());
    FakeMidiDevice device;
    ASSERT_TRUE(InitWithLibrary());

    // Entry 0 still has both default names: Ogg is tried first.
    EXPECT_EQ(m_Bgm.Play(0, 0, 1, 0, 1), 1);
    EXPECT_EQ(m_Bgm.m_Backends[0], cBgm::BACKEND_OGG);
    EXPECT_EQ(VoxStatus(), VOX_STATUS_PLAYING);

    // The stage's MIDI tune stops the Ogg player.
    ASSERT_EQ(m_Bgm.SetFile(4, "bgm\\Stage.mid"), 1);
    EXPECT_EQ(m_Bgm.Play(0, 4, 1, 0, 1), 1);
    EXPECT_EQ(m_Bgm.m_Backends[0], cBgm::BACKEND_MIDI);
    EXPECT_EQ(m_Bgm.m_nCurrent, 4);
    EXPECT_EQ(VoxStatus(), VOX_STATUS_STOPPED);
    EXPECT_EQ(device.CountCalls("Restart"), 1);
    ASSERT_NE(m_Bgm.m_MidiPlayer.m_Streams[0], nullptr);

    // Asked again without force: nothing changes.
    EXPECT_EQ(m_Bgm.Play(0, 4, 1, 0, 0), 1);
    EXPECT_EQ(device.CountCalls("Restart"), 1);

    // Back to Ogg, played once: the MIDI stream is stopped and rewound, and
    // the tune falls silent after one pass.
    ASSERT_EQ(m_Bgm.SetFile(1, "bgm\\Title.ogg"), 1);
    EXPECT_EQ(m_Bgm.Play(0, 1, 0, 0, 1), 1);
    EXPECT_EQ(m_Bgm.m_Backends[0], cBgm::BACKEND_OGG);
    EXPECT_EQ(device.CountCalls("Stop"), 1);
    EXPECT_EQ(m_Bgm.m_MidiPlayer.m_Streams[0]->State(), cMidiStream::STOPPED);
    ASSERT_TRUE(WaitUntilSilent());
    EXPECT_EQ(Player()->lpOps->GetPosition(Player()), Player()->lpOps->GetLength(Player()));

    // A tune that neither player takes stops both and forgets the entry.
    ASSERT_EQ(m_Bgm.SetFile(2, "bgm\\Missing.wav"), 0);
    EXPECT_EQ(m_Bgm.Play(0, 2, 1, 0, 1), 0);
    EXPECT_EQ(m_Bgm.m_Backends[0], cBgm::BACKEND_NONE);
    EXPECT_EQ(m_Bgm.m_nCurrent, -1);
    EXPECT_NE(VoxStatus(), VOX_STATUS_PLAYING);
    EXPECT_EQ(m_Window.sink.CountPosted(WM_CLOSE), 0);
}

TEST_F(BgmTest, RequestsNameAndPlayOrStopTheTune)
{
    ASSERT_TRUE(CopyFromBuildTree("fixtures\\tune.ogg", "bgm\\Tune.ogg"));
    ASSERT_TRUE(InitWithLibrary());
    const std::vector<std::string> tunes = {"bgm\\Zero.ogg", "bgm\\Tune.ogg"};

    ServeBgmRequest(m_Bgm, 2, 1, 1, tunes);
    EXPECT_EQ(std::string(m_Ogg[2]), "bgm\\Tune.ogg");
    EXPECT_EQ(VoxStatus(), VOX_STATUS_PLAYING);
    EXPECT_EQ(m_Bgm.m_nCurrent, 2);

    // Tune 0 of a screen stops the music and leaves the screen's name.
    ServeBgmRequest(m_Bgm, 2, 0, 1, tunes);
    EXPECT_EQ(VoxStatus(), VOX_STATUS_STOPPED);
    EXPECT_EQ(std::string(m_Ogg[2]), "bgm\\Tune.ogg");

    // The stage's tune 0 stops the music and names database entry 0's file.
    ServeBgmRequest(m_Bgm, 4, 1, 1, tunes);
    EXPECT_EQ(VoxStatus(), VOX_STATUS_PLAYING);
    ServeBgmRequest(m_Bgm, 4, 0, 1, tunes);
    EXPECT_EQ(VoxStatus(), VOX_STATUS_STOPPED);
    EXPECT_EQ(std::string(m_Ogg[4]), "bgm\\Zero.ogg");

    ServeBgmRequest(m_Bgm, 5, 1, 1, tunes);  // no such entry: nothing
    EXPECT_EQ(VoxStatus(), VOX_STATUS_STOPPED);
    EXPECT_EQ(m_Window.sink.CountPosted(WM_CLOSE), 0);
}

TEST_F(BgmTest, ReleaseUnloadsTheLibraryAndInitBringsItBack)
{
    ASSERT_TRUE(InitWithLibrary());
    EXPECT_NE(GetModuleHandleA("Vox.dll"), nullptr);
    EXPECT_EQ(m_Bgm.m_Vox.m_Players.size(), 1u);
    m_Bgm.Release();
    EXPECT_EQ(m_Bgm.m_bInitialized, 0);
    EXPECT_TRUE(m_Bgm.m_Vox.m_Players.empty());
    EXPECT_EQ(GetModuleHandleA("Vox.dll"), nullptr);
    // The options screen turns the music on again.
    EXPECT_EQ(m_Bgm.Init(1, m_Ogg, m_Midi, BGM_ENTRY_COUNT), 1);
    EXPECT_EQ(m_Bgm.m_Vox.m_Players.size(), 1u);
    EXPECT_TRUE(Boxes.empty());
}
