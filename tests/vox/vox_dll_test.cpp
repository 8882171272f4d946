#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/build_tree.h"
#include "tests/support/test_dir.h"
#include "vox/vox.h"

namespace {

// How long a test waits for the library's thread: far beyond the few seconds
// of sound the tests play, for a machine busy with other tests.
constexpr DWORD WAIT_LIMIT_MS = 30000;

// The built library, loaded as the game loads it, by its export's plain name.
class VoxLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hModule = LoadLibraryA(BuildTreePath("Vox.dll").c_str());
        ASSERT_NE(m_hModule, nullptr);
        m_lpCreate = reinterpret_cast<LPCREATEVOX>(reinterpret_cast<void*>(GetProcAddress(m_hModule, "CreateVox")));
        ASSERT_NE(m_lpCreate, nullptr);
        m_lpPlayer = m_lpCreate();
        ASSERT_NE(m_lpPlayer, nullptr);
        m_Tune = BuildTreePath("fixtures\\tune.ogg");
    }
    void TearDown() override
    {
        if (m_lpPlayer) m_lpPlayer->lpOps->Delete(m_lpPlayer);
        if (m_hModule) FreeLibrary(m_hModule);
    }
    const VOXOPS& Ops() const { return *m_lpPlayer->lpOps; }
    // Waits until the status of player (by default the test's own) is the
    // one asked for; false after WAIT_LIMIT_MS.
    bool WaitForStatus(int status, VOXPLAYER* player = nullptr)
    {
        if (!player) player = m_lpPlayer;
        const DWORD start = GetTickCount();
        while (player->lpOps->GetStatus(player) != status) {
            if (GetTickCount() - start >= WAIT_LIMIT_MS) return false;
            Sleep(10);
        }
        return true;
    }

    HMODULE m_hModule = nullptr;
    LPCREATEVOX m_lpCreate = nullptr;
    VOXPLAYER* m_lpPlayer = nullptr;
    std::string m_Tune;
};

} // namespace

TEST_F(VoxLibrary, LoadsTheTuneAndRefusesWhatIsNotOgg)
{
    ScopedTestDir dir;
    WriteFileText("fake.ogg", "OggS but nothing after it");
    EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_EMPTY);
    EXPECT_EQ(Ops().Load(m_lpPlayer, "missing.ogg"), 0);
    EXPECT_EQ(Ops().Load(m_lpPlayer, "fake.ogg"), 0);
    EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_EMPTY);
    Ops().Play(m_lpPlayer);  // nothing loaded: nothing plays
    EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_EMPTY);

    EXPECT_NE(Ops().Load(m_lpPlayer, m_Tune.c_str()), 0);
    EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_STOPPED);
    EXPECT_EQ(Ops().GetLength(m_lpPlayer), 8820u);
    EXPECT_EQ(Ops().GetRate(m_lpPlayer), 22050u);

    Ops().Close(m_lpPlayer);
    EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_EMPTY);
    EXPECT_EQ(Ops().GetLength(m_lpPlayer), 0u);
}

TEST_F(VoxLibrary, PlaysOnceOrTheAskedRepeatsAndThenFallsSilent)
{
    struct Case {
        int loop;
        unsigned passes;
    } cases[] = {{0, 1}, {2, 3}, {-5, 1}};
    ASSERT_NE(Ops().Load(m_lpPlayer, m_Tune.c_str()), 0);
    for (const Case& c : cases) {
        Ops().SetLoop(m_lpPlayer, c.loop);
        Ops().Play(m_lpPlayer);
        EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_PLAYING) << c.loop;
        EXPECT_TRUE(WaitForStatus(VOX_STATUS_STOPPED)) << c.loop;
        EXPECT_EQ(Ops().GetPosition(m_lpPlayer), 8820u * c.passes) << c.loop;
    }
}

TEST_F(VoxLibrary, EndlessLoopPlaysOnUntilStoppedAndPlayStartsOver)
{
    ASSERT_NE(Ops().Load(m_lpPlayer, m_Tune.c_str()), 0);
    Ops().SetLoop(m_lpPlayer, VOX_LOOP_ENDLESS);
    Ops().Play(m_lpPlayer);
    DWORD start = GetTickCount();
    while (Ops().GetPosition(m_lpPlayer) < 8820u * 3 && GetTickCount() - start < WAIT_LIMIT_MS) Sleep(10);
    EXPECT_GE(Ops().GetPosition(m_lpPlayer), 8820u * 3);
    EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_PLAYING);

    // Streamed, not decoded ahead: the position stays within a few buffers
    // of the time played.
    DWORD elapsed = GetTickCount() - start;
    EXPECT_LT(Ops().GetPosition(m_lpPlayer), (elapsed + 1000) * 22050u / 1000 + 4u * 4096u);

    Ops().Stop(m_lpPlayer);
    EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_STOPPED);
    unsigned stopped = Ops().GetPosition(m_lpPlayer);
    // It stays put while another player plays its tune through.
    VOXPLAYER* other = m_lpCreate();
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other->lpOps->Load(other, m_Tune.c_str()), 0);
    other->lpOps->Play(other);
    EXPECT_TRUE(WaitForStatus(VOX_STATUS_STOPPED, other));
    EXPECT_EQ(other->lpOps->GetPosition(other), 8820u);
    other->lpOps->Delete(other);
    EXPECT_EQ(Ops().GetPosition(m_lpPlayer), stopped);

    Ops().SetLoop(m_lpPlayer, 0);
    Ops().Play(m_lpPlayer);
    EXPECT_LE(Ops().GetPosition(m_lpPlayer), 8820u);
    EXPECT_TRUE(WaitForStatus(VOX_STATUS_STOPPED));
    EXPECT_EQ(Ops().GetPosition(m_lpPlayer), 8820u);
}

TEST_F(VoxLibrary, EachPlayerPlaysOnItsOwnAndDeleteWhilePlayingIsClean)
{
    VOXPLAYER* second = m_lpCreate();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(Ops().Load(m_lpPlayer, m_Tune.c_str()), 0);
    ASSERT_NE(Ops().Load(second, m_Tune.c_str()), 0);
    Ops().SetLoop(m_lpPlayer, VOX_LOOP_ENDLESS);
    Ops().SetLoop(second, VOX_LOOP_ENDLESS);
    Ops().Play(m_lpPlayer);
    Ops().Play(second);
    Ops().Stop(m_lpPlayer);
    EXPECT_EQ(Ops().GetStatus(m_lpPlayer), VOX_STATUS_STOPPED);
    EXPECT_EQ(Ops().GetStatus(second), VOX_STATUS_PLAYING);
    second->lpOps->Delete(second);
    // And the library's thread is gone with it: unloading now must not crash.
}
