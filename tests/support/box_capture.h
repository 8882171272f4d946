#pragma once
// Message boxes caught instead of shown while the object lives, each as
// "caption|text".
#include <windows.h>

#include <string>
#include <vector>

#include "app/system/message_box.h"

struct BoxCapture {
    static inline std::vector<std::string> texts;
    static int Show(const char* text, const char* caption, UINT)
    {
        texts.push_back(std::string(caption) + "|" + text);
        return IDOK;
    }
    BoxCapture()
    {
        texts.clear();
        lpFullScreenMesBox = Show;
    }
    ~BoxCapture() { lpFullScreenMesBox = nullptr; }
    BoxCapture(const BoxCapture&) = delete;
    BoxCapture& operator=(const BoxCapture&) = delete;
};
