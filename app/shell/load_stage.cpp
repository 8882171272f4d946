#include "app/shell/load_stage.h"

#include <windows.h>

#include "app/base/log.h"
#include "app/system/message_box.h"
#include "app/system/paths.h"
#include "app/system/thread.h"
#include "files/stage_file.h"
#include "records/palette_data.h"

int bDirectPlay = 0;

namespace {

// Serves the calling thread's messages until thLoadStage has ended. False
// when a WM_QUIT was taken meanwhile (its exit code in quitCode): the reader
// is then still let finish, since ending it by force could leave the heap
// locked or the stage half moved.
bool ServeMessagesWhileLoading(WPARAM& quitCode)
{
    bool quit = false;
    HANDLE reader = Threads.thLoadStage.m_hThread;
    for (;;) {
        MSG msg;
        while (!quit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                TraceLog("msg.message == WM_QUIT");
                quit = true;
                quitCode = msg.wParam;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // Wakes when the reader ends or a message arrives; after a WM_QUIT
        // only the reader's end counts.
        DWORD wake = quit ? WaitForSingleObject(reader, INFINITE)
                          : MsgWaitForMultipleObjects(1, &reader, FALSE, INFINITE, QS_ALLINPUT);
        if (wake == WAIT_OBJECT_0 || wake == WAIT_FAILED) return !quit;
    }
}

} // namespace

unsigned __stdcall LoadStageThread(void* arg)
{
    const std::string& path = *static_cast<const std::string*>(arg);
    // Read beside the stage in use, which a damaged file leaves untouched.
    cStageData loaded;
    if (!loaded.LoadFile(path)) return 0;
    loaded.m_sPath = path;
    loaded.m_bLoaded = 1;
    StageData = std::move(loaded);
    return 0;
}

int LoadStage(const std::string& name, bool findNewest, cStageData* out)
{
    std::string path = name;
    if (findNewest && !FindNumberedFile(path, name, "stg4")) return 0;
    ToRelativePath(path);
    if (!CheckStageFileEnd(path)) {
        ErrorBoxF("ステージファイル %s が破損しています！", path.c_str());
        return 0;
    }

    StageData.m_bLoaded = 0;
    bool quit = false;
    WPARAM quitCode = 0;
    if (Threads.thLoadStage.Start(LoadStageThread, &path)) {
        quit = !ServeMessagesWhileLoading(quitCode);
        Threads.thLoadStage.Wait();
    }
    // The stage palette that definitions inherit from and are checked
    // against is StageData's from now on.
    RegisterPalette(PALETTE_STAGE, StageData.Lists());
    if (quit) {
        // The caller's own loop ends on it.
        PostQuitMessage(static_cast<int>(quitCode));
        return 0;
    }
    if (!StageData.m_bLoaded) {
        ErrorBoxF("ステージファイル %s の読み込みに失敗しました！", path.c_str());
        return 0;
    }
    if (!StageData.HasHero()) {
        ErrorBox("主人公が配置されていないのでプレイできません！");
        return 0;
    }
    if (out) CopyPlaySettings(*out, StageData);
    return 1;
}
