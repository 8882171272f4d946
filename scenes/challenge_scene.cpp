#include "scenes/challenge_scene.h"

#include <algorithm>
#include <cstdio>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/system/input.h"
#include "app/shell/load_stage.h"
#include "app/system/message_box.h"
#include "app/shell/palette_animation.h"
#include "app/shell/scene_manager.h"
#include "app/base/sjis.h"
#include "app/system/sound.h"
#include "files/data_path.h"
#include "files/game_progress.h"
#include "files/ranking.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "scenes/menu_cursor.h"
#include "scenes/menu_screen.h"
#include "stage/draw/ranking_draw.h"

namespace {

enum { SURFACE_WINDOW = 45, SURFACE_ACCESSORY = 49 };
const int kChallengeSurfaces[] = {SURFACE_ACCESSORY, SURFACE_WINDOW};

constexpr int kListX = 32, kTop = 160, kRow = 32, kMaxRows = 10;
constexpr int kBoardX = 292, kBoardY = 108;

// The row and scroll place of the last visit. Threads: the game thread's.
struct RememberedPlace {
    int nRememberedRow = 0;
    int nRememberedOffset = 0;
};
RememberedPlace remembered;

bool ModeRanks()
{
    return CheckedAt(SystemData.m_ModeSettings, PLAYMODE_CHALLENGE).m_bRanking != 0;
}

} // namespace

std::string ChallengeFileName(int number)
{
    char name[300];
    std::snprintf(name, sizeof name, "%s%02d-1.%s", DataPath[DATAPATH_CHALLENGE_STAGE], number, DataExt[DATAEXT_STAGE]);
    return name;
}

cChallengeSelectScene::cChallengeSelectScene()
    : m_StateTable{&cChallengeSelectScene::FadeIn, &cChallengeSelectScene::Select, &cChallengeSelectScene::FadeOut}
{
}

cChallengeSelectScene::~cChallengeSelectScene()
{
    for (int index : kChallengeSurfaces) DDReleaseSurface(&SurfaceTables.Surface[index]);
    ReleaseScreenSurfaces();
}

void cChallengeSelectScene::Run()
{
    PrepareMenuInput();
    StartIfNew(m_nState);
    (this->*m_StateTable[m_nState])();
}

void cChallengeSelectScene::CountRows()
{
    m_nOpenCount = SystemData.m_bChallengeAllOpen ? SystemData.m_nChallengeCount : GameProgress.m_nChallengeOpen;
    m_nVisibleRows = std::min(kMaxRows, m_nOpenCount - m_nScrollOffset);
}

void cChallengeSelectScene::Init()
{
    RequestMenuBgm(2);
    if (!DDLoadSurfaces(SurfaceTables.Surface, kChallengeSurfaces, 2)) PostCloseToMainWindow();
    MenuCursor.Reset();
    MenuCursor.m_lpCurrent->nRow = remembered.nRememberedRow;
    m_nScrollOffset = remembered.nRememberedOffset;
    CountRows();
    UpdateStageInfo(remembered.nRememberedRow + 1);
    m_lpScreen = NewScreenSurface(640, 480, 0);
    if (!m_lpScreen)
        PostCloseToMainWindow();
    else
        DrawSurface();
    m_nSubState = 0;
}

void cChallengeSelectScene::UpdateStageInfo(int number)
{
    GameProgress.SetStageName(ChallengeFileName(number).c_str());
    if (SceneManager.m_bRankingOn) LoadRankingFile(RankingSet, SceneManager.m_nPlayMode, GameProgress.m_sStageKey);
}

void cChallengeSelectScene::DrawSurface()
{
    if (!m_lpScreen) return;
    DDSURFACEDATA* s = m_lpScreen;
    Font& large = SurfaceTables.Fonts[2];
    SurfaceTables.Fonts[2].DrawWindow(s, 1, 1, 638, 478);
    const char* heading = CheckedAt(SystemData.m_TitleMenu, 2).m_strText.c_str();
    large.DrawTextF(s, 320 - 16 * CountDisplayChars(heading), 32, "%s", heading);
    if (SystemData.m_bChallengeShowTotal && GameProgress.m_nBestTotal > 0) {
        const std::string& label = CheckedAt(SystemData.m_TextList, 4);
        const int width = 16 * (CountDisplayChars(label.c_str()) + std::snprintf(nullptr, 0, "%d", GameProgress.m_nBestTotal));
        SurfaceTables.Fonts[1].DrawTextF(s, 320 - width / 2, 88, "%s%d", label.c_str(), GameProgress.m_nBestTotal);
    }
    const bool board = ModeRanks() && GameProgress.m_bShowRanking;
    if (!board && SystemData.m_bChallengeShowBest)
        large.DrawTextF(s, 32, 128, "         %s", CheckedAt(SystemData.m_TextList, 3).c_str());
    const std::string& name = CheckedAt(SystemData.m_TextList, 0);
    const int chars = CountDisplayChars(name.c_str());
    for (int i = 0; i < m_nVisibleRows; ++i) {
        const int n = m_nScrollOffset + i + 1;
        const int y = kTop + kRow * i;
        large.DrawTextF(s, 64, y, "%s%d", name.c_str(), n);
        if (n - 1 >= static_cast<int>(GameProgress.m_ChallengeRecords.size())) continue;
        const cIntPairData& record = GameProgress.m_ChallengeRecords[n - 1];
        if (record.m_nFirst) DDBlt(s, 32 * (chars + 4), y, 32, 32, &SurfaceTables.Surface[SURFACE_ACCESSORY], 96, 0, 1);
        if (SystemData.m_bChallengeShowBest) large.DrawTextF(s, 32 * chars + 192, y, "%d", record.m_nSecond);
    }
    if (board) {
        RANKINGVIEW view;
        FillRankingView(view, SceneManager.m_nPlayMode);
        RankingSet.Draw(view, s, kBoardX, kBoardY, GameProgress.m_nRankingGenre, -1);
    }
}

