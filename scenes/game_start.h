#pragma once
// The two starts of a game beside the title: a new story game, and play of
// one stage file (the title's stage-file item, start-up's named stage, and a
// stage file started over).
//
// Game thread, or the window thread while the game thread waits for it.

// GameProgress reset for a new story: the walker on the world map's start
// cell, lap 0, the story's lives.
void NewGame();
// Reads the stage file (its newest revision with findNewest) for play and
// prepares a fresh GameProgress for it: stage 1, area 1, the lives of
// stage-file play (infinite in direct play), the stage's name and key. 1 on
// success. 0 when the stage could not be loaded (the loader has said why in a
// box); GameProgress, StageData and PlayStageData are then as they were.
int StartStageFile(const char* path, int findNewest, int directPlay);
