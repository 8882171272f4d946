#pragma once
// Waiting in a test for something another thread does: the condition is
// polled every millisecond until it holds or the limit has passed. The limits
// are generous (a busy machine runs threads late); a test never relies on
// time passing for something to have happened, it waits for the thing.
#include <windows.h>

// True as soon as done() holds; false when it still does not after timeoutMs.
template <class F>
bool WaitUntil(F done, DWORD timeoutMs = 60000)
{
    for (const DWORD start = GetTickCount();; Sleep(1)) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return done();
    }
}
