#pragma once
// Challenge select (screen 3): the open challenge stages in a scrolling list,
// each with its cleared sign and best score, and on request the ranking board
// of the challenge under the cursor. Confirm plays the chosen challenge,
// cancel returns to the title. The row and the scroll place are kept for the
// next visit while the program runs.
#include <string>

#include "app/shell/scene.h"

struct DDSURFACEDATA;

class cChallengeSelectScene : public cScene {
public:
    enum { STATE_FADEIN, STATE_SELECT, STATE_FADEOUT };

    cChallengeSelectScene();
    ~cChallengeSelectScene() override;

    void Run() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;
    void Select();
    // The challenge's stage name and key into GameProgress, and its rankings
    // into RankingSet while the mode ranks.
    void UpdateStageInfo(int number);

    int m_nState = -1;
    int m_nSubState = 0;
    void (cChallengeSelectScene::*m_StateTable[3])();
    int m_nScrollOffset = 0;
    int m_nOpenCount = 0;
    int m_nVisibleRows = 0;

private:
    void CountRows();
    void DrawSurface();
    DDSURFACEDATA* m_lpScreen = nullptr;
};

// "data\stg4\cNN-1.stg4": the file of challenge number, whose newest
// revision the loader takes.
std::string ChallengeFileName(int number);
