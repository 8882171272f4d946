#pragma once
// The world map (screen 1), the hub of story mode: the walker stands in the
// middle of the screen and steps over the map a cell at a time while the map
// scrolls under it. A point whose stage entry is in force shows the stage's
// caption and best value; confirming asks whether to play it. A stage that
// is neither cleared nor passable cannot be walked over: stepping onto it
// asks at once, and refusing puts the walker back. Cancel opens the
// world-map menu. The remaining lives and, on request, the ranking board of
// the stage under the walker are shown too.
#include "app/shell/scene.h"
#include "scenes/menu_cursor.h"

class cWorldMapPoint;
class cWorldMapStage;
struct DDSURFACEDATA;

class cWorldMapScene : public cScene {
public:
    enum { STATE_FADEIN, STATE_MAP, STATE_CONFIRM, STATE_FADEOUT };
    enum { FACE_DOWN, FACE_UP, FACE_LEFT, FACE_RIGHT };

    cWorldMapScene();
    ~cWorldMapScene() override;

    void Run() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;
    void Map();
    void ConfirmStage();

    // The first entry of the point whose conditions hold for the running
    // game; null when none does or there is no point.
    static cWorldMapStage* FindActiveStage(cWorldMapPoint* point);
    static bool IsEntryCleared(const cWorldMapStage* entry);
    // Passable before it is cleared, or cleared.
    static bool IsEntryOpen(const cWorldMapStage* entry);

    // One step of the walker by the direction word, refused onto a wall or
    // an impassable chip without a stage; the walker turns either way.
    void MoveCursor(MENUCURSOR& cursor, int direction);
    // The chosen stage's hand-over values in the game progress.
    void PrepareStage();
    // Stage name and key, best value and rankings of the entry under the walker.
    void UpdateEntryInfo();
    // The map picture of the view into the work surface.
    void RedrawMap();
    void DrawScreen(bool details);

    int m_nState = -1;
    int m_nSubState = 0;
    void (cWorldMapScene::*m_StateTable[4])();
    int m_nViewX = 0, m_nViewY = 0;  // map cell at the top-left of the screen
    cWorldMapPoint* m_lpPoint = nullptr;
    cWorldMapStage* m_lpEntry = nullptr;
    int m_nFacing = FACE_DOWN;
    MENUCURSOR m_StepOrigin;   // the cursor before the last step
    MENUCURSOR m_InfoCell;     // where the caption, best value and ranking were loaded
    int m_nBestValue = 0;
    bool m_bStageLoaded = false;
    int m_nWalkFrame = 0;                  // 0..79, the walker's two-frame animation
    int m_nDrawnViewX = 0, m_nDrawnViewY = 0;  // the view of the last map redraw

private:
    // Point and entry under the cursor.
    void LookUp();
    void FollowCursor();
    void DrawRanking();
    // A stage entry that cannot be entered: the question comes at once.
    void AskStage();
    // The ranking switches of the extra buttons, as in the map and the question.
    void ExtraButtons(int buttons);
    DDSURFACEDATA* m_lpRanking = nullptr;
};
