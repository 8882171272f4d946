#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/base/main_window_handle.h"
#include "app/shell/scene_manager.h"
#include "app/shell/window_requests.h"
#include "files/option_data.h"
#include "files/system_data.h"
#include "gfx/display.h"
#include "records/data_record.h"
#include "scenes/menu_cursor.h"
#include "scenes/option_scene.h"
#include "tests/gfx/gfx_support.h"
#include "tests/scenes/menu_screen_test.h"

namespace {

class OptionTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        MenuScreenTest::SetUp();
        if (HasFatalFailure()) return;
        m_nFadeStep = SceneManager.m_nFadeStep;
        SceneManager.m_nFadeStep = 90;  // a fade in one step
    }
    void TearDown() override
    {
        SceneManager.m_nFadeStep = m_nFadeStep;
        Options = cOptionData();
        MenuScreenTest::TearDown();
    }
    int m_nFadeStep = 0;
};

// Editing wraps at both ends of each range; cancel puts the value back.
TEST_F(OptionTest, ValuesWrapAndCancelRestores)
{
    struct Row {
        int kind, start;
        std::vector<int> moves;
        int finish;  // button that ends the edit
        int want;
    };
    const Row table[] = {
        {0, 23, {INPUT_UP}, 1, 0},
        {0, 0, {INPUT_DOWN}, 1, 23},
        {0, 5, {INPUT_UP | INPUT_DOWN}, 1, 5},  // both in one frame: up, then down
        {1, 1, {INPUT_UP}, 1, 0},
        {2, 10, {INPUT_UP}, 1, 0},
        {2, 5, {INPUT_UP, INPUT_UP}, 2, 5},
        {3, 3, {INPUT_UP}, 1, 0},
        {3, 0, {INPUT_DOWN, INPUT_DOWN}, 1, 2},
    };
    for (const Row& t : table) {
        SCOPED_TRACE(testing::Message() << "kind " << t.kind << " from " << t.start);
        Options = cOptionData();
        int32_t* fields[] = {&Options.m_nPalette, &Options.m_bBgm, &Options.m_nVolume, &Options.m_nRankingMode};
        *fields[t.kind] = t.start;
        cOptionScene scene;
        scene.Init();
        scene.m_nState = cOptionScene::STATE_MENU;
        Press(scene, 0, 0);
        for (int k = 0; k < t.kind; ++k) Press(scene, INPUT_DOWN, 0);
        Press(scene, 0, 1);
        ASSERT_EQ(scene.m_nSubState, 2);
        EXPECT_EQ(MenuCursor.m_Levels.size(), 2u);
        for (int move : t.moves) Press(scene, move, 0);
        Press(scene, 0, t.finish);
        EXPECT_EQ(scene.m_nSubState, 1);
        EXPECT_EQ(MenuCursor.m_Levels.size(), 1u);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, t.kind);
        EXPECT_EQ(*fields[t.kind], t.want);
    }
}

// Leaving the screen, by cancel or by the back item, writes the options
// file; a new run reads the values back.
TEST_F(OptionTest, OptionsAreWrittenWheneverTheScreenIsLeft)
{
    CreateDirectoryA("user_data", nullptr);
    for (int viaBack : {0, 1}) {
        SCOPED_TRACE(viaBack);
        DeleteFileA("user_data\\Option.dat");
        Options = cOptionData();
        Options.m_nVolume = 3 + viaBack;
        Options.m_sRankingName = "zq";
        SceneManager.m_nCurrentScene = SCENE_OPTION;
        cOptionScene scene;
        scene.Init();
        scene.m_nState = cOptionScene::STATE_MENU;
        Press(scene, 0, 0);
        if (viaBack) {
            Press(scene, INPUT_UP, 0);  // round to the last row: back
            Press(scene, 0, 1);
        } else {
            Press(scene, 0, 2);
        }
        EXPECT_EQ(scene.m_nState, cOptionScene::STATE_FADEOUT);
        EXPECT_EQ(SceneManager.m_nNextScene, SCENE_TITLE);
        for (int k = 0; k < 5 && SceneManager.m_nCurrentScene != SCENE_TITLE; ++k) scene.Run();
        EXPECT_EQ(SceneManager.m_nCurrentScene, SCENE_TITLE);
        EXPECT_EQ(SceneManager.m_nPreviousScene, SCENE_OPTION);
        cOptionData read;
        ASSERT_TRUE(read.LoadFile("user_data\\Option.dat"));
        EXPECT_EQ(read.m_nVolume, 3 + viaBack);
        EXPECT_EQ(read.m_sRankingName, "zq");
        EXPECT_EQ(read.m_bBgm, 1);
    }
}

