#pragma once
// A stage-play screen in memory for the tests of messages, pictures, effects
// and the game and display commands: its stage and common variables sized,
// a 640 x 480 view at the stage's top left corner, and every seam of the
// display and of the window thread pointed at recorders. Everything is put
// back afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "files/database.h"
#include "files/game_progress.h"
#include "stage/objects/message.h"
#include "stage/objects/picture.h"
#include "stage/objects/play_links.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"

class StageDisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Each line of the message font is 8 pixels a byte wide and 16 high.
    static int LineWidth(const std::string& line) { return 8 * static_cast<int>(line.size()); }
    static int LineHeight() { return 16; }

    // The stage's host from SetUp to TearDown (headless until hooked).
    cHarnessHost& Host() { return *m_lpHost; }

    cStageScene* m_lpScene = nullptr;
    cScrollAxis* m_lpSavedX = nullptr;
    cScrollAxis* m_lpSavedY = nullptr;
    std::unique_ptr<cHarnessHost> m_lpHost;
    MESSAGEGFX m_SavedMessageGfx{};
    PICTUREGFX m_SavedPictureGfx{};
};
