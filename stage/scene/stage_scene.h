#pragma once
// The stage-play screen (scene 4): the running stage's world
// (stage/scene/stage_world.h) and the eight-state machine stepped once a frame.
// The stage objects and the flows that are not handed the world reach it
// through lpStageScene.
//
// The screen's handlers that draw live in files the headless build leaves
// out (stage/draw/, app/stage_scene_run.cpp); everything else is
// portable, so that a test can build the scene and step real stages.
#include <atomic>
#include <list>
#include <string>
#include <vector>

#include "app/shell/scene.h"
#include "stage/scene/stage_world.h"

class cBlockData;
class cGameProgress;
class cChara;
class cConditionData;
class cItem;
class cCharaData;
class cEdShot;
class cItemData;
class cNpc;
class cPlayer;
class cRunningFlow;
class cRunningCommand;

// What became of a character's move in a sub-step.
enum { CHARA_MOVE_STAYS = 0, CHARA_MOVE_KILLED = 1, CHARA_MOVE_LEAVES = 2 };

class cStageScene : public cScene, public cStageWorld {
public:
    using StateHandler = void (cStageScene::*)();

    cStageScene();
    ~cStageScene() override;
    void Run() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    int m_nSubState = 0;
    StateHandler m_StateTable[8] = {};
    int m_nSavedState = 0, m_nSavedSubState = 0;
    int m_nBannerFrames = 0;
    int m_nBannerFrames2 = 0;

