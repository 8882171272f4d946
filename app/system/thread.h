#pragma once
// The thin wrapper through which the runtime starts, joins, suspends, resumes
// and stops its worker threads. Each object owns its thread handle: it cannot
// be copied, and only the thread that started it closes the handle (in Wait,
// or in Exit when it ends the thread itself). Another thread may end it at
// shut-down with Exit, which then leaves the handle to its starter.
#include <windows.h>

#include <atomic>

class cThread {
public:
    typedef unsigned(__stdcall* PROC)(void*);

    cThread() = default;
    cThread(const cThread&) = delete;
    cThread& operator=(const cThread&) = delete;
    // A thread still running when its object goes (at process exit) is
    // stopped as Exit stops it.
    ~cThread() { Exit(); }

    // Creates the thread running at once; 1, or 0 when no thread was created.
    // An exception that escapes the procedure is reported to the report log
    // and closes the main window instead of ending the process.
    int Start(PROC proc, void* arg);
    // Joins the thread (polling, 1 ms sleeps, no message pumping) and closes its handle.
    void Wait();
    bool Suspend();
    bool Resume();
    // Resumes the thread fully, asks it to quit with WM_QUIT, waits for it and
    // ends it by force (TerminateThread) after 200 rounds of 1 ms and at least
    // five seconds, serving the messages sent to the calling thread meanwhile;
    // called by a thread other than the starter, it closes only its own
    // duplicate of the handle, as the starter (waiting in Wait) closes the
    // handle once the thread has ended. A thread
    // ended by force runs no destructors and releases no lock it holds: the
    // report and trace logs' lock among them, so a thread that is still
    // writing a log line when it is ended leaves the logs locked. The force
    // is the last resort for a thread that no longer answers, at shutdown.
    void Exit();
    // Start hand-shake: posts WM_APP until the new thread's queue takes it.
    // False when there is no thread or it ended before taking the message.
    bool PostStartMessage(bool sleepBetweenTries);

    unsigned m_nThreadId = 0;
    // Written by the starter; read by the window thread at shut-down.
    std::atomic<HANDLE> m_hThread{nullptr};
    // The thread that started the thread, the one that closes its handle.
    std::atomic<DWORD> m_nStarterId{0};

private:
    // Ends the thread behind handle (WM_QUIT, then by force), which the
    // caller owns.
    void EndThread(HANDLE handle);
};

// Threads: thGame is started by the window thread; thPause, thRanking and
// thLoadStage by the thread that waits for them (the game thread, or the
// window thread for a stage loaded at start-up). The window thread ends them
// all at shut-down (Exit) and suspends them around the name entry.
// Each stops its thread if one still runs at exit.
struct GAMETHREADS {
    cThread thGame;
    cThread thPause;
    cThread thRanking;
    cThread thLoadStage;
};
extern GAMETHREADS Threads;
