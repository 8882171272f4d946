#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/base/log.h"
#include "app/system/midi_stream.h"
#include "tests/app/fake_midi_device.h"
#include "tests/app/midi_songs.h"
#include "tests/support/test_dir.h"

using namespace midisongs;

namespace {

constexpr DWORD CALLBACK_FLAG = MEVT_F_CALLBACK;

// The events the device must get for TwoTrackSong, typed from the stream
// format by hand: (delta, event word, parameters).
std::vector<RECORDEDMIDIEVENT> TwoTrackEvents()
{
    return {
        {0, 0x0107A120, {}},                        // tempo 500000
        {0, 0x00643C90, {}},                        // track 0 first at the shared tick
        {0, 0x00504091, {}},
        {96, 0x00003C90, {}},                       // running status made explicit
        {48, 0x000005C0, {}},                       // the text event's delta goes on to here
        {48, 0x00004091, {}},
        {0, 0x80000004, {0xF0, 0x43, 0x12, 0xF7}},  // system exclusive with its status byte
        {96, CALLBACK_FLAG | 0x00002FFF, {}},       // end of track at the later end
    };
}

// 2000 notes that fill the first buffer exactly, a text event of delta 5,
// then 3000 more notes one tick apart: three buffers.
Bytes LongTune()
{
    Bytes events = HexBytes("00 903C40");
    for (int i = 1; i < 2000; ++i) events.insert(events.end(), {0x01, 0x3C, 0x40});
    events.insert(events.end(), {0x05, 0xFF, 0x01, 0x00});
    events.insert(events.end(), {0x01, 0x90, 0x3C, 0x40});  // a meta event ends running status
    for (int i = 1; i < 3000; ++i) events.insert(events.end(), {0x01, 0x3C, 0x40});
    events.insert(events.end(), {0x01, 0xFF, 0x2F, 0x00});
    return Join({Header(0, 1, 480), Track(events)});
}

} // namespace

TEST(MidiStream, StreamsTheGoldenEventsAndLoopsOrStopsAtTheEnd)
{
    for (int loop : {1, 0}) {
        ScopedTestDir dir;
        WriteFileBytes("song.mid", TwoTrackSong());
        FakeMidiDevice device;
        cMidiPlayer player;
        player.Resize(1);
        ASSERT_EQ(player.Play(0, "song.mid", loop), 1);
        EXPECT_EQ(device.TimeDivision(), 96u);
        EXPECT_EQ(device.Calls(), (std::vector<std::string>{"Open", "Property", "Prepare", "Out", "Restart"}));
        ASSERT_EQ(device.Buffers().size(), 1u);
        EXPECT_EQ(device.Buffers()[0], TwoTrackEvents());
        EXPECT_EQ(player.m_Streams[0]->State(), cMidiStream::PLAYING);

        // The end of the tune: rewound, its first buffer queued again, and
        // only a looping tune plays on.
        device.PlayBufferToEnd(0);
        ASSERT_TRUE(device.WaitUntilServed()) << loop;
        std::vector<std::string> tail = device.Calls();
        tail.erase(tail.begin(), tail.begin() + 5);
        std::vector<std::string> expected{"Stop", "Prepare", "Out"};
        if (loop) expected.push_back("Restart");
        EXPECT_EQ(tail, expected) << loop;
        EXPECT_EQ(device.Buffers().at(1), TwoTrackEvents());
        EXPECT_EQ(player.m_Streams[0]->State(), loop ? cMidiStream::PLAYING : cMidiStream::STOPPED);

        // The callback thread is gone before the device is reset and closed.
        DWORD thread = device.CallbackThread();
        player.DeleteAll();
        EXPECT_FALSE(PostThreadMessageA(thread, WM_APP, 0, 0));
        tail = device.Calls();
        tail.erase(tail.begin(), tail.begin() + 5 + expected.size());
        EXPECT_EQ(tail, (std::vector<std::string>{"Reset", "Unprepare", "Unprepare", "Close"})) << loop;
    }
}

