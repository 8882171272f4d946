// A frame of the play screen without a display: what it advances, what it
// removes and what it hands the painter, in which order; the character
// effects, overlays and gauges; the screen effects and the screen tint.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/objects/chara_effects.h"
#include "stage/objects/effect.h"
#include "stage/scene/play_screen.h"
#include "stage/scene/screen_effect.h"
#include "stage/scene/screen_tint.h"
#include "stage/objects/stage_containers.h"
#include "tests/stage/recording_painter.h"
#include "tests/stage/stage_display_fixture.h"
#include "tests/stage/stage_harness.h"

namespace {

class PlayScreenTest : public StageDisplayTest {
protected:
    void SetUp() override
    {
        StageDisplayTest::SetUp();
        StageData.m_nFrameRate = 60;
        StageData.m_bDrawLayers = 0;
        Host().onPainter = [this] { return &m_Painter; };
    }
    void TearDown() override
    {
        CharaList.clear();
        Player.clear();
        for (auto* v : {&CharaEffectTemplates, &CharaEffectTemplatesRev, &ScrEffectTemplates, &ScrEffectTemplatesRev})
            v->clear();
        DataBase.m_CharaEffect.clear();
        DataBase.m_ScrEffect.clear();
        StageDisplayTest::TearDown();
    }

    static void Entries(int charaKind, std::array<int, 5> chara, int scrKind, std::array<int, 5> scr)
    {
        SetEffectEntries(charaKind, chara, scrKind, scr);
    }

    static cNpc& Enemy(double left = 100, double top = 100)
    {
        cNpc& c = HarnessNpc(HarnessCharaDef(1, 10), left, top);
        c.m_nSide = 1;
        c.m_bAppeared = 1;
        return c;
    }

    void Frame(int frozen) { m_lpScene->DrawPlayScreen(1, frozen, 0, 0); }

