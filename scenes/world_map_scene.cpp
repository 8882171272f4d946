#include "scenes/world_map_scene.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/system/input.h"
#include "app/shell/load_stage.h"
#include "app/system/message_box.h"
#include "app/shell/scene_manager.h"
#include "app/base/sjis.h"
#include "app/system/sound.h"
#include "files/game_progress.h"
#include "files/ranking.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "scenes/menu_screen.h"
#include "stage/draw/ranking_draw.h"

namespace {

enum {
    SURFACE_WINDOW = 45,
    SURFACE_ACCESSORY = 49,
    SURFACE_CHIP = 52,
    SURFACE_EVENT = 53,
    SURFACE_BACK = 54,
    SURFACE_WORK = 67,
};
const int kMapSurfaces[] = {SURFACE_BACK, SURFACE_CHIP, SURFACE_EVENT, SURFACE_ACCESSORY, SURFACE_WINDOW, SURFACE_WORK};

constexpr int kCell = 32;
constexpr int kWalkerX = 288, kWalkerY = 224;
constexpr int kViewColumns = 20, kViewRows = 15;
constexpr int kQuestionY = 260, kRankingX = 367, kRankingY = 64;
constexpr int kRankingWidth = 272, kRankingHeight = 352;
constexpr int kCaptionCentre = 304;
constexpr int kConfirm = 1, kCancel = 2, kRankingSwitch = 4, kRankingGenre = 8;

bool StoryRanks()
{
    return CheckedAt(SystemData.m_ModeSettings, PLAYMODE_STORY).m_bRanking != 0;
}

int CountDigits(int value)
{
    return std::snprintf(nullptr, 0, "%d", value);
}

} // namespace

cWorldMapScene::cWorldMapScene()
    : m_StateTable{&cWorldMapScene::FadeIn, &cWorldMapScene::Map, &cWorldMapScene::ConfirmStage,
                   &cWorldMapScene::FadeOut}
{
}

cWorldMapScene::~cWorldMapScene()
{
    for (int index : kMapSurfaces) DDReleaseSurface(&SurfaceTables.Surface[index]);
    ReleaseScreenSurfaces();
}

void cWorldMapScene::Run()
{
    PrepareMenuInput();
    StartIfNew(m_nState);
    (this->*m_StateTable[m_nState])();
}

cWorldMapStage* cWorldMapScene::FindActiveStage(cWorldMapPoint* point)
{
    if (!point) return nullptr;
    for (cWorldMapStage& entry : point->m_Stages)
        if (entry.IsInForce(GameProgress.m_ClearFlags, GameProgress.m_CommonVars, GameProgress.m_nBestTotal))
            return &entry;
    return nullptr;
}

bool cWorldMapScene::IsEntryCleared(const cWorldMapStage* entry)
{
    if (!entry) return false;
    const int n = entry->m_nClearNo;
    return n >= 0 && static_cast<size_t>(n) < GameProgress.m_ClearFlags.size() && GameProgress.m_ClearFlags[n] != 0;
}

bool cWorldMapScene::IsEntryOpen(const cWorldMapStage* entry)
{
    return entry && (entry->m_bPassable || IsEntryCleared(entry));
}

void cWorldMapScene::LookUp()
{
    const MENUCURSOR& cursor = *MenuCursor.m_lpCurrent;
    m_lpPoint = WorldMap.FindPointAt(cursor.nColumn, cursor.nRow);
    m_lpEntry = FindActiveStage(m_lpPoint);
}

void cWorldMapScene::FollowCursor()
{
    m_nViewX = MenuCursor.m_lpCurrent->nColumn - 9;
    m_nViewY = MenuCursor.m_lpCurrent->nRow - 7;
}

