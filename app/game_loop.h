#pragma once
// The game thread: scene-manager frames while the application is active,
// idle otherwise, until WM_QUIT.
#include "app/system/thread.h"

unsigned __stdcall GameLoop(void* argument);

// Starts thGame with the procedure (GameLoop in the game) and hands it the
// first message. A thread that never started, or ended before taking the
// message, is reported and gives false, instead of leaving the caller posting
// for ever.
bool StartGameThread(cThread::PROC procedure = GameLoop);
