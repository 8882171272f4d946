#include "app/shell/scene.h"

SCENELINKS SceneLinks = {};

#include "app/system/log_box.h"
#include "app/base/main_window_handle.h"

void cScene::InitGuarded()
{
    try {
        Init();
    } catch (const char* text) {
        TraceLogFatal(hMainWnd, "%s", text);
    }
}

void cScene::StartIfNew(int& state)
{
    if (state != -1) return;
    InitGuarded();
    state = 0;
}