void cWorldMapScene::Init()
{
    RequestMenuBgm(1);
    DDSURFACEPARAM& back = SurfaceTables.SurfaceParam[SURFACE_BACK];
    std::snprintf(back.szFileName, sizeof back.szFileName, "%s", WorldMap.m_sBackFile.c_str());
    if (!DDLoadSurfaces(SurfaceTables.Surface, kMapSurfaces, 6)) PostCloseToMainWindow();
    MenuCursor.Reset();
    GameProgress.SumBestValues();

    MENUCURSOR& cursor = *MenuCursor.m_lpCurrent;
    cursor.nColumn = GameProgress.m_nMapX;
    cursor.nRow = GameProgress.m_nMapY;
    cursor.nX = kWalkerX;
    cursor.nY = kWalkerY;
    FollowCursor();
    m_nFacing = GameProgress.m_nMapFacing;
    LookUp();
    m_StepOrigin = cursor;

    m_lpRanking = NewScreenSurface(kRankingWidth, kRankingHeight, 1);
    if (!m_lpRanking)
        PostCloseToMainWindow();
    else
        DrawRanking();
    if (m_lpEntry && m_lpEntry->m_nKind == WORLD_STAGE) {
        UpdateEntryInfo();
        m_InfoCell = cursor;
    }
    if (GameProgress.m_bAutoSave && SceneManager.m_nPreviousScene == SCENE_STAGE) SaveStoryGame(GameProgress.m_nSlot);
    RedrawMap();
    m_nSubState = 0;
}

void cWorldMapScene::FadeIn()
{
    if (IsPaletteDisplay()) DrawRanking();
    DrawScreen(!GameProgress.m_bBackFromStage);
    if (!MenuFadeIn()) return;
    if (m_lpEntry && m_lpEntry->m_nKind == WORLD_STAGE) {
        MENUCURSOR& cursor = *MenuCursor.m_lpCurrent;
        if (GameProgress.m_bBackFromStage) {
            GameProgress.m_bBackFromStage = 0;
            if (!IsEntryCleared(m_lpEntry)) {
                cursor.nColumn = GameProgress.m_nMapSafeX;
                cursor.nRow = GameProgress.m_nMapSafeY;
                RedrawMap();
            }
        } else if (SceneManager.m_nPreviousScene != SCENE_WORLDMAP_MENU && !IsEntryOpen(m_lpEntry)) {
            // A stage that cannot be walked past starts by itself.
            if (LoadStage(m_lpEntry->m_sStageFile, true, &PlayStageData)) {
                PrepareStage();
                GameProgress.m_nMapSafeX = cursor.nColumn;
                GameProgress.m_nMapSafeY = cursor.nRow;
                m_nSubState = 0;
                m_nState = STATE_FADEOUT;
                SceneManager.m_nNextScene = SCENE_STAGE;
                return;
            }
            ErrorBoxF("ステージファイル %s が読み込めません！", m_lpEntry->m_sStageFile.c_str());
            // The game stays on the map, on the cell the walker came from,
            // so that a save standing here can still be continued.
            cursor.nColumn = GameProgress.m_nMapSafeX;
            cursor.nRow = GameProgress.m_nMapSafeY;
            GameProgress.m_nMapX = cursor.nColumn;
            GameProgress.m_nMapY = cursor.nRow;
            m_StepOrigin = cursor;
            FollowCursor();
            RedrawMap();
            LookUp();
        }
    }
    m_nState = STATE_MAP;
}

void cWorldMapScene::FadeOut()
{
    DrawScreen(true);
    if (MenuFadeOut()) FinishMenuFadeOut(SCENE_WORLDMAP);
}

void cWorldMapScene::MoveCursor(MENUCURSOR& cursor, int direction)
{
    if (direction) {
        GameProgress.m_nMapSafeX = cursor.nColumn;
        GameProgress.m_nMapSafeY = cursor.nRow;
        m_StepOrigin = cursor;
    }
    if (direction & INPUT_LEFT) {
        m_nFacing = FACE_LEFT;
        cursor.nColumn = std::max(0, cursor.nColumn - 1);
    } else if (direction & INPUT_RIGHT) {
        m_nFacing = FACE_RIGHT;
        cursor.nColumn = std::min(WorldMap.m_nWidth - 1, cursor.nColumn + 1);
    } else if (direction & INPUT_UP) {
        m_nFacing = FACE_UP;
        cursor.nRow = std::max(0, cursor.nRow - 1);
    } else if (direction & INPUT_DOWN) {
        m_nFacing = FACE_DOWN;
        cursor.nRow = std::min(WorldMap.m_nHeight - 1, cursor.nRow + 1);
    }
    cWorldMapPoint* point = WorldMap.FindPointAt(cursor.nColumn, cursor.nRow);
    const cWorldMapStage* entry = FindActiveStage(point);
    const bool refused = entry ? entry->m_nKind == WORLD_WALL : !WorldMap.IsCellPassable(cursor.nColumn, cursor.nRow);
    if (refused) {
        cursor = m_StepOrigin;
    } else {
        m_nViewX = cursor.nColumn - 9;
        m_nViewY = cursor.nRow - 7;
        GameProgress.m_nMapFacing = m_nFacing;
        if (m_nViewX != m_nDrawnViewX || m_nViewY != m_nDrawnViewY) RedrawMap();
    }
    cursor.nX = kWalkerX;
    cursor.nY = kWalkerY;
}