// Stands in for the main window while the name row is chosen: the name
// entry is counted and reported done at once.
class NameEntryWindow {
public:
    NameEntryWindow() : m_hPrevious(hMainWnd)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "OptionTestNameEntry";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        hMainWnd = m_hWnd;
        Entries = 0;
    }
    ~NameEntryWindow()
    {
        hMainWnd = m_hPrevious;
        DestroyWindow(m_hWnd);
    }
    static inline int Entries = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_GAME_NAMEENTRY) return DefWindowProcA(hWnd, message, wParam, lParam);
        ++Entries;
        WindowReplies.bNameEntryDone = 1;
        return 0;
    }
    HWND m_hPrevious;
    HWND m_hWnd = nullptr;
};

// A new project's options screen: each row, chosen, does what its label
// says. A value row opens its own value for editing (one step up changes
// that option and no other), the name row asks for the name, the back row
// leaves for the title.
TEST_F(OptionTest, EachRowOfANewProjectDoesWhatItsLabelSays)
{
    enum Act { PALETTE, MUSIC, VOLUME, RANKING_MODE, NAME, BACK };
    struct Label {
        const char* text;
        Act act;
    };
    const Label labels[] = {{"パレット", PALETTE}, {"BGM", MUSIC},  {"SE", VOLUME},
                            {"ランキング登録", RANKING_MODE}, {"ランキング登録名", NAME}, {"もどる", BACK}};
    SystemData = cSystemData();
    NameEntryWindow window;
    ASSERT_EQ(SystemData.m_OptionMenu.size(), 6u);
    for (int row = 0; row < 6; ++row) {
        const std::string& text = SystemData.m_OptionMenu[row].m_strText;
        SCOPED_TRACE(testing::Message() << "row " << row << " " << text);
        const Label* label = nullptr;
        for (const Label& l : labels)
            if (text == l.text) label = &l;
        ASSERT_NE(label, nullptr) << "a label no row is made for";
        Options = cOptionData();
        const cOptionData before = Options;
        const int entries = NameEntryWindow::Entries;
        SceneManager.m_nNextScene = SCENE_OPTION;
        cOptionScene scene;
        scene.Init();
        scene.m_nState = cOptionScene::STATE_MENU;
        Press(scene, 0, 0);
        for (int k = 0; k < row; ++k) Press(scene, INPUT_DOWN, 0);
        Press(scene, 0, 1);
        if (scene.m_nSubState == 2) Press(scene, INPUT_UP, 1);
        const int changed[] = {Options.m_nPalette != before.m_nPalette, Options.m_bBgm != before.m_bBgm,
                               Options.m_nVolume != before.m_nVolume,
                               Options.m_nRankingMode != before.m_nRankingMode};
        for (int act = PALETTE; act <= RANKING_MODE; ++act) EXPECT_EQ(changed[act], act == label->act) << act;
        EXPECT_EQ(NameEntryWindow::Entries - entries, label->act == NAME ? 1 : 0);
        EXPECT_EQ(scene.m_nState == cOptionScene::STATE_FADEOUT && SceneManager.m_nNextScene == SCENE_TITLE,
                  label->act == BACK);
    }
    SystemData = cSystemData();
}

} // namespace