void cChallengeSelectScene::FadeIn()
{
    if (IsPaletteDisplay()) DrawSurface();
    if (m_lpScreen) DDBlt(&Display.BackBuffer, 0, 0, 640, 480, m_lpScreen, 0, 0, 0);
    CyclePalette();
    if (MenuFadeIn()) m_nState = STATE_SELECT;
}

void cChallengeSelectScene::FadeOut()
{
    if (MenuFadeOut()) FinishMenuFadeOut(SCENE_CHALLENGE);
}

void cChallengeSelectScene::Select()
{
    const cInput& input = CheckedAt(Inputs, 0);
    CountRows();
    MenuCursor.MoveList(input.m_wDirection, 1, m_nScrollOffset, kTop, kRow, kListX, m_nVisibleRows, m_nOpenCount, 1);
    DS_PlayCursorSE(input, 3, 0);
    const int row = MenuCursor.m_lpCurrent->nRow;
    if (input.m_wDirection) {
        CountRows();
        UpdateStageInfo(row + 1);
        DrawSurface();
    }
    if (input.m_wButtons & 1) {
        const std::string name = ChallengeFileName(row + 1);
        if (m_nOpenCount <= 0 || !LoadStage(name, true, &PlayStageData)) {
            PlaySE(3);
            ErrorBoxF("ステージファイル %s が読み込めません！", name.c_str());
            return;
        }
        PlaySE(1);
        GameProgress.SetStageName(StageData.m_sPath.c_str());
        GameProgress.m_nArea = 1;
        GameProgress.m_nStageNo = row + 1;
        if (CheckedAt(SystemData.m_InfiniteLives, PLAYMODE_CHALLENGE)) {
            GameProgress.m_nStartLives = GameProgress.m_nLives = INFINITE_LIVES;
        } else {
            GameProgress.m_nStartLives = CheckedAt(SystemData.m_DefaultLives, PLAYMODE_CHALLENGE);
            GameProgress.m_nLives = GameProgress.m_nStartLives - 1;
        }
        GameProgress.m_bLinked = 1;
        remembered.nRememberedRow = row;
        remembered.nRememberedOffset = m_nScrollOffset;
        SceneManager.m_nNextScene = SCENE_STAGE;
        m_nState = STATE_FADEOUT;
        return;
    }
    if (input.m_wButtons & 2) {
        PlaySE(2);
        SceneManager.m_nNextScene = SCENE_TITLE;
        m_nState = STATE_FADEOUT;
        return;
    }
    if (input.m_wButtons & 4) {
        if (ModeRanks()) {
            PlaySE(6);
            GameProgress.m_bShowRanking = !GameProgress.m_bShowRanking;
            DrawSurface();
        } else {
            GameProgress.m_bShowRanking = 0;
        }
    } else if ((input.m_wButtons & 8) && ModeRanks()) {
        if (SystemData.CountModeGenres(SceneManager.m_nPlayMode) >= 2) {
            PlaySE(6);
            GameProgress.StepRankingGenre(SceneManager.m_nPlayMode, 1);
        }
        DrawSurface();
    }
    if (m_lpScreen) {
        if (m_lpScreen->bLost) {
            DrawSurface();
            m_lpScreen->bLost = 0;
        }
        DDBlt(&Display.BackBuffer, 0, 0, 640, 480, m_lpScreen, 0, 0, 0);
    }
    CyclePalette();
    DDBlt(&Display.BackBuffer, kListX, kTop + kRow * (row - m_nScrollOffset), 32, 32, &SurfaceTables.Surface[SURFACE_ACCESSORY], 0, 0, 1);
}