void cWorldMapScene::AskStage()
{
    GameProgress.m_nMapX = MenuCursor.m_lpCurrent->nColumn;
    GameProgress.m_nMapY = MenuCursor.m_lpCurrent->nRow;
    MenuCursor.Push(0);
    m_nSubState = 0;
    m_nState = STATE_CONFIRM;
}

void cWorldMapScene::ExtraButtons(int buttons)
{
    if (buttons & kRankingSwitch) {
        if (StoryRanks()) {
            PlaySE(6);
            GameProgress.m_bShowRanking = !GameProgress.m_bShowRanking;
            DrawRanking();
        } else if (GameProgress.m_bShowRanking) {
            GameProgress.m_bShowRanking = 0;
            DrawRanking();
        }
    } else if ((buttons & kRankingGenre) && StoryRanks()) {
        if (SystemData.CountModeGenres(SceneManager.m_nPlayMode) >= 2) {
            PlaySE(6);
            GameProgress.StepRankingGenre(SceneManager.m_nPlayMode, 1);
        }
        DrawRanking();
    }
}

void cWorldMapScene::Map()
{
    const cInput& input = CheckedAt(Inputs, 0);
    MENUCURSOR& cursor = *MenuCursor.m_lpCurrent;
    MoveCursor(cursor, input.m_wDirection);
    DS_PlayCursorSE(input, 3, 0);
    LookUp();
    if (m_lpEntry && m_lpEntry->m_nKind == WORLD_STAGE) {
        if (cursor.nColumn != m_InfoCell.nColumn || cursor.nRow != m_InfoCell.nRow) {
            UpdateEntryInfo();
            m_InfoCell = cursor;
        }
        if (!IsEntryOpen(m_lpEntry)) {
            AskStage();
            return;
        }
        if (input.m_wButtons & kConfirm) {
            if (!m_lpEntry->m_bReplayable && IsEntryCleared(m_lpEntry)) return;
            AskStage();
            return;
        }
        ExtraButtons(input.m_wButtons);
    }
    if (input.m_wButtons & kCancel) {
        PlaySE(4);
        GameProgress.m_nMapX = cursor.nColumn;
        GameProgress.m_nMapY = cursor.nRow;
        m_nSubState = 0;
        m_nState = STATE_FADEOUT;
        SceneManager.m_nNextScene = SCENE_WORLDMAP_MENU;
        return;
    }
    DrawScreen(true);
}

