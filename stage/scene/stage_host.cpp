#include "stage/scene/stage_host.h"

#include "app/base/close_request.h"

namespace {

// The installed host; null: the default. Set and read on the game thread.
cStageHost* lpStageHost = nullptr;
// The program's own host, handed over before WinMain (the Windows shell's);
// null: the headless base.
cStageHost* lpProgramHost = nullptr;

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

cStageHost& DefaultStageHost()
{
    static cStageHost headless;
    return lpProgramHost ? *lpProgramHost : headless;
}

void SetProgramStageHost(cStageHost* host)
{
    lpProgramHost = host;
}