    // -- flows --
    // Whether a flow's start conditions hold for its character.
    int CheckFlowConditions(cRunningFlow& flow, cChara* chara);
    // -- conditions --
    // Whether an owner's condition list holds: an empty list holds, a
    // latched one holds for good; otherwise the list is evaluated and, when
    // it holds, its latched flag is set. Blocks and items are tested for
    // player 1, a character for itself, a flow for its character.
    int CheckBlockConditions(cBlockData& block);
    int CheckCharacterConditions(cChara& chara);
    int CheckItemConditions(cItem& item);
    // Mode 0: every condition holds (stops at the first that fails); mode
    // 1: one holds (stops at the first that holds); other modes: false.
    int EvaluateConditions(const std::vector<cConditionData>& list, int mode, cChara* chara);
    int EvaluateCondition(const cConditionData& cond, cChara* chara);
    // -- items --
    // The two work surfaces of player 1's sight mask, sized by its sight.
    int CreateWorkSurfaces(int mask, int window);
    // -- shots --
    // A character summoned during play at (x, y), the corner of its drawing
    // rectangle in stage pixels; serial is the scene's character counter.
    void SpawnCharacter(std::list<cNpc>& list, double x, double y, int hitLayer, int facing,
                        int summonerFacing, const cEdShot& record, const cCharaData& def, int& serial);
    // An item summoned during play, placed as a character is.
    void SpawnItem(std::list<cItem>& list, double x, double y, int summonerFacing, const cEdShot& record,
                   const cItemData& def, int& serial);
    // A block summoned during play into the cell at (x, y).
    int PlaceBlock(double x, double y, const cEdShot& record, const cBlockData& block);
    // -- setup --
    // Builds the loaded stage into the screen: every container emptied and
    // refilled, the view axes and the block map laid out, the random numbers
    // seeded, the players, characters and items placed, the before-start
    // flows fired. restoreStage: the working stage is first refreshed from
    // its untouched copy (every restart); firstStart: the play begins (from
    // Init or after a replay), which only changes the tune request. False
    // when the block map could not be made: nothing is placed then.
    bool SetStage(bool restoreStage, bool firstStart);
    // The instances of a placed character at a cell of the stage proper;
    // item: the item it carries, or null.
    void SpawnStageCharacters(std::list<cNpc>& list, int column, int row, int& serial, const cCharaData& def,
                              const cItem* item);
    // A placed item at a cell of the stage proper.
    void SpawnStageItems(std::list<cItem>& list, int column, int row, int& serial, const cItemData& def);
    // -- draw --
    // One frame of the running stage: full 0 allows the reduced pause
    // drawing; frozen 1 draws without advancing animations, timers and
    // effects, removes no character and finishes no death; timeSound lets
    // the time display warn; systemText draws the direct-play or test-play
    // text. Besides drawing (through the painter of stage/scene/play_screen.h) it
    // finishes the dying player and removes characters whose dying has
    // ended, so the headless build runs it too.
    void DrawPlayScreen(int full, int frozen, int timeSound, int systemText);
    // The parts of a frame: the player, or the end of its death; a
    // character (1 when its dying has ended and it is to be removed); the
    // objects by draw layer; the pictures of one layer (ended ones leave);
    // the background layers' auto-scroll; the screen tint.
    void DrawPlayer(int frozen);
    int DrawCharacter(cNpc& chara, int frozen);
    void DrawObjects(int frozen);
    void DrawPictures(int layer, int frozen);
    void AutoScrollBackground();
    void DrawTint(int frozen);
    // The stage's images (graphics build only): the shot tile sheets, the
    // character, sword and effect images of the database, and the release
    // of the picture and message surfaces between stages.
    int BuildTileSheet();
    void LoadCharaExcImages();
    void LoadSwordImages();
    void LoadEffectImages();
    void ClearPictures();
    void ClearMessageSurfaces();
    // A stage's set-up: the picture and message surfaces released, the
    // sight mask's surfaces made for player 1 (through the painter).
    void ResetStageSurfaces();
    // -- end --
    // The next screen after a cleared stage.
    int StageClearProcess();
    void EnterRanking();
    // -- play --
    // The states between FadeIn and FadeOut, and the halt of a stage that
    // could not be set up: it only fills the screen and lets the player leave.
    void Ready();
    void Play();
    void PauseMenu();
    void StageClear();
    void RetryPrompt();
    void GameOver();
    void Halt();
    // Game start values, when play begins from another screen.
    void ResetGame();
    // Takes one life; false when none is left (direct play never loses one).
    bool LoseLife(cGameProgress& progress);
    // The end of the player's death animation, run by the player's drawing.
    void EndPlayerDeath();
    // 1 when the pause key (Space) is down: sound 4, the state kept for the resume.
    int CheckPauseKey();
    void UpdatePlayTime();
    // 1 when the time limit ran out in this call.
    int UpdateTimeLimit(int step);
    // The condition refresh of every sub-step.
    void UpdateConditions();
    // Its last part: every shot active, on screen when it is.
    void UpdateShotConditions();
    // The stage set up again; false (the screen halts) when it could not be.
    bool Restart(bool restoreStage, bool firstStart);
    int m_bHalted = 0;        // the stage could not be set up
    int m_nCursor = 0;        // row of the menu of the pause menu or the retry prompt
    // One sub-step and its parts; true when the frame ended (goal or death).
    bool RunSubStep(int subStep);
    // The start of a sub-step for one character: its invincibility ticks,
    // its contact flags clear and its position is kept; the player's
    // previous state is latched as well.
    static void BeginCharaSubStep(cChara& chara);
    static void BeginPlayerSubStep(cPlayer& player);
    bool StepCharacters(bool blockCharas);
    // A character's move after its flows ran: carried by a block character
    // it rides, moved and pushed out of blocks on x, gravity, on y, then (a
    // character that is no block character) pushed by the others and set on
    // its floor; its knock-back decays when it stays. One of CHARA_MOVE_*.
    int MoveCharacter(cNpc& chara);
    bool StepPlayer();
    // The player's move after its flows ran, as MoveCharacter with the
    // block effects and the view's bounds; true when it died.
    bool MovePlayer(cPlayer& player);
    void StepShots(int subStep);
    void RemoveOutOfRange();
    // An outcome 1 or 2 acted on; true when it ends the frame.
    bool HandleOutcome(int outcome);
    // The player dies (text: the trace line, null for none; squeezed: put
    // back where the sub-step began first); true.
    bool KillPlayer(const char* text, bool squeezed = false);
    void GoalReached();
    // The input of player 1 for this frame; false when a played-back replay
    // ended and the stage started again.
    bool TakePlayInput();
    void HandOver();
    int MenuMove(int items);
    // The sub-loops (Windows; stage/sub_loops_draw.cpp), each run on its own
    // thread with the scene as its argument. PauseLoop serves m_Wait: 0 when
    // the quit flag was already set on entry, else 1. RankingLoop shows the
    // ranking board until the confirm button; 1.
    static int PauseLoop(cStageScene* scene);
    static int RankingLoop(cStageScene* scene);
    // One frame of the wait in m_Wait, given whether the confirm button is
    // down now and was down the frame before: 1 when the wait ends (its
    // sound played, m_bHoldButtons set for a button wait), else 0 and the
    // frame is drawn.
    int StepWait(int confirmNow, int confirmBefore);
};

// The stage-play screen while it exists, else null: the shell's handle to
// the current world. Written by the game thread when the screen is created
// and deleted; read by the window thread while the game thread waits in a
// request or a sub-loop, and by the stage code not yet handed the world (the
// objects' own methods and the commands the flows run).
extern cStageScene* lpStageScene;
