#pragma once
// A hidden message-only window that stands in for the main window in tests:
// it records what is posted to it.
#include <windows.h>

class MessageSink {
public:
    MessageSink();
    ~MessageSink();
    HWND Handle() const { return m_hWnd; }
    // Removes the posted messages of this kind from the queue and counts them.
    int CountPosted(UINT message);

private:
    HWND m_hWnd = nullptr;
};

// Makes the sink the program's main window while it lives.
class ScopedMainWindow {
public:
    ScopedMainWindow();
    ~ScopedMainWindow();
    MessageSink sink;

private:
    HWND m_previous;
};
