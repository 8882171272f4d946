#pragma once
// The fixture of the menu screens' tests: a Direct3D display in the test
// window, the data version as start-up sets it, and player 1's input with the
// menus' key repeat; the display goes down afterwards.
#include "app/system/input.h"
#include "app/shell/scene.h"
#include "gfx/display.h"
#include "records/data_record.h"
#include "tests/gfx/gfx_support.h"

class MenuScreenTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        ASSERT_TRUE(Up(1));
        RecordContext.nDataVersion = DATA_VERSION;
        Inputs.assign(1, cInput());
        Inputs[0].SetRepeat(18, 6);
    }
    void TearDown() override
    {
        DDUnInit();
        DisplayTest::TearDown();
    }
    // One frame with the direction and button words held, then one with
    // everything released.
    static void Press(cScene& screen, int direction, int buttons)
    {
        Inputs[0].m_wDirection = static_cast<int16_t>(direction);
        Inputs[0].m_wButtons = static_cast<int16_t>(buttons);
        screen.Run();
        Inputs[0].m_wDirection = Inputs[0].m_wButtons = 0;
        screen.Run();
    }
};
