#pragma once
// The sounds stage code asks for. The stage logic builds without the sound
// service, so it reaches it through this seam: the stage-play screen points
// it at the game's user sounds; while it is unset (no screen, the headless
// tests) a request plays nothing.
extern void (*lpStageUserSE)(int number);

// Plays user sound number (1 and up) through the seam.
inline void StagePlayUserSE(int number)
{
    if (lpStageUserSE) lpStageUserSE(number);
}
