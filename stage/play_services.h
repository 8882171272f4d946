#pragma once
// What the running stage asks of the shell: sound requests. On Windows they
// reach the shell's sound requests; the native build has none, so there
// sounds are not asked for.
class cCommandData;
class cStageObject;

// Asks for user sound n (nothing for 0): PlayUserSE's contract, returning
// when the window thread has started it. Tests may replace it.
extern void (*lpPlayUserSE)(int n);

// A command's sound: requested when it has one and either it sounds
// everywhere or the object is on screen.
void PlayCommandSound(const cStageObject& object, const cCommandData& command);