// The two-track song playing in a loop on the stand-in device.
class MidiSongPlaying : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFileBytes("song.mid", TwoTrackSong());
        player.Resize(1);
        ASSERT_EQ(player.Play(0, "song.mid", 1), 1);
    }
    ScopedTestDir dir;
    FakeMidiDevice device;
    cMidiPlayer player;
};

TEST_F(MidiSongPlaying, PauseHoldsThePlaceAndRestartGoesOnWithoutRequeueing)
{
    player.StopAll(1);
    player.StopAll(1);  // a paused stream is not paused again
    EXPECT_EQ(player.m_Streams[0]->State(), cMidiStream::PAUSED);
    player.m_Streams[0]->Restart(1);
    EXPECT_EQ(player.m_Streams[0]->State(), cMidiStream::PLAYING);
    EXPECT_EQ(device.Calls(), (std::vector<std::string>{"Open", "Property", "Prepare", "Out", "Restart", "Pause",
                                                          "Restart"}));
    // Playing a new tune pauses and deletes the old stream first.
    ASSERT_EQ(player.Play(0, "song.mid", 0), 1);
    EXPECT_EQ(device.CountCalls("Close"), 1);
    EXPECT_EQ(device.CountCalls("Pause"), 2);
}

TEST(MidiStream, LongTuneIsDoubleBufferedWithoutLosingTime)
{
    ScopedTestDir dir;
    WriteFileBytes("long.mid", LongTune());

    std::vector<RECORDEDMIDIEVENT> expected;
    expected.push_back({0, 0x00403C90, {}});
    for (int i = 1; i < 5000; ++i) expected.push_back({i == 2000 ? 6u : 1u, 0x00403C90, {}});
    expected.push_back({1, CALLBACK_FLAG | 0x00002FFF, {}});

    FakeMidiDevice device;
    cMidiPlayer player;
    player.Resize(1);
    ASSERT_EQ(player.Play(0, "long.mid", 0), 1);
    // Opened with the first buffer, the second queued when play starts.
    ASSERT_EQ(device.Buffers().size(), 2u);
    // A callback while the buffer to fill next is still with the device
    // queues nothing; once the device hands it back it is filled again.
    device.PlayBufferToEnd(1);
    ASSERT_TRUE(device.WaitUntilServed());
    EXPECT_EQ(device.CountCalls("Out"), 2);
    device.PlayBufferToEnd(0);
    ASSERT_TRUE(device.WaitUntilServed());
    std::vector<std::vector<RECORDEDMIDIEVENT>> buffers = device.Buffers();
    ASSERT_EQ(buffers.size(), 3u);
    EXPECT_EQ(buffers[0].size(), 2000u);
    EXPECT_EQ(buffers[1].size(), 2000u);
    std::vector<RECORDEDMIDIEVENT> all;
    for (std::vector<RECORDEDMIDIEVENT>& buffer : buffers) {
        // The device calls back at the last event of every buffer.
        ASSERT_FALSE(buffer.empty());
        EXPECT_TRUE(buffer.back().nWord & CALLBACK_FLAG);
        buffer.back().nWord &= ~CALLBACK_FLAG;
        all.insert(all.end(), buffer.begin(), buffer.end());
    }
    all.back().nWord |= CALLBACK_FLAG;
    EXPECT_TRUE(all == expected);
    // The end of the tune, not looping: rewound, and the first buffer waits
    // again, the same as the first time.
    device.PlayBufferToEnd(2);
    ASSERT_TRUE(device.WaitUntilServed());
    ASSERT_EQ(device.Buffers().size(), 4u);
    EXPECT_EQ(device.Buffers().at(3), device.Buffers().at(0));
    EXPECT_EQ(device.CountCalls("Restart"), 1);
    EXPECT_EQ(device.CountCalls("Out"), 4);
}

TEST(MidiStream, WithoutAMidiDeviceTheTuneIsSilentWithOneLogLine)
{
    ScopedTestDir dir;
    ASSERT_EQ(CreateReportLog("report.txt"), 1);
    WriteFileBytes("song.mid", TwoTrackSong());
    cMidiPlayer player;
    player.Resize(1);
    EXPECT_EQ(player.Play(0, "song.mid", 1), 1);
    player.StopAll(1);
    player.StopAll(0);
    player.DeleteAll();
    std::string log = ReadFileText("report.txt");
    const std::string head = "Midi song.mid Open ";
    ASSERT_EQ(log.find(head), 0u) << log;
    // The driver's own words for the error, then nothing more.
    size_t end = log.find('\n');
    EXPECT_GT(end, head.size() + 1) << log;
    EXPECT_EQ(log.find("Midi", 1), std::string::npos) << log;
}

