#pragma once
// The game thread's requests, served on the window thread (app/game_messages.h
// for the messages). The senders of the name entry and of the three file
// dialogs clear the matching done flag, send, then poll it with 1 ms sleeps,
// and read the result flag afterwards; the window thread sets the result
// first and the done flag last.
#include <windows.h>

#include <atomic>

// Written by the window thread, polled by the sender (the game thread or a
// thread it waits on); atomic for that reason.
struct WINDOWREPLIES {
    std::atomic<int> bNameEntryDone{0};  // the name entry has finished
    std::atomic<int> bDialogDone{0};     // a stage, replay or save dialog request has finished
    std::atomic<int> bDialogLoaded{0};   // 1: a file was chosen and its load or save succeeded
    std::atomic<int> bDialogRefused{0};  // 1: a file was chosen but could not be loaded or saved
};
extern WINDOWREPLIES WindowReplies;

// Suspend / resume thGame, thPause, thRanking and thLoadStage, in that order.
void SuspendAllThreads();
void ResumeAllThreads();

// Serves one request (WM_GAME_NAMEENTRY ... WM_GAME_MUSICSWITCH, WM_GAME_RESTORE) for the main
// window hWnd; false for a message that is no request.
bool ServeGameRequest(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// After a request failed with an exception: its sender is let go (done flag
// set, nothing loaded).
void ReleaseGameRequest(UINT message);
