#pragma once
// The benchmarks' own window: a 640 x 480 client area shown without taking
// the focus, and its messages served between frames.
#include <windows.h>

inline HWND CreateBenchWindow(const char* className)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
    const DWORD style = WS_POPUP | WS_CAPTION;
    RECT rect = {0, 0, 640, 480};
    AdjustWindowRect(&rect, style, FALSE);
    HWND hwnd = CreateWindowExA(0, className, className, style, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

inline void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}
