#pragma once
// The scene manager: one frame of the game at a time, on the game thread
// (GameLoop, app/game_loop.h): pacing (DirectDraw), lost-surface recovery
// (DirectDraw), input, creation of the current screen, one step of it, frame
// measurement with the optional frame-rate text, and the present.
//
// A screen lives from the frame in which it becomes current until the first
// frame in which another screen is current; it is created and stepped in the
// same frame.
#include <vector>

#include "app/shell/scene.h"
#include "gfx/surface_record.h"

class cInput;
class cStageScene;

class cSceneManager {
public:
    cSceneManager() = default;
    ~cSceneManager() { DeleteAllScenes(); }
    cSceneManager(const cSceneManager&) = delete;
    cSceneManager& operator=(const cSceneManager&) = delete;

    // Deletes every screen: title, world map, world-map menu, challenge
    // select, options, stage play.
    void DeleteAllScenes();
    // One frame; 0 when the game cannot go on (lost DirectDraw surfaces that
    // cannot be restored), else 1.
    int Frame();
    // Deletes every other screen (title, world-map menu, world map, challenge
    // select, stage play, options) and creates the screen of id when it does
    // not exist. Memory running out shows the out-of-memory box and closes.
    void PrepareScene(int id);
    void Present();
    // DirectDraw: restores lost surfaces; 0 when one could not be restored.
    // Direct3D: 1 at once.
    int RestoreSurfaces();
    // A lost DirectDraw surface restored, its picture reloaded or, for a
    // blank one, bLost set for its owner; false when the reload failed.
    static bool RestoreOneSurface(DDSURFACEDATA* record);
    void UpdateInput(std::vector<cInput>& inputs);
    // The screen object of an id 0 to 5, or null.
    cScene* GetScene(int id) const;

    // Screen objects by id (SCENE_TITLE ... SCENE_OPTION); null where none exists.
    std::unique_ptr<cScene> m_lpScenes[SCENE_COUNT];
    int m_nCurrentScene = 0;   // stepped by the next frame
    int m_nNextScene = 0;      // taken when the current screen has faded out
    int m_nPreviousScene = 0;  // the screen that ran before the current one
    // Hand-over values of the screens: the title menu's game kind (0 new
    // story, 1 continue, 2 challenge, 3 stage file, 4 replay, 5 options,
    // 6 exit), the play mode (0 story, 1 challenge, 2 stage file, 3 replay),
    // the challenge screen's selection, and whether plays of the mode enter
    // the rankings.
    int nGameKind = 0;
    int m_nPlayMode = 0;
    int m_nChallengeSelect[2] = {};
    int m_bRankingOn = 0;
    int FrameRate = 0;     // target frames a second
    int m_nFadeStep = 0;   // step of the screens' fades
    int nLastMenuBgm = 0;  // music number last requested by a menu screen
    // DirectDraw full screen: 1 presents with a blit instead of a flip
    // (vertical sync off, or a monitor slower than the frame rate). Set by
    // start-up on the window thread before the game thread exists; read by the
    // presenting threads.
    int bBltPresent = 0;
};

// Threads: the game thread's; the sub-loops use it (frame rate, input,
// present) while the game thread waits for them, and the window thread reads
// it serving a request the game thread waits for.
extern cSceneManager SceneManager;

// DirectDraw frame pacing: waits until the next frame of FrameRate is due.
void WaitNextFrame();

// The frame-rate text's average work time (ms) over the last full block of 16
// frames; 0 until 16 frames have been measured. ResetFpsRing starts over.
unsigned FpsAverage();
void ResetFpsRing();
