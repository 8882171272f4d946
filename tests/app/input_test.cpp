#include <gtest/gtest.h>

#include <set>

#include "app/system/input.h"
#include "app/base/log.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/test_dir.h"

namespace {

// Stand-ins for the keyboard and the joysticks.
std::set<int> keysDown;
struct FakeJoystick {
    bool present = false;
    DWORD x = 32767, y = 32767, buttons = 0;
    int reads = 0;
};
FakeJoystick joysticks[MAX_JOYSTICKS];

SHORT WINAPI FakeReadKey(int vk)
{
    return keysDown.count(vk) ? static_cast<SHORT>(0x8000) : 0;
}

MMRESULT WINAPI FakeReadJoystick(UINT id, JOYINFOEX* info)
{
    FakeJoystick& joy = joysticks[id];
    ++joy.reads;
    if (!joy.present) return JOYERR_UNPLUGGED;
    info->dwXpos = joy.x;
    info->dwYpos = joy.y;
    info->dwButtons = joy.buttons;
    return JOYERR_NOERROR;
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        keysDown.clear();
        for (FakeJoystick& joy : joysticks) joy = FakeJoystick{};
        SetDefaultKeyConfig(KeyConfig);
        input.InitJoyButtons();
        input.SetRepeat(18, 6);
    }
    ScopedSwap<decltype(lpReadKey)> keys{lpReadKey, FakeReadKey};
    ScopedSwap<decltype(lpReadJoystick)> joystick{lpReadJoystick, FakeReadJoystick};
    // One frame of the fixed layout as the frame step polls it.
    void Poll() { input.Poll(0, 3, 60); }
    void PollConfigured() { input.PollConfigured(1, 60); }

    cInput input;
};

} // namespace

TEST(KeyConfig, LoadsOneRawRecordAndNeverWritesIt)
{
    ScopedTestDir dir;
    KEYCONFIG config;
    SetDefaultKeyConfig(config);
    EXPECT_EQ(LoadKeyConfig("user_data\\KeyConfig.dat", config), 0);
    EXPECT_EQ(config.Entry[4].wCode, 'Z');
    EXPECT_FALSE(FileExists("user_data\\KeyConfig.dat"));

    // Entry 0 on joystick 1 at axis 256, entry 11 on the keyboard at VK_SPACE;
    // 6 entries, 2 joysticks, in use.
    std::vector<unsigned char> bytes(108, 0);
    std::vector<unsigned char> head = HexBytes("01000000 0001 ABCD");
    std::copy(head.begin(), head.end(), bytes.begin());
    std::vector<unsigned char> last = HexBytes("08000000 2000 0000 06000000 02000000 01000000");
    std::copy(last.begin(), last.end(), bytes.begin() + 88);
    ASSERT_TRUE(WriteFileBytes("KeyConfig.dat", bytes));
    EXPECT_EQ(LoadKeyConfig("KeyConfig.dat", config), 1);
    EXPECT_EQ(config.Entry[0].nDevice, 1);
    EXPECT_EQ(config.Entry[0].wCode, 256);
    EXPECT_EQ(config.Entry[11].nDevice, 8);
    EXPECT_EQ(config.Entry[11].wCode, VK_SPACE);
    EXPECT_EQ(config.nEntries, 6);
    EXPECT_EQ(config.nJoysticks, 2);
    EXPECT_EQ(config.bInUse, 1);
    EXPECT_EQ(ReadFileBytes("KeyConfig.dat"), bytes);
}

TEST(KeyConfig, ShortFileFillsOnlyItsBytesAndIsReported)
{
    ScopedTestDir dir;
    ASSERT_TRUE(CreateReportLog("Report_Game.txt"));
    KEYCONFIG config;
    SetDefaultKeyConfig(config);
    ASSERT_TRUE(WriteFileBytes("KeyConfig.dat", HexBytes("00000000 2600")));
    EXPECT_EQ(LoadKeyConfig("KeyConfig.dat", config), 1);
    EXPECT_EQ(config.Entry[0].nDevice, 0);
    EXPECT_EQ(config.Entry[0].wCode, VK_UP);
    EXPECT_EQ(config.Entry[1].wCode, VK_RIGHT);  // beyond the file: as it was
    EXPECT_EQ(config.nEntries, 12);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("KeyConfig.dat"), std::string::npos);
}

