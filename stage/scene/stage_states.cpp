// The stage-play screen's states: Init, the fade-in, the banners of Ready,
// the pause menu, the clear, the retry prompt, game over, the fade-out, and
// the halt of a stage that could not be set up. The Play state's frame is in
// stage/scene/play_step.cpp.
#include <algorithm>
#include <exception>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/base/log.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/ranking.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/scene/replay_keys.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

namespace {

constexpr int BANNER_FRAMES = 80;
constexpr int CLEAR_DONE = 200;
constexpr int BUTTON_CONFIRM = 1;
constexpr int BUTTON_CANCEL = 2;
constexpr int DIR_UP = 4;
constexpr int DIR_DOWN = 8;
constexpr int START_STAGE_FILE = 3;

// System texts of the menus: the pause menu's three, the retry prompt's two.
constexpr int TEXT_PAUSE = 19;
constexpr int TEXT_RETRY = 22;

uint16_t Buttons()
{
    uint16_t direction = 0, buttons = 0;
    StageHost().ReadInput(direction, buttons);
    return buttons;
}

uint16_t Directions()
{
    uint16_t direction = 0, buttons = 0;
    StageHost().ReadInput(direction, buttons);
    return direction;
}

} // namespace

cStageScene::cStageScene()
    : m_StateTable{&cStageScene::FadeIn,    &cStageScene::Ready,       &cStageScene::Play,
                   &cStageScene::PauseMenu, &cStageScene::StageClear,  &cStageScene::RetryPrompt,
                   &cStageScene::GameOver,  &cStageScene::FadeOut}
{
    m_ScreenTint = cScreenTint();
    m_ScreenTint.m_nSavedAlpha = 255;
    // The first set-up after another screen always asks for the stage's tune.
    GameProgress.m_nBgm = 0;
}

cStageScene::~cStageScene()
{
    // The images live as long as the screen: the next screen loads its own.
    StageHost().ReleaseImages();
}

void cStageScene::Run()
{
    StageHost().ReadModes(m_Modes);
    if (m_nState == -1) {
        // Until a set-up has succeeded the containers are not the stage's.
        m_bHalted = 1;
        try {
            Init();
        } catch (const char* text) {
            TraceLog(text);
            StageHost().RequestClose();
        } catch (const std::exception& e) {
            // A checked access to a stage without a hero, or memory running out.
            TraceLog(e.what());
            StageHost().RequestClose();
        }
        m_nState = STAGE_FADEIN;
    }
    // A quit asked for while a sub-loop ran is served before any state, so
    // that no state can hand the screen over and lose it.
    if (m_bQuit) {
        StageHost().RequestClose();
        return;
    }
    if (m_bHalted) {
        Halt();
        return;
    }
    if (m_nState < 0 || m_nState > STAGE_FADEOUT) m_nState = STAGE_FADEIN;
    const StateHandler handler = m_StateTable[m_nState];
    (this->*handler)();
}

void cStageScene::Init()
{
    m_RankPos.resize(5, 0);
    m_RankValue.resize(5, 0);
    const bool fromOtherScreen = m_Modes.nPreviousScene != SCENE_STAGE;
    if (!StageHost().LoadImages(fromOtherScreen ? 1 : 0)) {
        StageHost().RequestClose();
        return;
    }
    if (fromOtherScreen) {
        ResetGame();
        LoseLife(GameProgress);
    }
    if (!Restart(!fromOtherScreen, true)) return;
    m_nCursor = 0;
    m_nSubState = 0;
}

bool cStageScene::Restart(bool restoreStage, bool firstStart)
{
    if (!SetStage(restoreStage, firstStart)) {
        m_bHalted = 1;
        return false;
    }
    m_bHalted = Player.empty() ? 1 : 0;
    return !m_bHalted;
}

void cStageScene::ResetGame()
{
    cGameProgress& progress = GameProgress;
    progress.m_nLives = progress.m_nStartLives;
    progress.m_nScore = progress.m_nTotalScore = 0;
    progress.m_nTotalTimeLeft = progress.m_nTotalClearTime = progress.m_nTotalHp = progress.m_nTotalSp = 0;
    progress.m_bNextStart = 0;
    m_ScrollX.m_dPos = m_ScrollY.m_dPos = 0;
    m_nSubState = 0;
    m_nBannerFrames = m_nBannerFrames2 = 0;
    m_bHoldButtons = 0;
    m_nTime = 0;
    m_bRankingEntered = 0;
    m_MessageList.clear();
    if (!m_Modes.ReplayPlayback()) {
        Replay.Clear();
        LastReplay.Clear();
    }
    if (m_Modes.bDirectPlay) progress.m_nArea = 1;
    if (m_Modes.bRankingOn) LoadRankingFile(RankingSet, m_Modes.nPlayMode, progress.m_sStageKey);
}

bool cStageScene::LoseLife(cGameProgress& progress)
{
    if (m_Modes.bDirectPlay) return true;
    if (progress.m_nLives == INFINITE_LIVES) return true;
    if (progress.m_nLives <= 0) return false;
    --progress.m_nLives;
    return true;
}

