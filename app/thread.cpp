#include "app/thread.h"

#include <process.h>

#include <exception>

#include "app/close_request.h"
#include "app/log.h"

namespace {

struct ThreadStart {
    cThread::PROC proc;
    void* arg;
};

unsigned __stdcall GuardedThreadProc(void* p)
{
    ThreadStart start = *static_cast<ThreadStart*>(p);
    delete static_cast<ThreadStart*>(p);
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
    auto* start = new ThreadStart{proc, arg};
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(nullptr, 0, GuardedThreadProc, start, 0, &id);
    if (handle == 0) {
        delete start;
        m_hThread = nullptr;
        return 0;
    }
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
    for (int round = 0; WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT; ++round) {
        Sleep(1);
        PostThreadMessageA(m_nThreadId, WM_QUIT, 0, 0);
        if (round >= 199) TerminateThread(m_hThread, 0);
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
