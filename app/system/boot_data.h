#pragma once
// The launch choices ("user_data\Boot.dat"): the drawing back end and whether
// the launch dialog is to be shown again. Read at start-up, changed and saved
// only when the player confirms the launch dialog.
#include <cstdint>

#include "records/data_record.h"

#define BOOT_DATA_PATH "user_data\\Boot.dat"

class cBootData : public cDataRecord {
public:
    cBootData()
    {
        RegisterFields(DATA_VERSION);
        Reset();
    }
    // Direct3D chosen, the dialog shown.
    void Reset()
    {
        Clear();
        m_nDrawMode = 1;
    }
    void RegisterFields(int version) override
    {
        ClearFieldTables();
        RegisterInt(&m_nDrawMode);
        RegisterInt(&m_nDontShow);
    }

    int32_t m_nDrawMode = 1;   // 1 Direct3D, 0 DirectDraw
    int32_t m_nDontShow = 0;   // 1: the launch dialog is not shown
};

// Threads: the window thread's (the launch dialog at start-up).
extern cBootData BootData;
