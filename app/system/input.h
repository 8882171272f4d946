#pragma once
// Player input: the keyboard and joysticks read once a frame, either through a
// fixed layout or through the key configuration, with the histories that the
// stage's key-input conditions read and the filters menus use (key repeat,
// one-shot buttons).
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <vector>

#include "app/system/input_runs.h"

// Direction bits; button bit i is button i + 1.
enum {
    INPUT_LEFT = 1,
    INPUT_RIGHT = 2,
    INPUT_UP = 4,
    INPUT_DOWN = 8,
};

// Joystick numbers the runtime reads: 0 to 15, as the multimedia joystick API counts them.
constexpr int MAX_JOYSTICKS = 16;

// The keyboard read. Promise: the state of one virtual key as GetAsyncKeyState
// gives it (the high bit set while the key is down); no other bit is looked at.
// GetAsyncKeyState unless a test replaces it.
extern SHORT(WINAPI* lpReadKey)(int virtualKey);

// The joystick read. Promise: joyGetPosEx's contract: the caller sets dwSize and
// dwFlags; JOYERR_NOERROR with dwXpos, dwYpos and dwButtons filled when the
// joystick answered, any other value when it cannot be read (unplugged, no
// driver), and then nothing of the info is used. joyGetPosEx unless a test
// replaces it.
extern MMRESULT(WINAPI* lpReadJoystick)(UINT joystick, JOYINFOEX* info);

// The key configuration: one raw 108-byte record in "user_data\KeyConfig.dat",
// read at start-up and never written by the runtime.
constexpr int KEYCONFIG_DEVICE_KEYBOARD = 8;
constexpr int KEYCONFIG_ENTRIES = 12;  // left, right, up, down, then buttons 1 to 8

struct KEYCONFIGENTRY {
    int32_t nDevice;   // 8 keyboard; 0, 1, 2 ... joystick number
    uint16_t wCode;    // keyboard: virtual-key code; joystick: axis code (256, 512, 1024, 2048) or button mask
    uint16_t wUnused;
};

struct KEYCONFIG {
    KEYCONFIGENTRY Entry[KEYCONFIG_ENTRIES];
    int32_t nEntries;    // 4 direction entries plus the button entries
    int32_t nJoysticks;  // joysticks 0 to nJoysticks - 1 are read on each configured poll
    int32_t bInUse;      // non-zero: the configured poll; 0: the fixed layout
};
static_assert(sizeof(KEYCONFIG) == 108, "the key configuration is stored as one 108-byte record");

// Threads: read at start-up by the window thread before the game thread
// exists; read-only afterwards, by whichever thread polls the input.
extern KEYCONFIG KeyConfig;

// Reads one record; 0 when the file cannot be opened (record untouched), else 1
// (a short file fills only its bytes, and the log says so).
int LoadKeyConfig(const char* path, KEYCONFIG& config);
// Every entry on the keyboard: the arrow keys, then Z X C V A S D F; the fixed layout in use.
void SetDefaultKeyConfig(KEYCONFIG& config);

// Numpad code of direction bits (5 neutral); left wins over right, up over down.
int FlagsToDirection(int bits);

struct INPUTHISTORY {
    int16_t nState;
    int32_t nFrames;
};

constexpr int INPUT_HISTORY_LENGTH = 32;

class cInput : public cInputRuns {
public:
    cInput();

    // Fixed layout; sources bit 1 joystick, bit 2 keyboard. 0 (nothing done)
    // while the key configuration is in use.
    int Poll(int joystick, int sources, int retry);
    // Through the key configuration; 0 (nothing done) while it is not in use.
    int PollConfigured(int players, int retry);
    static bool TestAxis(const JOYINFOEX& info, int code);

    void ClearHistory();
    void RecordHistory();
    // The state of channel 0 (directions) or 1 (buttons) n frames ago.
    int StateAgo(int channel, int n) const;
    // Adds this frame to the run-length history.
    void UpdateRunLengths();
    void ClearDirection();
    void ClearButtons();

    void SetRepeat(unsigned delay, unsigned interval);
    void InitJoyButtons();
    void ApplyRepeat();
    // One press of a masked button passes for one frame; mask 0 means all eight.
    void Trigger(int mask);

    int16_t m_wDirection = 0;
    int16_t m_wButtons = 0;
    int16_t m_wRepeatHistory = 0;  // direction bits of the last four frames, newest lowest
    INPUTHISTORY m_History[2][INPUT_HISTORY_LENGTH];
    int32_t m_nHistoryIndex[2];
    int32_t m_nNumpad = 5;
    uint32_t m_nRepeatCountX = 0;
    uint32_t m_nRepeatCountY = 0;
    uint32_t m_nRepeatDelay = 0;
    uint32_t m_nRepeatInterval = 0;
    int32_t m_bTriggerLatch = 0;
    uint16_t m_JoyButtonMask[8] = {};
    // Kept per joystick, so an unplugged one never holds up another that works.
    int32_t m_bJoyOk[MAX_JOYSTICKS] = {};
    int32_t m_nJoyRetry[MAX_JOYSTICKS] = {};

private:
    bool ReadJoystick(int joystick, int retry, JOYINFOEX& info);
};

// Threads: the game thread's; the pause loop copies it while the game thread
// waits for it.
extern std::vector<cInput> Inputs;
