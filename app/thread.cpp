#include "app/thread.h"

#include <process.h>

#include <exception>
#include <memory>

#include "app/close_request.h"
#include "app/log.h"

namespace {

// How long Exit waits for a thread that was asked to quit before ending it by force.
constexpr DWORD FORCE_GRACE_MS = 5000;

struct ThreadStart {
    cThread::PROC proc;
    void* arg;
};

unsigned __stdcall GuardedThreadProc(void* p)
{
    const ThreadStart start = *std::unique_ptr<ThreadStart>(static_cast<ThreadStart*>(p));
    try {
        return start.proc(start.arg);
    } catch (const std::exception& e) {
        ReportLog("%s", e.what());
    } catch (...) {
        ReportLog("%s", "unknown exception");
    }
    PostCloseToMainWindow();
    return 0;
}

} // namespace

int cThread::Start(PROC proc, void* arg)
{
    auto start = std::make_unique<ThreadStart>(ThreadStart{proc, arg});
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(nullptr, 0, GuardedThreadProc, start.get(), 0, &id);
    if (handle == 0) {
        m_hThread = nullptr;
        return 0;
    }
    start.release(); // the new thread owns it now
    m_nThreadId = id;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    return 1;
}

void cThread::Wait()
{
    if (!m_hThread) return;
    while (WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT) Sleep(1);
    CloseHandle(m_hThread);
    m_hThread = nullptr;
}

bool cThread::Suspend()
{
    if (!m_hThread) return true;
    return SuspendThread(m_hThread) != static_cast<DWORD>(-1);
}

bool cThread::Resume()
{
    if (!m_hThread) return true;
    return ResumeThread(m_hThread) != static_cast<DWORD>(-1);
}

void cThread::Exit()
{
    if (!m_hThread) return;
    // Resume until the suspend count is 0: a thread suspended twice must run
    // again to see WM_QUIT, or it would only ever be ended by force.
    for (int failures = 0; failures < 100;) {
        DWORD previous = ResumeThread(m_hThread);
        if (previous == static_cast<DWORD>(-1)) {
            ++failures;
            Sleep(0);
            continue;
        }
        if (previous <= 1) break;
    }
    TraceLog("Exit A");
    PostThreadMessageA(m_nThreadId, WM_QUIT, 0, 0);
    TraceLog("Exit B");
    TraceLog("Exit C");
    const DWORD start = GetTickCount();
    for (int round = 0; WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT; ++round) {
        // Messages sent to this thread are served meanwhile: the thread may be
        // inside a call that waits for this thread's windows (a request of
        // its own, or the display's present). Ended by force there, it would
        // leave what it held (the display's lock) locked for good, and the
        // shut-down would hang on it.
        MsgWaitForMultipleObjects(1, &m_hThread, FALSE, 1, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        PostThreadMessageA(m_nThreadId, WM_QUIT, 0, 0);
        // A thread ended inside a display call leaves the display's lock
        // held, and the shut-down then hangs on it: a thread that is only
        // slow (loading pictures on a busy machine) is given time first.
        if (round >= 199 && GetTickCount() - start >= FORCE_GRACE_MS) TerminateThread(m_hThread, 0);
    }
    TraceLog("Exit D");
    CloseHandle(m_hThread);
    m_hThread = nullptr;
    TraceLog("Exit E");
}

bool cThread::PostStartMessage(bool sleepBetweenTries)
{
    if (!m_hThread) return false;
    while (!PostThreadMessageA(m_nThreadId, WM_APP, 0, 0)) {
        if (WaitForSingleObject(m_hThread, 0) != WAIT_TIMEOUT) return false;
        if (sleepBetweenTries) Sleep(0);
    }
    return true;
}
