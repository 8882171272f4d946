#include "stage/stage_shell.h"

// Empty until the program hands its own over (app/stage_scene_run.cpp).
STAGESHELL StageShell = {};
STAGEMODES StageModes;

namespace {

unsigned nEveryCounter = 0;

} // namespace

void StageReadInput(uint16_t& direction, uint16_t& buttons)
{
    direction = buttons = 0;
    if (StageShell.lpReadInput) StageShell.lpReadInput(direction, buttons);
}

void StageWriteInput(uint16_t direction, uint16_t buttons, int numpad)
{
    if (StageShell.lpWriteInput) StageShell.lpWriteInput(direction, buttons, numpad);
}

void StageRecordInput()
{
    if (StageShell.lpRecordInput) StageShell.lpRecordInput();
}

void StageMenuInput()
{
    if (StageShell.lpMenuInput) StageShell.lpMenuInput();
}

int StageKeyDown(int key)
{
    return StageShell.lpKeyDown ? StageShell.lpKeyDown(key) : 0;
}

int StageCountEvery(int mode, unsigned n)
{
    if (StageShell.lpCountEvery) return StageShell.lpCountEvery(mode, n);
    if (mode == 0) {
        nEveryCounter = 0;
        return 0;
    }
    if (mode == 2) return nEveryCounter == 0 ? 1 : 0;
    if (++nEveryCounter >= n) {
        nEveryCounter = 0;
        return 1;
    }
    return 0;
}

void StageDrawPicture(int picture, int value)
{
    if (StageShell.lpDrawPicture) StageShell.lpDrawPicture(picture, value);
}

void StageDrawMenu(int firstText, int count, int cursor, int widthCount)
{
    if (StageShell.lpDrawMenu) StageShell.lpDrawMenu(firstText, count, cursor, widthCount);
}
