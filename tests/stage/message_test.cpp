// Messages: the variable escapes, the measuring of texts, the timers, the
// placement on the screen and the wait request.
#include <climits>
#include <string>

#include "stage/objects/message.h"
#include "tests/stage/stage_display_fixture.h"

namespace {

class MessageTest : public StageDisplayTest {
protected:
    void SetUp() override
    {
        StageDisplayTest::SetUp();
        GameProgress.m_CommonVars[1] = 7;
        GameProgress.m_CommonVars[3] = 42;
        GameProgress.m_CommonVars[4] = -5;
        GameProgress.m_CommonVars[5] = 0;
        GameProgress.m_CommonVars[6] = INT_MIN;
        GameProgress.m_CommonVars[12] = 12;
        GameProgress.m_CommonVars[255] = 255;
        m_lpScene->m_StageVars[3] = 99;
        m_lpScene->m_StageVars[13] = -13;
    }

    static std::string Expanded(std::string text)
    {
        ExpandMessageText(text);
        return text;
    }

    // A text message of the given size (in bytes of the test font) placed as asked.
    cMessage Text(const std::string& text, int placement, int offsetX, int offsetY, int keepOnScreen,
                  int screenFixed, int timeMode = SHOW_UNTIL_STAGE_END, int frames = 0, int countWhileFrozen = 0)
    {
        cMessage m;
        m.Set(MSGMODE_TEXT, text.c_str(), 0, 0, 0, placement, 0, 0, offsetX, offsetY, keepOnScreen,
              screenFixed, timeMode, frames, countWhileFrozen, 0, 1, 0, 0, 0, 0, 0, 0, 0);
        return m;
    }
};

TEST_F(MessageTest, EscapesShowVariablesWithWidthSignAndZeros)
{
    struct Row {
        const char* text;
        const char* shown;
    } rows[] = {
        {"HP #3C.", "HP 42"},            // the full stop ends the escape and goes with it
        {"#3C_4", "  42"},
        {"#3C_4Z", "0042"},
        {"#4C_3", "-  5"},               // blanks first, the sign in front of them
        {"#4C_3Z", "-005"},
        {"#1C_3P", "+  7"},
        {"#1C_3PZ", "+007"},
        {"#5C", "0"},
        {"#5C_P", "+0"},
        {"#5C_3", "  0"},                // the last digit stays a digit
        {"#3c_2z", "42"},                // letters in either case
        {"#3C_93", " 42"},               // each digit replaces the width before it
        {"#12C#13S", "12-13"},
        {"#3S", "99"},                   // stage variable
        {"#3CS", "42"},                  // common wins when both are given
        {"#3SC_p", "+42"},
        {"#C3", "42"},                   // digits may follow the letter
        {"#3C.5", "425"},
        {"#3C x", "42 x"},
        {"#3C_", "42"},
        {"#6C", "-2147483648"},          // the lowest int has its digits
        {"#6C_9PZ", "-2147483648"},
        {"#255C", "255"},
        {"a#3Cb#1C!", "a42b7!"},
    };
    for (const Row& r : rows) EXPECT_EQ(Expanded(r.text), r.shown) << r.text;
}

TEST_F(MessageTest, EscapesThatNameNoVariableStayAsWritten)
{
    const char* kept[] = {
        "#0C", "#256S", "#C", "#_3C", "#3", "#3_4", "#", "100#", "##", "#-3C",
        "#99999999999999999999C",        // a number far past 255 never overflows
        "#2560C.",                       // the full stop stays with an escape left as written
    };
    for (const char* text : kept) EXPECT_EQ(Expanded(text), text) << text;
    // A kept escape does not hide the one after it.
    EXPECT_EQ(Expanded("#0C#3C"), "#0C42");
    // A double-byte character is skipped whole; an escape after it expands.
    EXPECT_EQ(Expanded("\x82\xA0#3C"), "\x82\xA0" "42");
}

TEST_F(MessageTest, TextsMeasureWidestLineByLinesPlusABorder)
{
    int w = 0, h = 0;
    MeasureMessageText("ab\nabcd\n", &w, &h);
    EXPECT_EQ(w, 4 * 8 + 2);
    EXPECT_EQ(h, 3 * 16 + 2);
    MeasureMessageText("", &w, &h);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 16 + 2);

    // A fixed-pitch font gives the whole size at once.
    MessageGfx.lpPitchExtent = [](const std::string&, int* pw, int* ph) {
        *pw = 60;
        *ph = 24;
        return 1;
    };
    MeasureMessageText("whatever", &w, &h);
    EXPECT_EQ(w, 62);
    EXPECT_EQ(h, 26);
}