void cWorldMapScene::ConfirmStage()
{
    if (m_nSubState == 0) {
        PlaySE(1);
        m_bStageLoaded = m_lpEntry && LoadStage(m_lpEntry->m_sStageFile, true, &PlayStageData);
        if (!m_bStageLoaded)
            ErrorBoxF("ステージファイル %s が読み込めません！", m_lpEntry ? m_lpEntry->m_sStageFile.c_str() : "");
        MenuCursor.m_lpCurrent->nRow = 1;
        m_nSubState = 1;
        return;
    }
    const cInput& input = CheckedAt(Inputs, 0);
    const int x = GetMenuLeft(kCaptionCentre, 10, 2, 1);
    MenuCursor.MoveGrid(input.m_wDirection, x, kQuestionY, 0, 16, 1, 2);
    DS_PlayCursorSE(input, 2, 0);
    bool leave = false;
    if (input.m_wButtons & kConfirm) {
        PlaySE(1);
        if (MenuCursor.m_lpCurrent->nRow == 0 && m_bStageLoaded) {
            GameProgress.m_nMapFacing = m_nFacing;
            PrepareStage();
            m_nSubState = 0;
            m_nState = STATE_FADEOUT;
            SceneManager.m_nNextScene = SCENE_STAGE;
            return;
        }
        leave = true;
    } else if (input.m_wButtons & kCancel) {
        PlaySE(2);
        leave = true;
    }
    if (leave) {
        MenuCursor.Pop(1);
        if (!IsEntryOpen(m_lpEntry)) *MenuCursor.m_lpCurrent = m_StepOrigin;
        m_nSubState = 0;
        m_nState = STATE_MAP;
        return;
    }
    ExtraButtons(input.m_wButtons);
    DrawScreen(true);
    DrawMenuTexts(x, kQuestionY, 10, 2, 1);
    DDBlt(&Display.BackBuffer, MenuCursor.m_lpCurrent->nX, MenuCursor.m_lpCurrent->nY, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY], 64,
          0, 1);
}

void cWorldMapScene::PrepareStage()
{
    GameProgress.SetStageName(StageData.m_sPath.c_str());
    GameProgress.m_nStageNo = m_lpEntry ? m_lpEntry->m_nClearNo : 0;
    GameProgress.m_nArea = 1;
    if (SystemData.m_bStoryKeepLives)
        GameProgress.m_nStartLives = CheckedAt(SystemData.m_InfiniteLives, PLAYMODE_STORY) ? INFINITE_LIVES
                                                                                           : GameProgress.m_nLives + 1;
    else
        GameProgress.m_nStartLives = CheckedAt(SystemData.m_DefaultLives, PLAYMODE_STORY);
    GameProgress.m_nMapStageRef = WorldMap.StageRef(m_lpEntry);
}

void cWorldMapScene::UpdateEntryInfo()
{
    if (!m_lpEntry) return;
    GameProgress.SetStageName(m_lpEntry->m_sStageFile.c_str());
    m_nBestValue = GameProgress.GetBestValue(GameProgress.m_sStageKey);
    if (!SceneManager.m_bRankingOn) return;
    LoadRankingFile(RankingSet, SceneManager.m_nPlayMode, GameProgress.m_sStageKey);
    GameProgress.StepRankingGenre(SceneManager.m_nPlayMode, 0);
    DrawRanking();
}

void cWorldMapScene::DrawRanking()
{
    if (!m_lpRanking) return;
    DDFillPal(m_lpRanking, 0);
    RANKINGVIEW view;
    FillRankingView(view, SceneManager.m_nPlayMode);
    RankingSet.Draw(view, m_lpRanking, 0, 0, GameProgress.m_nRankingGenre, -1);
}

void cWorldMapScene::RedrawMap()
{
    DDSURFACEDATA* work = &SurfaceTables.Surface[SURFACE_WORK];
    const int vx = m_nViewX, vy = m_nViewY;
    DDFillPal(work, WorldMap.m_nBackColor);
    if (WorldMap.m_bBackPicture) {
        const int x = vx < 0 ? -kCell * vx : 0, sx = vx < 0 ? 0 : kCell * vx;
        const int y = vy < 0 ? -kCell * vy : 0, sy = vy < 0 ? 0 : kCell * vy;
        DDBlt(work, x, y, 640, 480, &SurfaceTables.Surface[SURFACE_BACK], sx, sy, 0);
    }
    DDBeginSpriteBatch(0);
    for (int row = 0; row < kViewRows; ++row) {
        for (int column = 0; column < kViewColumns; ++column) {
            const int mx = vx + column, my = vy + row;
            if (mx < 0 || my < 0 || mx >= WorldMap.m_nWidth || my >= WorldMap.m_nHeight) continue;
            const int chip = WorldMap.CellAt(mx, my);
            if (chip < 0 || static_cast<size_t>(chip) >= WorldMap.m_Chips.size()) continue;
            const int picture = std::max(0, WorldMap.m_Chips[static_cast<size_t>(chip)].m_nPicture);
            DDBlt(work, kCell * column, kCell * row, kCell, kCell, &SurfaceTables.Surface[SURFACE_CHIP], kCell * (picture % 5),
                  kCell * (picture / 5), 1);
        }
    }
    DDEndSpriteBatch();
    DDBeginSpriteBatch(0);
    for (cWorldMapPoint& point : WorldMap.m_Points) {
        const cWorldMapStage* entry = FindActiveStage(&point);
        if (!entry) continue;
        DDBlt(work, (point.m_nX - vx) * kCell, (point.m_nY - vy) * kCell, kCell, kCell, &SurfaceTables.Surface[SURFACE_EVENT],
              IsEntryCleared(entry) ? kCell : 0, kCell * entry->m_nIcon, 1);
    }
    DDEndSpriteBatch();
    m_nDrawnViewX = vx;
    m_nDrawnViewY = vy;
}

