#pragma once
// What the running stage asks of the shell: a player's input record and the
// sound requests. On Windows these reach the shell's input vector and its
// sound requests; the native build has neither, so there a player has no
// input and sounds are not asked for.
class cCommandData;
class cInput;
class cStageObject;

// Element n of the players' input records, or null when there is no such
// element (one report-log line: a definition's input number is data).
cInput* PlayerInput(int n);

// Asks for user sound n (nothing for 0): PlayUserSE's contract, returning
// when the window thread has started it. Tests may replace it.
extern void (*lpPlayUserSE)(int n);

// A command's sound: requested when it has one and either it sounds
// everywhere or the object is on screen.
void PlayCommandSound(const cStageObject& object, const cCommandData& command);