TEST_F(MessageTest, SetExpandsMeasuresAndChoosesTheGrowIn)
{
    cMessage m;
    m.Set(MSGMODE_TEXT, "HP #3C", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, SHOW_UNTIL_KEY, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(m.m_strText, "HP 42");
    EXPECT_EQ(m.m_strTemplate, "HP #3C");
    EXPECT_EQ(m.m_nWidth, 5 * 8 + 2);
    EXPECT_EQ(m.m_bGrowIn, 1);
    m.Set(MSGMODE_TEXT, "HP #3C", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, SHOW_UNTIL_KEY, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(m.m_strText, "HP #3C");
    EXPECT_EQ(m.m_bGrowIn, 0);
    m.Set(MSGMODE_ICON, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, SHOW_TIMED, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(m.m_nWidth, 16);
    EXPECT_EQ(m.m_nHeight, 16);
    EXPECT_EQ(m.m_bGrowIn, 0);
}

TEST_F(MessageTest, ATimedMessageCountsOnlyWhileThePlayRunsUnlessAskedTo)
{
    cMessage frozenStill = Text("x", 0, 0, 0, 0, 0, SHOW_TIMED, 60, 0);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(frozenStill.Step(*lpStageScene, 1), 0);
    EXPECT_EQ(frozenStill.m_nFrames, 60);

    cMessage counting = Text("x", 0, 0, 0, 0, 0, SHOW_TIMED, 60, 1);
    int shown = 0;
    while (counting.Step(*lpStageScene, 1) == 0) ++shown;
    EXPECT_EQ(shown, 60);   // counted down to 0 while shown, past 0 it ends
}

TEST_F(MessageTest, RefreshShowsChangedVariablesOnItsInterval)
{
    cMessage m;
    m.Set(MSGMODE_TEXT, "#3C", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, SHOW_UNTIL_STAGE_END, 0, 0, 0, 1, 1, 1, 4, 0, 0, 0, 0);
    GameProgress.m_CommonVars[3] = 1234;
    m_lpScene->m_nFrame = 3;
    m.Step(*lpStageScene, 0);
    EXPECT_EQ(m.m_strText, "42");
    m_lpScene->m_nFrame = 8;
    m.Step(*lpStageScene, 0);
    EXPECT_EQ(m.m_strText, "1234");
    EXPECT_EQ(m.m_nWidth, 4 * 8 + 2);
}

TEST_F(MessageTest, KeptOnScreenPositionsAreClampedToTheScreen)
{
    // 100 pixels wide and 18 high with the border.
    MessageGfx.lpPitchExtent = [](const std::string&, int* w, int* h) {
        *w = 98;
        *h = 16;
        return 1;
    };
    const std::string text = "x";
    struct Row {
        int offsetX, offsetY, x, y;
    } rows[] = {
        {600 - 320 + 50, 0, 540, 240 - 9},   // x = 600 at the start
        {-400, 0, 0, 240 - 9},
        {0, 5 - 240 + 9, 270, 20},
        {0, 470 - 240 + 9, 270, 480 - 18},
    };
    for (const Row& r : rows) {
        cMessage m = Text(text, MSGPLACE_CENTRE, r.offsetX, r.offsetY, 1, 1);
        ASSERT_EQ(m.m_nWidth, 100);
        int x, y;
        ASSERT_EQ(m.Place(*lpStageScene, &x, &y), 1);
        EXPECT_EQ(x, r.x) << r.offsetX;
        EXPECT_EQ(y, r.y) << r.offsetY;
    }
}

TEST_F(MessageTest, ACentredMessageStaysInTheStageUnlessFixedToTheScreen)
{
    cMessage inStage = Text("ab", MSGPLACE_CENTRE, 0, 0, 0, 0);
    cMessage onScreen = Text("ab", MSGPLACE_CENTRE, 0, 0, 0, 1);
    int x, y, fx, fy;
    inStage.Place(*lpStageScene, &x, &y);
    onScreen.Place(*lpStageScene, &fx, &fy);
    EXPECT_EQ(x, 320 - 9);
    EXPECT_EQ(fx, x);
    m_lpScene->m_ScrollX.m_dPos += 100.7;
    m_lpScene->m_ScrollY.m_dPos += 30;
    inStage.Place(*lpStageScene, &x, &y);
    onScreen.Place(*lpStageScene, &fx, &fy);
    EXPECT_EQ(x, 320 - 9 - 100);
    EXPECT_EQ(y, 240 - 9 - 30);
    EXPECT_EQ(fx, 320 - 9);
    EXPECT_EQ(fy, 240 - 9);
}

TEST_F(MessageTest, WaitRequestsDelayOnlyAMessageWaitingForTheButton)
{
    struct Row {
        int mode, button, extra, noDelay;
        int wait[5];
    } rows[] = {
        {1, 1, 0, 0, {1, 10, 1, 0, 0}},
        {1, 1, 0, 1, {1, 0, 1, 0, 0}},
        {1, 0, 120, 0, {1, 0, 0, 120, 0}},
        {3, 1, 0, 0, {3, 0, 1, 0, 0}},
        {0, 0, 30, 0, {0, 0, 0, 30, 0}},
        {4, 0, 30, 0, {4, 0, 0, 30, 0}},
    };
    for (const Row& r : rows) {
        m_lpScene->m_Wait[4] = 7;
        SetModeTimer(*lpStageScene, r.mode, r.button, r.extra, r.noDelay);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(m_lpScene->m_Wait[i], r.wait[i]) << r.mode << " field " << i;
    }
}

} // namespace