TEST(KeyConfig, DefaultIsTheKeyboardWithTheFixedLayout)
{
    KEYCONFIG config{};
    SetDefaultKeyConfig(config);
    const int codes[12] = {0x25, 0x27, 0x26, 0x28, 0x5A, 0x58, 0x43, 0x56, 0x41, 0x53, 0x44, 0x46};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(config.Entry[i].nDevice, 8);
        EXPECT_EQ(config.Entry[i].wCode, codes[i]);
    }
    EXPECT_EQ(config.nEntries, 12);
    EXPECT_EQ(config.nJoysticks, 1);
    EXPECT_EQ(config.bInUse, 0);
}

TEST_F(InputTest, FixedLayoutKeyboard)
{
    struct Row {
        std::set<int> keys;
        int direction, numpad, buttons;
    };
    const Row rows[] = {
        {{}, 0, 5, 0},
        {{VK_LEFT}, 1, 4, 0},
        {{VK_LEFT, VK_RIGHT}, 3, 5, 0},
        {{VK_UP, VK_LEFT}, 5, 1, 0},
        {{VK_DOWN, VK_RIGHT}, 10, 9, 0},
        {{VK_UP, VK_DOWN}, 12, 5, 0},
        {{'Z', 'C'}, 0, 5, 5},
        {{'X', 'V', 'A', 'S', 'D', 'F'}, 0, 5, 0xFA},
        {{VK_SPACE, VK_RETURN}, 0, 5, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        keysDown = row.keys;
        Poll();
        EXPECT_EQ(input.m_wDirection, row.direction);
        EXPECT_EQ(input.m_nNumpad, row.numpad);
        EXPECT_EQ(input.m_wButtons, row.buttons);
    }
    KeyConfig.bInUse = 1;
    EXPECT_EQ(input.Poll(0, 3, 60), 0);
    EXPECT_EQ(input.PollConfigured(1, 60), 1);
}

TEST_F(InputTest, FixedLayoutJoystickAxesAndButtons)
{
    joysticks[0].present = true;
    struct Row {
        DWORD x, y;
        int direction, numpad;
    };
    const Row rows[] = {
        {10000, 32767, 1, 4}, {10001, 32767, 0, 5}, {55534, 32767, 0, 5}, {55535, 32767, 2, 6},
        {0, 0, 5, 1},         {65535, 65535, 10, 9}, {32767, 10000, 4, 2},
    };
    for (const Row& row : rows) {
        joysticks[0].x = row.x;
        joysticks[0].y = row.y;
        Poll();
        EXPECT_EQ(input.m_wDirection, row.direction) << row.x << "," << row.y;
        EXPECT_EQ(input.m_nNumpad, row.numpad) << row.x << "," << row.y;
    }

    // A joystick direction hides the arrow keys; a centred one lets them through.
    keysDown = {VK_RIGHT, 'Z'};
    joysticks[0].x = 0;
    joysticks[0].y = 32767;
    Poll();
    EXPECT_EQ(input.m_wDirection, INPUT_LEFT);
    EXPECT_EQ(input.m_wButtons, 1);
    joysticks[0].x = 32767;
    Poll();
    EXPECT_EQ(input.m_wDirection, INPUT_RIGHT);

    // Joystick buttons hide the letter keys.
    joysticks[0].buttons = 2 | 128;
    Poll();
    EXPECT_EQ(input.m_wButtons, 2 | 128);

    // Without the keyboard source only the joystick counts.
    keysDown = {VK_UP};
    joysticks[0].buttons = 0;
    input.Poll(0, 1, 60);
    EXPECT_EQ(input.m_wDirection, 0);
}

TEST_F(InputTest, MissingJoystickIsRetriedEvery121stPoll)
{
    for (int poll = 1; poll <= 243; ++poll) {
        keysDown = {VK_DOWN};
        Poll();
        EXPECT_EQ(input.m_wDirection, INPUT_DOWN);  // the keyboard works throughout
        int expectedReads = poll >= 243 ? 3 : poll >= 122 ? 2 : 1;
        ASSERT_EQ(joysticks[0].reads, expectedReads) << "poll " << poll;
    }
    // Plugged in, it is found at the next retry and then read every poll.
    joysticks[0].present = true;
    joysticks[0].x = 0;
    for (int poll = 0; poll < 121; ++poll) Poll();
    EXPECT_EQ(joysticks[0].reads, 4);
    EXPECT_EQ(input.m_wDirection, INPUT_LEFT);
    Poll();
    EXPECT_EQ(joysticks[0].reads, 5);
}

TEST_F(InputTest, ConfiguredPollReadsEntriesOfEveryDevice)
{
    KeyConfig.bInUse = 1;
    KeyConfig.nJoysticks = 2;
    KeyConfig.nEntries = 7;  // three buttons
    KeyConfig.Entry[2] = {1, 1024, 0};      // up: joystick 1, y low
    KeyConfig.Entry[3] = {1, 8, 0};         // down: joystick 1, button mask 8
    KeyConfig.Entry[4] = {1, 256, 0};       // button 1: an axis code tests only button bits
    KeyConfig.Entry[5] = {0, 2, 0};         // button 2: joystick 0 (unplugged)
    KeyConfig.Entry[6] = {5, 1, 0};         // button 3: a joystick that is not configured
    KeyConfig.Entry[7] = {8, 'Q', 0};       // beyond the entry count: never read
    joysticks[1].present = true;
    joysticks[1].y = 0;
    keysDown = {VK_LEFT, VK_RIGHT, 'Q', 'X'};
    EXPECT_EQ(input.Poll(0, 3, 60), 0);
    PollConfigured();
    EXPECT_EQ(input.m_wDirection, INPUT_LEFT | INPUT_UP);  // left wins over right
    EXPECT_EQ(input.m_nNumpad, 5 - 1 - 3);
    EXPECT_EQ(input.m_wButtons, 0);

    joysticks[1].y = 32767;
    joysticks[1].buttons = 8 | 1;
    PollConfigured();
    EXPECT_EQ(input.m_wDirection, INPUT_LEFT | INPUT_DOWN);
    EXPECT_EQ(input.m_wButtons, 0);  // mask 256 meets no button of joystick 1
    joysticks[1].buttons = 256;
    PollConfigured();
    EXPECT_EQ(input.m_wButtons, 1);

    KeyConfig.bInUse = 0;
    EXPECT_EQ(input.PollConfigured(1, 60), 0);
}

TEST_F(InputTest, UnpluggedJoystickDoesNotStarveAWorkingOne)
{
    KeyConfig.bInUse = 1;
    KeyConfig.nJoysticks = 2;
    KeyConfig.Entry[4] = {1, 1, 0};  // button 1 on joystick 1
    joysticks[1].present = true;
    for (int poll = 0; poll < 130; ++poll) {
        joysticks[1].buttons = poll & 1;
        PollConfigured();
        ASSERT_EQ(input.m_wButtons, poll & 1) << "poll " << poll;
    }
    EXPECT_EQ(joysticks[0].reads, 2);
    EXPECT_EQ(joysticks[1].reads, 130);
}

TEST_F(InputTest, CountsFromTheKeyConfigurationAreClamped)
{
    KeyConfig.bInUse = 1;
    const int32_t joystickCounts[] = {-5, 0, 16, 17, 1000000};
    const int32_t entryCounts[] = {-1, 0, 3, 12, 13, 1000000};
    keysDown = {'Z', 'F', VK_LEFT};
    for (int32_t joysticksCount : joystickCounts) {
        for (int32_t entries : entryCounts) {
            KeyConfig.nJoysticks = joysticksCount;
            KeyConfig.nEntries = entries;
            PollConfigured();
            EXPECT_EQ(input.m_wDirection, INPUT_LEFT);
            EXPECT_EQ(input.m_wButtons, entries >= 12 ? 0x81 : entries > 4 ? 1 : 0);
        }
    }
    for (const FakeJoystick& joy : joysticks) EXPECT_LE(joy.reads, 1);
    // A device number that names no joystick is never down.
    KeyConfig.nJoysticks = 1;
    KeyConfig.Entry[0] = {-7, 256, 0};
    KeyConfig.Entry[1] = {123456, 256, 0};
    PollConfigured();
    EXPECT_EQ(input.m_wDirection, 0);
}

TEST_F(InputTest, HistoryAnswersStatesOfEarlierFrames)
{
    input.ClearHistory();
    for (int i = 0; i < 10; ++i) { input.m_wDirection = 0; input.RecordHistory(); }
    for (int i = 0; i < 40; ++i) { input.m_wDirection = INPUT_LEFT; input.m_wButtons = 3; input.RecordHistory(); }
    EXPECT_EQ(input.StateAgo(0, 0), INPUT_LEFT);
    EXPECT_EQ(input.StateAgo(0, 39), INPUT_LEFT);
    EXPECT_EQ(input.StateAgo(0, 40), 0);
    EXPECT_EQ(input.StateAgo(0, 45), 0);
    EXPECT_EQ(input.StateAgo(1, 0), 3);
    EXPECT_EQ(input.StateAgo(1, 40), 0);

    // 40 changes: the ring keeps the last 32 states.
    input.ClearHistory();
    for (int i = 1; i <= 40; ++i) { input.m_wDirection = static_cast<int16_t>(i); input.RecordHistory(); }
    EXPECT_EQ(input.StateAgo(0, 0), 40);
    EXPECT_EQ(input.StateAgo(0, 31), 9);
}

TEST_F(InputTest, RunLengthsCountFramesPerCondition)
{
    input.ResetRunLengths();
    const struct { int direction, buttons, frames; } sequence[] = {{0, 0, 3}, {INPUT_LEFT, 1, 5}, {INPUT_LEFT | INPUT_UP, 1, 2}};
    for (const auto& step : sequence) {
        SCOPED_TRACE(testing::Message() << "step " << &step - sequence);
        for (int i = 0; i < step.frames; ++i) {
            input.m_wDirection = static_cast<int16_t>(step.direction);
            input.m_wButtons = static_cast<int16_t>(step.buttons);
            input.UpdateRunLengths();
        }
    }
    auto run = [](const std::vector<INPUTRUN>& runs, int i) { return std::make_pair(runs[i].bOn, runs[i].nFrames); };
    using P = std::pair<int32_t, int32_t>;
    // Neutral: on 3, then off 7.
    EXPECT_EQ(run(input.m_DirectionRuns[0], 0), P(0, 7));
    EXPECT_EQ(run(input.m_DirectionRuns[0], 1), P(1, 3));
    // Left only: off 3, on 5, off 2.
    EXPECT_EQ(run(input.m_DirectionRuns[1], 0), P(0, 2));
    EXPECT_EQ(run(input.m_DirectionRuns[1], 1), P(1, 5));
    EXPECT_EQ(run(input.m_DirectionRuns[1], 2), P(0, 3));
    // Left and up.
    EXPECT_EQ(run(input.m_DirectionRuns[5], 0), P(1, 2));
    // Any direction: off 3, on 7.
    EXPECT_EQ(run(input.m_DirectionRuns[9], 0), P(1, 7));
    EXPECT_EQ(run(input.m_DirectionRuns[9], 1), P(0, 3));
    // No button, button 1, button 2.
    EXPECT_EQ(run(input.m_ButtonRuns[0], 0), P(0, 7));
    EXPECT_EQ(run(input.m_ButtonRuns[1], 0), P(1, 7));
    EXPECT_EQ(run(input.m_ButtonRuns[2], 0), P(0, 10));
    for (const auto& runs : input.m_DirectionRuns) EXPECT_EQ(runs.size(), 32u);

    // Many changes keep 32 runs, newest first.
    for (int i = 0; i < 50; ++i) {
        input.m_wDirection = static_cast<int16_t>(i & 1 ? INPUT_RIGHT : 0);
        input.UpdateRunLengths();
    }
    EXPECT_EQ(input.m_DirectionRuns[2].size(), 32u);
    EXPECT_EQ(run(input.m_DirectionRuns[2], 0), P(1, 1));
}

TEST_F(InputTest, KeyRepeatPassesFirstFrameThenAfterDelayEveryInterval)
{
    std::vector<int> passed;
    for (int frame = 0; frame <= 36; ++frame) {
        keysDown = {VK_LEFT};
        Poll();
        input.ApplyRepeat();
        if (input.m_wDirection & INPUT_LEFT) passed.push_back(frame);
        EXPECT_EQ(input.m_nNumpad, 4);  // the numpad code is left as polled
    }
    EXPECT_EQ(passed, (std::vector<int>{0, 18, 24, 30, 36}));

    // A new press on the other axis passes at once, while left stays held back.
    keysDown = {VK_LEFT, VK_UP};
    Poll();
    input.ApplyRepeat();
    EXPECT_EQ(input.m_wDirection, INPUT_UP);

    // Release and press again: passes at once.
    keysDown = {};
    Poll();
    input.ApplyRepeat();
    keysDown = {VK_RIGHT};
    Poll();
    input.ApplyRepeat();
    EXPECT_EQ(input.m_wDirection, INPUT_RIGHT);
}

TEST_F(InputTest, TriggerPassesOnePressOnce)
{
    std::vector<int> seen;
    auto frame = [&](std::set<int> keys, int mask) {
        keysDown = keys;
        Poll();
        input.Trigger(mask);
        seen.push_back(input.m_wButtons);
    };
    for (int i = 0; i < 100; ++i) frame({'Z'}, 3);
    EXPECT_EQ(seen.front(), 1);
    for (size_t i = 1; i < seen.size(); ++i) ASSERT_EQ(seen[i], 0) << i;
    seen.clear();
    frame({'Z', 'X'}, 3);  // a second masked button while the first is held
    frame({'X'}, 3);
    frame({}, 3);          // every masked button released
    frame({'X'}, 3);
    frame({'X', 'C'}, 3);  // C is outside the mask and passes as polled
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 0, 2, 4}));
    seen.clear();
    frame({}, 0);
    frame({'F'}, 0);  // mask 0 means all eight buttons
    frame({'F'}, 0);
    EXPECT_EQ(seen, (std::vector<int>{0, 128, 0}));
}

TEST(Input, FlagsToDirection)
{
    // Up counts -3 and down +3 from the neutral 5.
    const int expected[16] = {5, 4, 6, 4, 2, 1, 3, 1, 8, 7, 9, 7, 2, 1, 3, 1};
    for (int bits = 0; bits < 16; ++bits) EXPECT_EQ(FlagsToDirection(bits), expected[bits]) << bits;
}

TEST(Input, WithoutAJoystickTheRealReadFailsAndIsRetriedLater)
{
    // The machine under test has no joystick: the real read must fail quietly.
    cInput input;
    input.InitJoyButtons();
    KeyConfig = KEYCONFIG{};
    for (int poll = 0; poll < 3; ++poll) EXPECT_EQ(input.Poll(0, 3, 60), 1);
    EXPECT_EQ(input.m_bJoyOk[0], 0);
    EXPECT_EQ(input.m_nJoyRetry[0], 118);
}
