#pragma once
// The running stage's own state: how the play was started, the view axes,
// the shots, the hit layers, the messages, effects and pictures, the wait
// of a held game, the flow being run, the frame and sub-step, the time,
// the stage variables and activation groups, the serials and the ranking
// of a cleared stage. The stage-play screen is one (cStageScene); the play
// step, the set-up, the hits, the flows and the drawing read and write it,
// handed it where they have been converted, else through lpStageScene.
#include <atomic>
#include <list>
#include <string>
#include <vector>

#include "stage/objects/effect.h"
#include "stage/objects/message.h"
#include "stage/objects/picture.h"
#include "stage/scene/screen_tint.h"
#include "stage/objects/scroll_axis.h"
#include "stage/objects/shot.h"
#include "stage/scene/stage_host.h"

class cChara;
class cItem;
class cRunningCommand;
class cRunningFlow;

// States of the stage-play screen; -1 means Init is still to run.
enum {
    STAGE_FADEIN = 0,
    STAGE_READY = 1,
    STAGE_PLAY = 2,
    STAGE_PAUSEMENU = 3,
    STAGE_CLEAR = 4,
    STAGE_RETRY = 5,
    STAGE_GAMEOVER = 6,
    STAGE_FADEOUT = 7,
};

// Requests raised during a sub-step (m_nStageRequest).
enum { STAGEREQ_NONE = 0, STAGEREQ_CLEAR = 1, STAGEREQ_PLAYER_DOWN = 2 };

class cStageWorld {
public:
    cStageWorld() = default;
    cStageWorld(const cStageWorld&) = delete;
    cStageWorld& operator=(const cStageWorld&) = delete;

    // The screen's state (STAGE_*): the play moves it on a goal, a clear
    // and the end of the player's death.
    int m_nState = -1;
    // How the play was started, taken from the host at the start of every
    // frame; the next screen is the states' own.
    STAGEMODES m_Modes;
    int m_nStageRequest = STAGEREQ_NONE;
    cScrollAxis m_ScrollX;
    cScrollAxis m_ScrollY;
    std::list<cShot> m_ShotList;
    std::vector<std::list<cChara*>> m_CharaLayers;    // one list per hit layer 0..7
    std::vector<std::list<cShot*>> m_ShotLayers;
    std::list<cMessage> m_MessageList;
    std::list<cEffect> m_EffectList;
    std::list<cPicture> m_PictureList;
    cEffectRun m_ScrEffect;
    cScreenTint m_ScreenTint;
    int m_Wait[5] = {};               // mode, frames, button, extra, spare
    // Set by the window thread when the window is closed while the pause loop
    // runs; the next frame of play posts WM_CLOSE again. Read by the pause
    // loop on thPause and by play on the game thread.
    std::atomic<int> m_bQuit{0};
    cChara* m_lpCurChara = nullptr;
    cRunningFlow* m_lpCurFlow = nullptr;
    cRunningCommand* m_lpCurCommand = nullptr;
    int m_bItemAfterMessage = 0;
    int m_nPlayers = 0;
    int m_nSubStep = 0;               // 1-based sub-step of the current frame
    int m_nSubStepTotal = 0;
    std::vector<int> m_HitSchedule;
    int m_nTime = 0;
    int m_bTimerOff = 0;
    int m_nPlayFrames = 0;
    int m_nPlayTime = 0;              // 1/100 s, capped at 599999
    int m_nRandomSeed = 0;
    int m_bHoldButtons = 0;
    int m_bStatusChanged = 0;
    std::vector<int> m_StageVars;
    std::vector<char> m_ActiveGroups;
    int m_nNextCharaSerial = 0, m_nNextItemSerial = 0, m_nNextShotSerial = 0;
    int m_bEdgeTest[3] = {};
    std::vector<int> m_SummonedBlocks;
    int m_nFrame = 0;
    int m_nNextLinkedStage = 0;
    int m_bRankingAllowed = 0;
    std::vector<int> m_RankPos;
    std::vector<int> m_RankValue;
    // The name entered into the rankings; the name entry edits it.
    std::string m_sRankName;
    int m_bRankingEntered = 0;
    int m_nStatusBarKind = 0;
    // Frames counted in the last full second, written by every frame.
    int m_nFps = 0;

    // Runs an item's commands on a character (player 1 for an item a
    // defeated character carried): 0, 1 the stage is cleared, 2 the
    // character died.
    int ApplyItem(cItem* item, cChara* chara);
    // A cleared stage's score, time, hit points and extra lives added to the
    // totals of the progress.
    void AddStageTotals();
    // The linked stage after this one in the area, by name; false at the end.
    bool GetLinkedStageName(std::string& name, int area);
    bool IsLastLinkedStage(int area);
};
