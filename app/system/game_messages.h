#pragma once
// The private requests that the game thread sends the window thread with
// SendMessageA; each returns when the window thread has served it.
#define WM_GAME_NAMEENTRY 0x401
#define WM_GAME_LOADSTAGE 0x402
#define WM_GAME_LOADREPLAY 0x403
#define WM_GAME_SAVEREPLAY 0x404
#define WM_GAME_PLAYSE 0x405  // wParam: sound-effect number
#define WM_GAME_BGM 0x406     // wParam: tune entry 0 to 4; lParam: stage tune number (entry 4)
#define WM_GAME_MUSICSWITCH 0x407  // wParam: the options' music switch (1 on)
#define WM_GAME_RESTORE 0x464
