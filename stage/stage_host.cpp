#include "stage/stage_host.h"

#include "app/close_request.h"

namespace {

// The installed host; null: the build's default.
cStageHost* lpStageHost = nullptr;

} // namespace

int cStageHost::CountEvery(int mode, unsigned n)
{
    if (mode == 0) {
        m_nEveryCounter = 0;
        return 0;
    }
    if (mode == 2) return m_nEveryCounter == 0 ? 1 : 0;
    if (++m_nEveryCounter >= n) {
        m_nEveryCounter = 0;
        return 1;
    }
    return 0;
}

void cStageHost::RequestClose()
{
    PostCloseToMainWindow();
}

cStageHost& StageHost()
{
    return lpStageHost ? *lpStageHost : DefaultStageHost();
}

cStageHost* SetStageHost(cStageHost* host)
{
    cStageHost* before = lpStageHost;
    lpStageHost = host;
    return before;
}

#ifndef _WIN32
cStageHost& DefaultStageHost()
{
    static cStageHost host;
    return host;
}
#endif