void cStageScene::FadeIn()
{
    DrawPlayScreen(1, 1, 0, 1);
    if (StageHost().FadeIn()) {
        m_nState = STAGE_READY;
        m_nSubState = 0;
    }
}

void cStageScene::Ready()
{
    DrawPlayScreen(1, 1, 0, 1);
    const bool banners = !m_Modes.DirectTestPlay();
    if (banners && m_Modes.ReplayPlayback()) {
        if (++m_nBannerFrames < BANNER_FRAMES) {
            StageHost().DrawPicture(*this, STAGEPIC_REPLAY_BANNER, 0);
            return;
        }
    } else if (banners) {
        if (StageData.m_bStartBanner1 && m_nBannerFrames < BANNER_FRAMES) {
            if (++m_nBannerFrames < BANNER_FRAMES) {
                StageHost().DrawPicture(*this, STAGEPIC_STAGE_BANNER, GameProgress.m_nArea);
                return;
            }
        }
        if (StageData.m_bStartBanner2) {
            if (++m_nBannerFrames2 < BANNER_FRAMES) {
                StageHost().DrawPicture(*this, STAGEPIC_START_BANNER, 0);
                return;
            }
        }
    }
    cPlayer& p1 = CheckedAt(Player, P1);
    p1.m_Anime.Set(p1.m_bNoGravity ? 2 : 0, 1);
    m_nBannerFrames = 0;
    m_nBannerFrames2 = 0;
    m_nState = STAGE_PLAY;
}

int cStageScene::MenuMove(int items)
{
    const uint16_t direction = Directions();
    int moved = 0;
    if (direction & DIR_UP) moved = -1;
    else if (direction & DIR_DOWN) moved = 1;
    if (moved) {
        m_nCursor = (m_nCursor + moved + items) % items;
        StageHost().PlaySE(0);
    }
    return Buttons();
}

void cStageScene::PauseMenu()
{
    int items = 2;
    switch (m_Modes.nPlayMode) {
    case 0:
        if (SystemData.m_bStoryRestartCleared && GameProgress.m_nStageNo >= 0 &&
            GameProgress.m_nStageNo < static_cast<int>(GameProgress.m_ClearFlags.size()) &&
            GameProgress.m_ClearFlags[static_cast<size_t>(GameProgress.m_nStageNo)])
            items = 3;
        break;
    case 1: {
        const int index = GameProgress.m_nStageNo - 1;
        if (SystemData.m_bChallengeRestartCleared && index >= 0 &&
            index < static_cast<int>(GameProgress.m_ChallengeRecords.size()) &&
            GameProgress.m_ChallengeRecords[static_cast<size_t>(index)].m_nFirst)
            items = 3;
        break;
    }
    case 2: items = 3; break;
    default: break;
    }
    if (m_nSubState == 0) {
        m_nCursor = 1;
        m_nSubState = 1;
    }
    StageHost().MenuInput();
    m_nCursor = std::min(m_nCursor, items - 1);
    const int buttons = MenuMove(items);
    if (buttons & BUTTON_CONFIRM) {
        StageHost().PlaySE(1);
        if (m_nCursor == 0) {
            m_nState = STAGE_FADEOUT;
            if (m_Modes.bDirectPlay && items == 3) {
                StageHost().RequestClose();
                return;
            }
            m_Modes.nNextScene = SCENE_TITLE;
            m_nSubState = 0;
            return;
        }
        if (m_nCursor == 1) {
            m_bHoldButtons = 1;
            m_nState = m_nSavedState;
            m_nSubState = m_nSavedSubState;
            return;
        }
        m_bHoldButtons = 1;
        GameProgress.RestoreStageStart(1, m_Modes.nPlayMode, m_Modes.bDirectPlay);
        if (!Restart(true, false)) return;
        m_nSubState = 0;
        m_nState = STAGE_READY;
        return;
    }
    if (buttons & BUTTON_CANCEL) {
        StageHost().PlaySE(2);
        m_bHoldButtons = 1;
        m_nState = m_nSavedState;
        m_nSubState = m_nSavedSubState;
        return;
    }
    // Drawn as a pause picture: a game whose settings hide the stage while
    // paused shows only its background layers and the tint behind the menu.
    DrawPlayScreen(0, 1, 0, 1);
    StageHost().DrawMenu(TEXT_PAUSE, items, m_nCursor, 3);
}

