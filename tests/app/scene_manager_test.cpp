// The scene manager's frames: screens created and stepped in one frame, the
// fixed deletion orders, the frame-rate text's average, and the game thread
// that runs the frames.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/game_loop.h"
#include "app/system/input.h"
#include "app/base/log.h"
#include "app/shell/main_window.h"
#include "app/shell/scene_manager.h"
#include "app/system/system_ini.h"
#include "app/system/thread.h"
#include "app/system/timing.h"
#include "scenes/challenge_scene.h"
#include "scenes/option_scene.h"
#include "scenes/plain_scene.h"
#include "stage/scene/stage_scene.h"
#include "scenes/title_scene.h"
#include "tests/support/message_sink.h"
#include "tests/support/test_dir.h"
#include "tests/support/wait_until.h"

namespace {

DWORD fakeNow;
DWORD WINAPI FakeClock() { return fakeNow; }
SHORT WINAPI NoKeys(int) { return 0; }
MMRESULT WINAPI NoJoystick(UINT, JOYINFOEX*) { return JOYERR_UNPLUGGED; }

std::vector<std::string> Events;

// The messages of a marker kind that a thread has taken off its queue, seen
// by a hook on that thread.
constexpr UINT WM_TEST_MARKER = WM_APP + 77;
std::atomic<int> nMarkersTaken{0};
LRESULT CALLBACK SeeMarkers(int code, WPARAM removed, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_TEST_MARKER) ++nMarkersTaken;
    return CallNextHookEx(nullptr, code, removed, lParam);
}

// A screen that says when it runs and goes, and takes the given work time
// (fake milliseconds) per step.
class RecordingScene : public cScene {
public:
    explicit RecordingScene(std::string name, std::vector<DWORD> work = {})
        : m_name(std::move(name)), m_work(std::move(work)) {}
    ~RecordingScene() override { Events.push_back("delete " + m_name); }
    void Run() override
    {
        Events.push_back("run " + m_name);
        if (m_step < m_work.size()) fakeNow += m_work[m_step++];
    }

private:
    std::string m_name;
    std::vector<DWORD> m_work;
    size_t m_step = 0;
};

class SceneManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeNow = 50000;
        lpTimeSource = FakeClock;
        lpReadKey = NoKeys;
        lpReadJoystick = NoJoystick;
        ResetTiming();
        ResetFpsRing();
        Events.clear();
        SceneManager.FrameRate = 0;  // no pacing on the fake clock
        SceneManager.m_nCurrentScene = 0;
    }
    void TearDown() override
    {
        SceneManager.DeleteAllScenes();
        SystemIni.ShowFps = 0;
        lpTimeSource = timeGetTime;
        lpReadKey = GetAsyncKeyState;
        lpReadJoystick = joyGetPosEx;
        ResetTiming();
    }
    // The ids whose screens exist.
    static std::vector<int> Existing()
    {
        std::vector<int> ids;
        for (int id = 0; id < SCENE_COUNT; ++id)
            if (SceneManager.GetScene(id)) ids.push_back(id);
        return ids;
    }
};

} // namespace

// The state of a screen of any of the classes the factory builds.
static int StateOf(cScene* scene)
{
    if (auto* plain = dynamic_cast<cPlainScene*>(scene)) return plain->m_nState;
    if (auto* title = dynamic_cast<cTitleScene*>(scene)) return title->m_nState;
    if (auto* options = dynamic_cast<cOptionScene*>(scene)) return options->m_nState;
    if (auto* challenge = dynamic_cast<cChallengeSelectScene*>(scene)) return challenge->m_nState;
    if (auto* stage = dynamic_cast<cStageScene*>(scene)) return stage->m_nState;
    return -2;
}

TEST_F(SceneManagerTest, ScreenIsCreatedAndSteppedInTheFrameThatMakesItCurrent)
{
    struct ROW {
        int nCurrent;
        std::vector<int> Existing;
    };
    // In this order: the title, the options (the title goes in the same
    // frame), stage play, back to the title, and an id without a screen.
    const ROW rows[] = {{0, {0}}, {5, {5}}, {4, {4}}, {0, {0}}, {6, {}}, {-1, {}}};
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.nCurrent);
        SceneManager.m_nCurrentScene = row.nCurrent;
        ASSERT_EQ(SceneManager.Frame(), 1);
        EXPECT_EQ(Existing(), row.Existing);
        if (row.Existing.empty()) continue;
        // Its first step ran Init and took state 0.
        cScene* scene = SceneManager.GetScene(row.nCurrent);
        ASSERT_NE(scene, nullptr);
        EXPECT_EQ(StateOf(scene), 0);
        // Only the stage screen is the stage screen, and only while it exists.
        EXPECT_EQ(static_cast<cScene*>(lpStageScene), row.nCurrent == SCENE_STAGE ? scene : nullptr);
    }
}

