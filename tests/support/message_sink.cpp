#include "tests/support/message_sink.h"

#include "app/base/main_window_handle.h"

MessageSink::MessageSink()
{
    m_hWnd = CreateWindowExA(0, "STATIC", "sink", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
}

MessageSink::~MessageSink()
{
    if (m_hWnd) DestroyWindow(m_hWnd);
}

int MessageSink::CountPosted(UINT message)
{
    int count = 0;
    MSG msg;
    while (PeekMessageA(&msg, m_hWnd, message, message, PM_REMOVE)) ++count;
    return count;
}

ScopedMainWindow::ScopedMainWindow() : m_previous(hMainWnd) { hMainWnd = sink.Handle(); }
ScopedMainWindow::~ScopedMainWindow() { hMainWnd = m_previous; }