    RecordingPainter m_Painter;
};

TEST_F(PlayScreenTest, DeadCharacterLeavesOnlyInAFrameThatAdvances)
{
    // A dying enemy without a death effect has ended at once; frozen frames
    // (the sub-loops, while the play step is suspended) keep it.
    cNpc& dead = Enemy();
    dead.m_bDead = 1;
    Enemy(200, 100);
    for (int i = 0; i < 3; ++i) Frame(1);
    EXPECT_EQ(CharaList.size(), 2u);
    Frame(0);
    ASSERT_EQ(CharaList.size(), 1u);
    EXPECT_EQ(CharaList.front().m_bDead, 0);
}

TEST_F(PlayScreenTest, DeathEffectRunsToItsEndBeforeTheCharacterLeaves)
{
    // A 1-second effect (60 steps) drawn while dying; frozen frames draw it
    // without stepping it.
    Entries(CHARAFX_SPLIT_H, {10, 0, 30, 4, 0}, 0, {});
    cNpc& dead = Enemy();
    dead.m_bDead = 1;
    dead.m_CharaEffect.StartChara(1, EFFECTRUN_NORMAL, 0);
    Frame(1);
    EXPECT_DOUBLE_EQ(dead.m_CharaEffect.m_dValue, 0);
    int frames = 0;
    while (!CharaList.empty() && frames < 200) {
        Frame(0);
        ++frames;
    }
    EXPECT_EQ(frames, 61);
}

TEST_F(PlayScreenTest, DefeatedPlayerIsReportedAFrameRateAfterItsEffect)
{
    Player.emplace_back();
    cPlayer& p = Player[P1];
    p.m_bDead = 1;
    for (int i = 0; i < 100; ++i) EXPECT_EQ(p.DrawDead(&m_Painter, 1), 0);
    EXPECT_EQ(p.m_nDeadFrames, 0);
    for (int i = 1; i <= 60; ++i) EXPECT_EQ(p.DrawDead(&m_Painter, 0), 0) << i;
    EXPECT_EQ(p.DrawDead(&m_Painter, 0), 1);
    EXPECT_TRUE(m_Painter.Log.empty());   // nothing is drawn once the effect is over
}

TEST_F(PlayScreenTest, ObjectsAreDrawnOncePlayerItemsCharactersShots)
{
    Player.emplace_back();
    Player[P1].m_Def.m_nMaxHp = 10;
    const double x = m_lpScene->m_ScrollX.m_dPos + 100, y = m_lpScene->m_ScrollY.m_dPos + 100;
    cNpc& c = Enemy(x, y);
    c.m_nRef = 77;
    ItemList.emplace_back();
    PlaceObject(ItemList.back(), x + 40, y, 16, 16, 1);
    m_lpScene->m_ShotList.emplace_back();
    PlaceObject(m_lpScene->m_ShotList.back(), x + 80, y, 16, 16, 1);
    Frame(0);
    std::vector<std::string> objects;
    for (const std::string& s : m_Painter.Log)
        if (s.rfind("chara", 0) == 0 || s == "item" || s == "shot") objects.push_back(s);
    EXPECT_EQ(objects, (std::vector<std::string>{"chara 0", "item", "chara 77", "shot"}));
    ItemList.clear();
    // The frame's frame: back layers first, the tint last, the status bar and
    // the time after the objects.
    EXPECT_EQ(m_Painter.Log.front(), "frame");
    EXPECT_EQ(m_Painter.Log[1], "back 0");
    EXPECT_EQ(m_Painter.Log.back(), "time");
}

TEST_F(PlayScreenTest, ReducedPauseDrawingShowsOnlyTheBackgroundLayers)
{
    SystemData.m_bPauseHidesStage = 1;
    m_lpScene->m_nState = STAGE_PAUSEMENU;
    Enemy();
    m_lpScene->DrawPlayScreen(0, 1, 0, 0);
    EXPECT_EQ(m_Painter.Log, (std::vector<std::string>{"frame", "back 0", "back 1"}));
    SystemData.m_bPauseHidesStage = 0;
}

TEST_F(PlayScreenTest, ThePauseMenuHidesTheStageWhenTheSettingSaysSo)
{
    // A frame of the pause menu with no key pressed, a tint running: with
    // the setting on only the background layers and the tint are drawn; off,
    // the whole play screen.
    struct Case {
        int hides;
        std::vector<std::string> drawn;
    };
    const Case cases[] = {
        {1, {"frame", "back 0", "back 1", "tint 0"}},
        {0, {"frame", "back 0", "blocks 0", "blocks 1", "back 1", "status", "time", "system text", "tint 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hides);
        SystemData.m_bPauseHidesStage = c.hides;
        const int red[8] = {255, 0, 0, 100, 0, 0, 0, 0};
        m_lpScene->m_ScreenTint = cScreenTint();
        m_lpScene->m_ScreenTint.Set(red, TINT_BLEND);
        m_lpScene->m_nState = STAGE_PAUSEMENU;
        m_lpScene->m_nSubState = 0;
        m_Painter.Log.clear();
        m_lpScene->PauseMenu();
        EXPECT_EQ(m_lpScene->m_nState, STAGE_PAUSEMENU);
        EXPECT_EQ(m_Painter.Log, c.drawn);
    }
    SystemData.m_bPauseHidesStage = 0;
}

TEST_F(PlayScreenTest, OverlayChoice)
{
    // Timed overlays: the one whose frames to play are the fewest, and among
    // the used-up ones (0 or less) the latest.
    struct Case {
        int a, b, expected;
    };
    for (const Case& k : {Case{-1, 0, 2}, Case{3, 5, 1}, Case{0, -1, 2}, Case{5, 3, 2}}) {
        cNpc& c = Enemy();
        int shown = 1;
        for (int frames : {k.a, k.b}) {
            OVERLAYANIM o;
            o.bTimed = 1;
            o.nFrames = frames;
            o.Anime.AddSequence({{10 * shown, 100, 0}, {-2, 0, 0}});
            o.Anime.Set(0, 1);
            c.m_Overlays.push_back(std::move(o));
            ++shown;
        }
        EXPECT_EQ(c.CurrentFrame(1), 10 * k.expected) << k.a << " " << k.b;
    }
    // An untimed overlay (the play-animation command's) shows when it is the only one.
    cNpc& c = Enemy();
    OVERLAYANIM o;
    o.Anime.AddSequence({{42, 100, 0}, {-2, 0, 0}});
    o.Anime.Set(0, 1);
    c.m_Overlays.push_back(std::move(o));
    EXPECT_EQ(c.CurrentFrame(1), 42);
}

TEST_F(PlayScreenTest, GaugeShowsTheLossShrinkingWithinSixtyFrames)
{
    cNpc& c = Enemy();
    c.m_Def.m_nMaxHp = 100;
    c.m_nHp = 100;
    c.ChangeHp(-10, 0, 1);
    EXPECT_EQ(c.m_HpGauge.nBar, 45);
    EXPECT_EQ(static_cast<int>(-c.m_HpGauge.dLength), 5);
    for (int i = 0; i < 30; ++i) c.DrawGauges(&m_Painter);
    EXPECT_EQ(static_cast<int>(-c.m_HpGauge.dLength + 1e-9), 2);
    for (int i = 30; i < 61; ++i) c.DrawGauges(&m_Painter);
    EXPECT_EQ(c.m_HpGauge.dLength, 0);
    for (int i = 61; i < 200; ++i) c.DrawGauges(&m_Painter);
    EXPECT_EQ(m_Painter.Count("hp"), 120);
    EXPECT_EQ(m_Painter.Count("sp"), 0);
}

TEST_F(PlayScreenTest, BlinkTogglesEveryParameterFramesAndHoldStopsItsCounter)
{
    for (int interval : {1, 2}) {
        Entries(CHARAFX_BLINK, {100, interval, 0, 0, 0}, 0, {});
        cEffectRun run;
        run.StartChara(1, EFFECTRUN_NORMAL, 0);
        std::vector<int> shown;
        for (int f = 0; f < 7; ++f) {
            shown.push_back(run.m_nWork2);
            StepCharaEffect(run, 0);
        }
        std::vector<int> expected = interval == 1 ? std::vector<int>{0, 0, 1, 0, 1, 0, 1}
                                                  : std::vector<int>{0, 0, 0, 1, 1, 0, 0};
        EXPECT_EQ(shown, expected) << interval;
        const int counter = run.m_nWork1;
        StepCharaEffect(run, 1);
        StepCharaEffect(run, 1);
        EXPECT_LE(run.m_nWork1, counter);
    }
}

TEST_F(PlayScreenTest, TransparentCharacterAdvancesItsEffectWithoutBeingDrawn)
{
    Entries(CHARAFX_BURST, {10, 0, 30, 0, 0}, 0, {});
    cNpc& c = Enemy(330, 330);
    c.m_Def.m_bTransparent = 1;
    c.m_CharaEffect.StartChara(1, EFFECTRUN_NORMAL, 0);
    for (int i = 0; i < 60; ++i) Frame(0);
    EXPECT_EQ(c.m_CharaEffect.m_sEffect, 1);
    Frame(0);
    EXPECT_EQ(c.m_CharaEffect.m_sEffect, 0);
    EXPECT_EQ(m_Painter.Count("chara " + std::to_string(c.m_nRef)), 0);
}

TEST_F(PlayScreenTest, UnknownCharacterEffectKindDrawsPlainAndNeverEnds)
{
    Entries(99, {1, 0, 30, 0, 0}, 0, {});
    cNpc& c = Enemy(330, 330);
    c.m_CharaEffect.StartChara(1, EFFECTRUN_NORMAL, 0);
    EXPECT_EQ(CharaEffectKind(c.m_CharaEffect), CHARAFX_NONE);
    for (int i = 0; i < 30; ++i) Frame(0);
    EXPECT_EQ(c.m_CharaEffect.m_sEffect, 1);
    // A dying character with such an effect still leaves.
    c.m_bDead = 1;
    Frame(0);
    EXPECT_TRUE(CharaList.empty());
}

TEST_F(PlayScreenTest, ScreenEffectSteppingAndItsEnd)
{
    // A move of 1 second: drawn 61 frames into the virtual back buffer, then
    // the run ends and the virtual back buffer is given up. Frozen frames
    // draw it without stepping.
    Entries(0, {}, SCRFX_MOVE, {10, 0, 0, 640, 0});
    m_lpScene->m_ScrEffect.StartScr(1, EFFECTRUN_NORMAL, 0);
    Frame(0);
    Frame(0);
    const int x = m_lpScene->m_ScrEffect.m_nWork1;
    EXPECT_EQ(x, 10);   // 640 / 10 tenths x 1/6 a frame after one step
    for (int i = 0; i < 5; ++i) Frame(1);
    EXPECT_EQ(m_lpScene->m_ScrEffect.m_nWork1, x);
    int frames = 2;
    while (m_lpScene->m_ScrEffect.m_sEffect && frames < 500) {
        Frame(0);
        ++frames;
    }
    EXPECT_GE(frames, 60);
    EXPECT_LT(frames, 70);
    EXPECT_EQ(m_Painter.Count("end virtual"), 1);
    EXPECT_EQ(m_Painter.Count("frame virtual"), frames + 5);
}

TEST_F(PlayScreenTest, ScreenEffectFaults)
{
    // A kind without a handler ends the effect; divisors of 0 count as 1.
    Entries(0, {}, 77, {10, 0, 0, 0, 0});
    m_lpScene->m_ScrEffect.StartScr(1, EFFECTRUN_NORMAL, 0);
    Frame(0);
    EXPECT_EQ(m_lpScene->m_ScrEffect.m_sEffect, 0);
    EXPECT_EQ(m_Painter.Count("screen effect 77"), 0);
    EXPECT_EQ(m_Painter.Count("end virtual"), 1);

    EXPECT_EQ(ScrEffectDivisor(0), 1);
    EXPECT_EQ(ScrEffectDivisor(-5), 1);
    EXPECT_EQ(ScrEffectDivisor(3), 3);
    // A move and a shake with a run time of 0 end after one pass of a tenth.
    for (int kind : {SCRFX_MOVE, SCRFX_SHAKE_H}) {
        Entries(0, {}, kind, {0, 4, 4, 8, 8});
        m_lpScene->m_ScrEffect.StartScr(1, EFFECTRUN_NORMAL, 0);
        int frames = 0;
        while (m_lpScene->m_ScrEffect.m_sEffect && frames < 100) {
            Frame(0);
            ++frames;
        }
        EXPECT_LT(frames, 100) << kind;
    }
}

TEST_F(PlayScreenTest, ShakeMovesByItsStepAndTurnsAtTheAmplitude)
{
    // Amplitude 4, 4 shakes in 1 second: 4 x 4 x 4 / 60 pixels a frame.
    Entries(0, {}, SCRFX_SHAKE_H, {10, 4, 4, 0, 0});
    cEffectRun& run = m_lpScene->m_ScrEffect;
    run.StartScr(1, EFFECTRUN_NORMAL, 0);
    Frame(0);
    EXPECT_NEAR(run.m_dWork, 64.0 / 60, 1e-9);
    double high = 0, low = 0;
    for (int i = 0; i < 50; ++i) {
        Frame(0);
        high = std::max(high, run.m_dWork);
        low = std::min(low, run.m_dWork);
    }
    EXPECT_EQ(high, 4);
    EXPECT_EQ(low, -4);
}

TEST_F(PlayScreenTest, BlinkScreenEffectHidesAndShowsForItsInterval)
{
    Entries(0, {}, SCRFX_BLINK, {10, 10, 0, 0, 0});
    cEffectRun& run = m_lpScene->m_ScrEffect;
    run.StartScr(1, EFFECTRUN_NORMAL, 0);
    std::vector<int> hidden;
    for (int i = 0; i < 40; ++i) {
        Frame(0);
        hidden.push_back(!run.m_nWork2);
    }
    for (int i = 0; i < 40; ++i) EXPECT_EQ(hidden[static_cast<size_t>(i)], (i / 10) % 2 == 0) << i;
}

TEST_F(PlayScreenTest, ScreenTint)
{
    const auto set = [](cScreenTint& t, std::array<int, 8> v, int mode = TINT_BLEND) { t.Set(v.data(), mode); };
    // A flash of 1 second repeated 3 times: three ramps of 60 frames, then the end.
    cScreenTint flash;
    set(flash, {255, 0, 0, 100, 0, 10, 1, 3});
    int frames = 0, level = 0, r = 0, g = 0, b = 0, lowest = 255;
    while (flash.Step(0, TINT_BLEND, &level, &r, &g, &b) && frames < 1000) {
        lowest = std::min(lowest, level);
        ++frames;
    }
    EXPECT_EQ(frames, 3 * 61);   // 60 frames of ramp and the untinted frame that restarts it
    EXPECT_EQ(lowest, 4);        // 255 - 255 x 59 / 60
    // A fade to strength 0 ends after its duration; frozen frames do not count.
    cScreenTint fade;
    set(fade, {0, 0, 0, 0, 0, 1, 0, 0});
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(fade.Step(1, TINT_BLEND, &level, &r, &g, &b));
    frames = 0;
    while (fade.Step(0, TINT_BLEND, &level, &r, &g, &b) && frames < 100) ++frames;
    EXPECT_EQ(frames, 7);
    // A return with nothing running is refused under blending; a display that
    // cannot tint ends a change at once.
    cScreenTint idle;
    set(idle, {0, 0, 0, 50, 1, 1, 0, 0});
    EXPECT_EQ(idle.m_bRunning, 0);
    set(idle, {0, 0, 0, 50, 0, 1, 0, 0});
    EXPECT_FALSE(idle.Step(0, TINT_NONE, &level, &r, &g, &b));
    EXPECT_EQ(idle.m_bRunning, 0);
}

} // namespace
