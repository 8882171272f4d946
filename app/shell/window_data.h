#pragma once
// The main window's placement, kept in "user_data\Window.dat" between runs:
// saved when the window closes in window mode, read by start-up.
#include <cstdint>

#include "records/data_record.h"

class cWindowData : public cDataRecord {
public:
    cWindowData() { RegisterFields(DATA_VERSION); }

    // The five fields, the same at every version.
    void RegisterFields(int version) override;
    // Reads the record, then Clamp.
    bool Load(cDataReader& in) override;
    // Keeps a stored placement usable on this desktop: the position inside
    // 0 .. the full-screen area, and a size outside 100 .. the screen's size
    // replaced by the game's 640 x 480. Clamp asks the desktop for the sizes.
    void Clamp();
    void ClampTo(int fullWidth, int fullHeight, int screenWidth, int screenHeight);
    void Set(int x, int y, int width, int height, int maximized);

    int32_t m_nX = 0, m_nY = 0;            // outer window position, screen pixels
    int32_t m_nWidth = 0, m_nHeight = 0;   // client area
    int32_t m_bMaximized = 0;
};

// Threads: the window thread's (read at start-up, written at WM_CLOSE).
extern cWindowData WindowData;
extern const char WINDOW_DATA_PATH[];
