#include "app/system/thread.h"

#include <process.h>

#include <exception>
#include <memory>

#include "app/base/close_request.h"
#include "app/base/log.h"

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
    m_nStarterId = GetCurrentThreadId();
    m_hThread = reinterpret_cast<HANDLE>(handle);
    return 1;
}

void cThread::Wait()
{
    HANDLE handle = m_hThread;
    if (!handle) return;
    while (WaitForSingleObject(handle, 0) == WAIT_TIMEOUT) Sleep(1);
    if (m_hThread.exchange(nullptr)) CloseHandle(handle);
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
    HANDLE handle = m_hThread;
    if (!handle) return;
    if (m_nStarterId != 0 && m_nStarterId != GetCurrentThreadId()) {
        // The starter is waiting for this thread and closes its handle once
        // the thread has ended: this caller works on a handle of its own.
        HANDLE own = nullptr;
        if (!DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &own, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            return;  // closed meanwhile: the thread has ended
        EndThread(own);
        CloseHandle(own);
        return;
    }
    EndThread(handle);
    TraceLog("Exit D");
    if (m_hThread.exchange(nullptr)) CloseHandle(handle);
    TraceLog("Exit E");
}

void cThread::EndThread(HANDLE handle)
{
    // Resume until the suspend count is 0: a thread suspended twice must run
    // again to see WM_QUIT, or it would only ever be ended by force.
    for (int failures = 0; failures < 100;) {
        DWORD previous = ResumeThread(handle);
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
    for (int round = 0; WaitForSingleObject(handle, 0) == WAIT_TIMEOUT; ++round) {
        // Messages sent to this thread are served meanwhile: the thread may be
        // inside a call that waits for this thread's windows (a request of
        // its own, or the display's present). Ended by force there, it would
        // leave what it held (the display's lock) locked for good, and the
        // shut-down would hang on it.
        MsgWaitForMultipleObjects(1, &handle, FALSE, 1, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        PostThreadMessageA(m_nThreadId, WM_QUIT, 0, 0);
        // A thread ended inside a display call leaves the display's lock
        // held, and the shut-down then hangs on it: a thread that is only
        // slow (loading pictures on a busy machine) is given time first.
        if (round >= 199 && GetTickCount() - start >= FORCE_GRACE_MS) TerminateThread(handle, 0);
    }
}

bool cThread::PostStartMessage(bool sleepBetweenTries)
{
    HANDLE handle = m_hThread;
    if (!handle) return false;
    while (!PostThreadMessageA(m_nThreadId, WM_APP, 0, 0)) {
        if (WaitForSingleObject(handle, 0) != WAIT_TIMEOUT) return false;
        if (sleepBetweenTries) Sleep(0);
    }
    return true;
}