void cStageScene::StageClear()
{
    const bool automatic = StageData.m_bAutoClearEnd != 0;
    const bool manualEntry = Options.m_nRankingMode == 0 || Options.m_nRankingMode == 1;
    if (!automatic) {
        if (CheckPauseKey()) {
            m_nSubState = 0;
            m_nState = STAGE_PAUSEMENU;
            return;
        }
        CheckReplayKeys(m_Modes);
        if (manualEntry && StageHost().KeyDown(STAGEKEY_RANKING)) EnterRanking();
    }
    if (m_nSubState == 0) {
        m_nBannerFrames = 0;
        m_nSubState = 1;
    }
    StageHost().MenuInput();
    const bool done = m_nBannerFrames >= CLEAR_DONE;
    bool leave = false;
    if (automatic) {
        leave = done;
    } else if (done && (Buttons() & BUTTON_CONFIRM)) {
        if (m_bRankingAllowed && !manualEntry) EnterRanking();
        else StageHost().PlaySE(1);
        leave = true;
    }
    if (leave) {
        m_Modes.nNextScene = StageClearProcess();
        m_nBannerFrames = 0;
        m_nSubState = 0;
        m_nState = STAGE_FADEOUT;
        return;
    }

    bool reached = false;
    for (int place : m_RankPos) reached = reached || place >= 0;
    const bool hint = !automatic && !m_bRankingEntered && reached && manualEntry;
    DrawPlayScreen(1, 1, 0, hint ? 0 : 1);
    if (hint) StageHost().DrawPicture(*this, STAGEPIC_RANKING_HINT, 0);
    if (StageData.m_bClearBanner) {
        // Held once the banner is whole and the clear can be left.
        m_nBannerFrames = std::min(m_nBannerFrames + 4, CLEAR_DONE + 4);
        StageHost().DrawPicture(*this, STAGEPIC_CLEAR_BANNER, m_nBannerFrames);
    } else {
        m_nBannerFrames = CLEAR_DONE;
    }
    if (m_nBannerFrames >= CLEAR_DONE && m_Modes.bRankingOn && !automatic)
        StageHost().DrawPicture(*this, STAGEPIC_SCORE_PANEL, 0);
}

void cStageScene::RetryPrompt()
{
    if (m_nSubState == 0) {
        m_nCursor = 0;
        m_nSubState = 1;
    }
    StageHost().MenuInput();
    const int buttons = MenuMove(2);
    if (buttons & BUTTON_CONFIRM) {
        StageHost().PlaySE(1);
        if (m_nCursor == 0) {
            if (!Restart(true, false)) return;
            m_nState = STAGE_READY;
            return;
        }
        GameProgress.m_bBackFromStage = 1;
        m_Modes.nNextScene = SCENE_WORLDMAP;
        m_nSubState = 0;
        m_nState = STAGE_FADEOUT;
        return;
    }
    DrawPlayScreen(1, 1, 0, 1);
    StageHost().DrawMenu(TEXT_RETRY, 2, m_nCursor, 2);
}

void cStageScene::GameOver()
{
    if (CheckPauseKey()) {
        m_nSubState = 0;
        m_nState = STAGE_PAUSEMENU;
        return;
    }
    if (CheckReplayKeys(m_Modes)) return;
    StageHost().MenuInput();
    if (Buttons() & BUTTON_CONFIRM) {
        StageHost().PlaySE(1);
        m_Modes.nNextScene = SCENE_TITLE;
        m_nState = STAGE_FADEOUT;
        return;
    }
    DrawPlayScreen(1, 1, 0, 1);
    if (StageData.m_bGameOverBanner) StageHost().DrawPicture(*this, STAGEPIC_GAMEOVER_BANNER, 0);
}

void cStageScene::FadeOut()
{
    DrawPlayScreen(1, 1, 0, 1);
    if (!StageHost().FadeOut()) return;
    StageHost().FillBlank();
    // A single stage file starts afresh whatever comes next: the progress
    // reset and the file read again. Only its next play needs what was read:
    // when the file cannot be read (its box has said why) the program closes
    // if it was to play it again, and goes on to any other screen.
    if (m_Modes.nStartKind == START_STAGE_FILE && !GameProgress.m_bLinked &&
        !StageHost().StartStageFile(StageData.m_sPath.c_str(), m_Modes.bDirectPlay) &&
        m_Modes.nNextScene == SCENE_STAGE)
        StageHost().RequestClose();
    HandOver();
}

void cStageScene::HandOver()
{
    m_Modes.nPreviousScene = SCENE_STAGE;
    StageHost().HandOver(m_Modes.nNextScene);
    m_nState = -1;
}

void cStageScene::Halt()
{
    StageHost().DrawPicture(*this, STAGEPIC_HALT, 0);
    StageHost().MenuInput();
    if (!(Buttons() & (BUTTON_CONFIRM | BUTTON_CANCEL))) return;
    if (m_Modes.bDirectPlay) {
        StageHost().RequestClose();
        return;
    }
    m_Modes.nNextScene = SCENE_TITLE;
    HandOver();
}

void cStageScene::EndPlayerDeath()
{
    if (m_Modes.ReplayPlayback()) {
        GameProgress.RestoreStageStart(1, m_Modes.nPlayMode, m_Modes.bDirectPlay);
        if (Restart(true, true)) m_nState = STAGE_READY;
        return;
    }
    if (!LoseLife(GameProgress)) {
        m_nState = STAGE_GAMEOVER;
        return;
    }
    if (StageData.m_bCarryIn) GameProgress.ClearCarryOverFlags();
    GameProgress.RestoreStageStart(0, m_Modes.nPlayMode, m_Modes.bDirectPlay);
    if (m_Modes.nPlayMode == 0 && SystemData.m_bStoryRetryPrompt) {
        m_nSubState = 0;
        m_nState = STAGE_RETRY;
        return;
    }
    if (Restart(true, false)) m_nState = STAGE_READY;
}