void cWorldMapScene::DrawScreen(bool details)
{
    DDSURFACEDATA* work = &SurfaceTables.Surface[SURFACE_WORK];
    if (work->bLost) {
        RedrawMap();
        work->bLost = 0;
    }
    DDBlt(&Display.BackBuffer, 0, 0, 640, 480, work, 0, 0, 0);

    static const int walker[4][2] = {{0, 64}, {64, 64}, {64, 96}, {0, 96}};
    const int facing = m_nFacing >= 0 && m_nFacing < 4 ? m_nFacing : FACE_DOWN;
    const int step = m_nWalkFrame > 40 ? kCell : 0;
    m_nWalkFrame = (m_nWalkFrame + 1) % 80;
    DDBlt(&Display.BackBuffer, kWalkerX, kWalkerY, kCell, kCell, &SurfaceTables.Surface[SURFACE_ACCESSORY], walker[facing][0] + step,
          walker[facing][1], 1);

    if (SystemData.m_bMapShowLives) {
        const bool infinite = GameProgress.m_nLives == INFINITE_LIVES;
        const int n = infinite ? 1 : CountDigits(GameProgress.m_nLives);
        const int x = 605 - 16 * n;
        SurfaceTables.Fonts[1].DrawWindow(&Display.BackBuffer, x, 17, (n + 1) * 16, 20);
        DDBlt(&Display.BackBuffer, x, 19, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY], 0, 48, 1);
        if (infinite)
            SurfaceTables.Fonts[1].DrawText(&Display.BackBuffer, x + 16, 19, "∞", 0);
        else
            SurfaceTables.Fonts[1].DrawTextF(&Display.BackBuffer, x + 16, 19, "%d", GameProgress.m_nLives);
    }

    if (!details || !m_lpEntry || m_lpEntry->m_nKind != WORLD_STAGE) return;
    if (StoryRanks() && GameProgress.m_bShowRanking && m_lpRanking) {
        if (m_lpRanking->bLost) {
            DrawRanking();
            m_lpRanking->bLost = 0;
        }
        DDBlt(&Display.BackBuffer, kRankingX, kRankingY, kRankingWidth, kRankingHeight, m_lpRanking, 0, 0, 1);
    }
    const bool showBest = SystemData.m_bMapShowBest && m_nBestValue > 0;
    const int y = showBest ? 184 : 204;
    const std::string& caption = m_lpEntry->m_sCaption;
    if (!caption.empty()) {
        const int width = 16 * CountDisplayChars(caption.c_str());
        SurfaceTables.Fonts[1].DrawTextWindowF(&Display.BackBuffer, kCaptionCentre - width / 2, y, width, 16, "%s", caption.c_str());
    }
    if (showBest) {
        const std::string& label = CheckedAt(SystemData.m_TextList, 2);
        const int width = 16 * (CountDisplayChars(label.c_str()) + CountDigits(m_nBestValue));
        SurfaceTables.Fonts[1].DrawTextWindowF(&Display.BackBuffer, kCaptionCentre - width / 2, y + 20, width, 16, "%s%d", label.c_str(),
                                 m_nBestValue);
    }
}
