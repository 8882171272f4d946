#pragma once
// Sound requests from the game thread: the window thread plays the sound and
// the call returns when it has. Without a main window (the native build)
// they do nothing.

// System sound effect number.
void PlaySE(int number);
// User sound n of the sound database; 0 plays nothing.
void PlayUserSE(int n);
