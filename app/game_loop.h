#pragma once
// The game thread: frames while the application is active, idle otherwise,
// until WM_QUIT.
unsigned __stdcall GameLoop(void* argument);