TEST(MidiStream, PlayerTakesOnlyMidNamesAndReadableFiles)
{
    ScopedTestDir dir;
    ASSERT_EQ(CreateReportLog("report.txt"), 1);
    WriteFileBytes("song.mid", TwoTrackSong());
    WriteFileBytes("song.MID", TwoTrackSong());
    WriteFileText("text.mid", "not a song");
    FakeMidiDevice device;
    cMidiPlayer player;
    player.Resize(1);
    EXPECT_EQ(player.Play(0, "song.MID", 1), 0);
    EXPECT_EQ(player.Play(0, "song", 1), 0);
    EXPECT_EQ(player.m_Streams[0], nullptr);
    EXPECT_EQ(player.Play(0, "text.mid", 1), 0);
    ASSERT_NE(player.m_Streams[0], nullptr);  // stays until the next play
    EXPECT_FALSE(player.m_Streams[0]->HasImage());
    EXPECT_EQ(device.CountCalls("Open"), 0);
}

TEST_F(MidiSongPlaying, DeletingWithCallbacksStillQueuedIsSafe)
{
    for (int i = 0; i < 20; ++i) device.PlayBufferToEnd(0);
    player.DeleteAll();
    // Every callback was served while the stream still existed; the device
    // was closed last and hears nothing after.
    std::vector<std::string> calls = device.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "Close");
    EXPECT_EQ(device.CountCalls("Close"), 1);
    // The stream's callback thread, the only other caller of the device, has
    // ended: nothing can reach the device after this.
    const DWORD callbackThread = device.CallbackThread();
    ASSERT_NE(callbackThread, 0u);
    if (HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, callbackThread)) {
        EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
        CloseHandle(thread);
    }
    EXPECT_EQ(device.Calls().size(), calls.size());
}

TEST(MidiStream, StopAndRestartWhileTheCallbackQueuesKeepEveryBufferWhole)
{
    // The window thread stops and restarts the tune while the device keeps
    // handing buffers back to the callback thread, which refills them. Each
    // buffer the device gets must be one of the tune's three, cut where a
    // play from the start cuts them, and never one it still holds.
    ScopedTestDir dir;
    WriteFileBytes("long.mid", LongTune());
    std::vector<std::vector<RECORDEDMIDIEVENT>> whole(3);
    whole[0].push_back({0, 0x00403C90, {}});
    for (int i = 1; i < 5000; ++i) whole[i / 2000].push_back({i == 2000 ? 6u : 1u, 0x00403C90, {}});
    whole[2].push_back({1, 0x00002FFF, {}});
    for (std::vector<RECORDEDMIDIEVENT>& buffer : whole) buffer.back().nWord |= CALLBACK_FLAG;

    FakeMidiDevice device;
    cMidiPlayer player;
    player.Resize(1);
    ASSERT_EQ(player.Play(0, "long.mid", 1), 1);
    cMidiStream& stream = *player.m_Streams[0];
    std::atomic<int> done{0};
    std::thread playing([&] {
        while (!done) {
            device.PlayNewestToEnd();
            Sleep(0);
        }
    });
    for (int i = 0; i < 400; ++i) {
        stream.Stop(i % 3 == 0 ? 1 : 0);
        stream.Restart(1);
    }
    done = 1;
    playing.join();
    ASSERT_TRUE(device.WaitUntilServed());
    EXPECT_EQ(device.m_nRequeued, 0);
    const std::vector<std::vector<RECORDEDMIDIEVENT>> buffers = device.Buffers();
    EXPECT_GT(buffers.size(), 400u);
    int torn = 0;
    for (const std::vector<RECORDEDMIDIEVENT>& buffer : buffers)
        torn += buffer != whole[0] && buffer != whole[1] && buffer != whole[2];
    EXPECT_EQ(torn, 0);
}
