#pragma once
// The game's random numbers. One generator, one state per thread, each state
// starting at 1: the stage set-up seeds the game thread's with the play's
// seed, so draws on other threads (start-up, the sub-loops) never shift the
// sequence a replay depends on.
//
// state = state x 214013 + 2531011 (mod 2^32); a draw is (state >> 16) & 0x7FFF.

// Seeds the calling thread's state.
void GameSrand(unsigned seed);
// The next draw of the calling thread, 0..32767.
int GameRand();
// The calling thread's state, left as it is.
unsigned GameRandState();
