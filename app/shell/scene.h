#pragma once
// The base of every screen the scene manager steps (title, world map,
// world-map menu, challenge select, stage play, options).
//
// Contract of Run, which every screen keeps:
// 1. Menu screens first prepare player 1's input for menus (key repeat, then
//    one-shot buttons 1 and 2).
// 2. A screen whose state is -1 (every constructor sets it) runs Init through
//    InitGuarded, then takes state 0.
// 3. It calls the entry of its state-function table for the current state:
//    entry 0 calls FadeIn, the last entry FadeOut, the ones between are the
//    screen's own states.
// A screen changes screens by storing the next id and entering its fade-out
// state; when FadeOut has finished it sets the manager's previous id to its
// own id and the current id to the next id. The next frame deletes it and
// creates the next screen.
#include <memory>
#include <string>

class cScene {
public:
    cScene() = default;
    virtual ~cScene() = default;
    cScene(const cScene&) = delete;
    cScene& operator=(const cScene&) = delete;

    virtual void Run() {}
    virtual void Init() {}
    virtual void FadeIn() {}
    virtual void FadeOut() {}

protected:
    // Init, with a text thrown from it written to the trace log and the main
    // window asked to close; the frame goes on.
    void InitGuarded();
    // A screen whose state is -1 runs InitGuarded and takes state 0.
    void StartIfNew(int& state);
};

// Screen ids of the scene manager.
enum {
    SCENE_TITLE = 0,
    SCENE_WORLDMAP = 1,
    SCENE_WORLDMAP_MENU = 2,
    SCENE_CHALLENGE = 3,
    SCENE_STAGE = 4,
    SCENE_OPTION = 5,
    SCENE_COUNT = 6,
};

// What the screen manager and the window thread need of the screens, which
// lie above them: the program hands the entries over before WinMain
// (app/scene_links.cpp). Empty entries make no screen and reach no stage.
struct SCENELINKS {
    // Builds the screen of an id 0 to 5 (scenes/scene_factory.cpp); null for
    // any other id. Throws std::bad_alloc when memory runs out.
    std::unique_ptr<cScene> (*lpCreate)(int id);
    // The stage-play screen has been made (scene) or deleted (null).
    void (*lpStageMade)(cScene* scene);
    // 1 while the stage-play screen exists.
    int (*lpStageExists)();
    // The running stage's quit flag, which its pause loop checks.
    void (*lpStageQuit)();
    // The frame rate the stage-play screen shows.
    void (*lpStageFps)(int fps);
    // The name of a finished stage's ranking entry; null without a stage screen.
    std::string* (*lpStageRankName)();
};

extern SCENELINKS SceneLinks;