TEST_F(SceneManagerTest, StageScreenPointerGoesWithTheScreen)
{
    SceneManager.m_nCurrentScene = SCENE_STAGE;
    SceneManager.Frame();
    ASSERT_NE(lpStageScene, nullptr);
    SceneManager.DeleteAllScenes();
    EXPECT_EQ(lpStageScene, nullptr);
}

TEST_F(SceneManagerTest, OtherScreensGoInTheirFixedOrders)
{
    auto fill = [] {
        for (int id = 0; id < SCENE_COUNT; ++id)
            if (!SceneManager.m_lpScenes[id]) SceneManager.m_lpScenes[id] = std::make_unique<RecordingScene>(std::to_string(id));
    };
    fill();
    SceneManager.PrepareScene(SCENE_OPTION);
    EXPECT_EQ(Events, (std::vector<std::string>{"delete 0", "delete 2", "delete 1", "delete 3", "delete 4"}));
    EXPECT_EQ(Existing(), std::vector<int>{5});

    Events.clear();
    fill();
    SceneManager.PrepareScene(SCENE_WORLDMAP);
    EXPECT_EQ(Events, (std::vector<std::string>{"delete 0", "delete 2", "delete 3", "delete 4", "delete 5"}));

    Events.clear();
    fill();
    SceneManager.DeleteAllScenes();
    EXPECT_EQ(Events,
              (std::vector<std::string>{"delete 0", "delete 1", "delete 2", "delete 3", "delete 5", "delete 4"}));
    EXPECT_TRUE(Existing().empty());
}

TEST_F(SceneManagerTest, FpsAverageIsZeroUntilTheRingWrapsThenChangesEvery16Frames)
{
    // Work times: 1 to 16 ms for the first block (sum 136, average 8), then
    // 40 ms each (average 40), then 7 ms each while the text is off.
    std::vector<DWORD> work;
    for (DWORD ms = 1; ms <= 16; ++ms) work.push_back(ms);
    work.insert(work.end(), 16, 40);
    work.insert(work.end(), 16, 7);
    SceneManager.m_lpScenes[SCENE_TITLE] = std::make_unique<RecordingScene>("title", work);
    SystemIni.ShowFps = 1;
    for (int frame = 1; frame <= 32; ++frame) {
        SCOPED_TRACE(frame);
        SceneManager.Frame();
        const unsigned expected = frame < 16 ? 0 : frame < 32 ? 8 : 40;
        EXPECT_EQ(FpsAverage(), expected);
    }
    SystemIni.ShowFps = 0;
    for (int frame = 33; frame <= 48; ++frame) SceneManager.Frame();
    EXPECT_EQ(FpsAverage(), 40u);
}

TEST_F(SceneManagerTest, StageScreenGetsTheFramesOfTheLastFullSecond)
{
    // Frames every 100 ms from 0: the eleventh, at 1000 ms, closes the first
    // second with the ten frames before it.
    SceneManager.m_nCurrentScene = SCENE_STAGE;
    for (int frame = 0; frame < 12; ++frame) {
        SceneManager.Frame();
        fakeNow += 100;
    }
    ASSERT_NE(lpStageScene, nullptr);
    EXPECT_EQ(lpStageScene->m_nFps, 10);
}

TEST(GameThread, RunsFramesOnlyWhileTheApplicationIsActiveAndEndsOnQuit)
{
    ScopedTestDir dir;
    ScopedMainWindow main;
    TraceLogInit(1, "trace.txt");
    lpReadKey = NoKeys;
    lpReadJoystick = NoJoystick;
    SceneManager.FrameRate = 60;
    // The world map: without a display its pictures cannot be loaded and it
    // asks the main window to close, which this test leaves unanswered.
    SceneManager.m_nCurrentScene = SCENE_WORLDMAP;
    MainWindow.bAppActive = 0;
    ASSERT_TRUE(StartGameThread());
    // The thread idles: it goes on taking its messages, one marker after the
    // other (each posted once the last is taken, so the thread finds its
    // queue empty in between), and makes no screen.
    nMarkersTaken = 0;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, SeeMarkers, nullptr, Threads.thGame.m_nThreadId);
    EXPECT_NE(hook, nullptr);
    for (int i = 1; i <= 5; ++i) {
        PostThreadMessageA(Threads.thGame.m_nThreadId, WM_TEST_MARKER, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return nMarkersTaken >= i; })) << i;
    }
    if (hook) UnhookWindowsHookEx(hook);
    EXPECT_EQ(SceneManager.GetScene(SCENE_WORLDMAP), nullptr);
    MainWindow.bAppActive = 1;
    EXPECT_TRUE(WaitUntil([] { return SceneManager.GetScene(SCENE_WORLDMAP) != nullptr; }));
    Threads.thGame.Exit();
    EXPECT_EQ(Threads.thGame.m_hThread, nullptr);
    EXPECT_NE(ReadFileText("trace.txt").find("GameLoop WM_QUIT!"), std::string::npos);
    MainWindow.bAppActive = 0;
    SceneManager.DeleteAllScenes();
    TraceLogInit(0, "");
    lpReadKey = GetAsyncKeyState;
    lpReadJoystick = joyGetPosEx;
}
