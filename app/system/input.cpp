#include "app/system/input.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "app/base/checked.h"
#include "app/base/log.h"

SHORT(WINAPI* lpReadKey)(int virtualKey) = GetAsyncKeyState;
MMRESULT(WINAPI* lpReadJoystick)(UINT joystick, JOYINFOEX* info) = joyGetPosEx;

KEYCONFIG KeyConfig;

namespace {

// Axis positions at or beyond these count as pushed.
constexpr DWORD AXIS_LOW = 10000;
constexpr DWORD AXIS_HIGH = 55535;

const int FixedButtonKeys[8] = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};

bool KeyDown(int virtualKey)
{
    return (lpReadKey(virtualKey) & 0x8000) != 0;
}

void GrowSaturating(int32_t& frames)
{
    if (frames < INT_MAX) ++frames;
}

// Key repeat on one axis: a change passes at once; a held state passes again
// once the counter has reached the delay, then every interval frames.
void RepeatAxis(int16_t& direction, int axisBits, int previous, uint32_t& counter, uint32_t delay,
                uint32_t interval)
{
    if ((direction & axisBits) == (previous & axisBits)) {
        ++counter;
        // An interval of 0 would divide by zero: it repeats every frame instead.
        bool due = counter >= delay && (interval == 0 || counter % interval == 0);
        if (!due) direction = static_cast<int16_t>(direction & ~axisBits);
    } else {
        counter = 0;
    }
}

} // namespace

int LoadKeyConfig(const char* path, KEYCONFIG& config)
{
    FILE* file = std::fopen(path, "rb");
    if (!file) return 0;
    size_t read = std::fread(&config, 1, sizeof(config), file);
    std::fclose(file);
    if (read < sizeof(config))
        ReportLog("%s : %u バイトしかありません（%u バイト必要）", path, static_cast<unsigned>(read),
                  static_cast<unsigned>(sizeof(config)));
    return 1;
}

void SetDefaultKeyConfig(KEYCONFIG& config)
{
    static const uint16_t codes[KEYCONFIG_ENTRIES] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, 'Z', 'X',
                                                      'C',     'V',      'A',   'S',     'D', 'F'};
    for (int i = 0; i < KEYCONFIG_ENTRIES; ++i) config.Entry[i] = {KEYCONFIG_DEVICE_KEYBOARD, codes[i], 0};
    config.nEntries = KEYCONFIG_ENTRIES;
    config.nJoysticks = 1;
    config.bInUse = 0;
}

int FlagsToDirection(int bits)
{
    int code = 5;
    if (bits & INPUT_LEFT) code = 4;
    else if (bits & INPUT_RIGHT) code = 6;
    if (bits & INPUT_UP) code -= 3;
    else if (bits & INPUT_DOWN) code += 3;
    return code;
}

cInput::cInput()
{
    ClearHistory();
}

bool cInput::ReadJoystick(int joystick, int retry, JOYINFOEX& info)
{
    if (joystick < 0 || joystick >= MAX_JOYSTICKS) return false;
    int32_t& ok = m_bJoyOk[joystick];
    int32_t& countdown = m_nJoyRetry[joystick];
    // A joystick that failed is tried again only after 2 x retry polls, so a
    // missing one costs one failed read now and then instead of one a frame.
    if (!ok && countdown >= 1) {
        --countdown;
        return false;
    }
    info = JOYINFOEX{};
    info.dwSize = sizeof(info);
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
    if (lpReadJoystick(static_cast<UINT>(joystick), &info) != JOYERR_NOERROR) {
        ok = 0;
        countdown = 2 * retry;
        return false;
    }
    ok = 1;
    return true;
}

bool cInput::TestAxis(const JOYINFOEX& info, int code)
{
    switch (code) {
    case 256: return info.dwXpos <= AXIS_LOW;
    case 512: return info.dwXpos >= AXIS_HIGH;
    case 1024: return info.dwYpos <= AXIS_LOW;
    case 2048: return info.dwYpos >= AXIS_HIGH;
    default: return false;
    }
}

int cInput::Poll(int joystick, int sources, int retry)
{
    if (KeyConfig.bInUse) return 0;
    bool joystickDirection = false;
    bool joystickButtons = false;
    JOYINFOEX info;
    if (ReadJoystick(joystick, retry, info) && (sources & 1)) {
        int bits = 0;
        if (info.dwXpos <= AXIS_LOW) bits = INPUT_LEFT;
        else if (info.dwXpos >= AXIS_HIGH) bits = INPUT_RIGHT;
        if (info.dwYpos <= AXIS_LOW) bits |= INPUT_UP;
        else if (info.dwYpos >= AXIS_HIGH) bits |= INPUT_DOWN;
        int buttons = 0;
        for (int i = 0; i < 8; ++i)
            if (info.dwButtons & m_JoyButtonMask[i]) buttons |= 1 << i;
        m_nNumpad = FlagsToDirection(bits);
        m_wDirection = static_cast<int16_t>(bits);
        m_wButtons = static_cast<int16_t>(buttons);
        joystickDirection = bits != 0;
        joystickButtons = buttons != 0;
    }
    if (!(sources & 2)) return 1;
    if (!joystickDirection) {
        int code = 5, bits = 0;
        if (KeyDown(VK_LEFT)) bits |= INPUT_LEFT, code -= 1;
        if (KeyDown(VK_RIGHT)) bits |= INPUT_RIGHT, code += 1;
        if (KeyDown(VK_UP)) bits |= INPUT_UP, code -= 3;
        if (KeyDown(VK_DOWN)) bits |= INPUT_DOWN, code += 3;
        m_nNumpad = code;
        m_wDirection = static_cast<int16_t>(bits);
    }
    if (!joystickButtons) {
        int buttons = 0;
        for (int i = 0; i < 8; ++i)
            if (KeyDown(FixedButtonKeys[i])) buttons |= 1 << i;
        m_wButtons = static_cast<int16_t>(buttons);
    }
    return 1;
}

int cInput::PollConfigured(int players, int retry)
{
    if (!KeyConfig.bInUse) return 0;
    // The counts come from a file: out-of-range values are held to what the record can mean.
    const int joysticks = std::clamp<int>(KeyConfig.nJoysticks, 0, MAX_JOYSTICKS);
    const int entries = std::clamp<int>(KeyConfig.nEntries, 4, KEYCONFIG_ENTRIES);
    JOYINFOEX info[MAX_JOYSTICKS];
    bool read[MAX_JOYSTICKS] = {};
    for (int j = 0; j < joysticks; ++j) read[j] = ReadJoystick(j, retry, info[j]);

    auto entryDown = [&](int index, bool button) {
        const KEYCONFIGENTRY& entry = KeyConfig.Entry[index];
        if (entry.nDevice == KEYCONFIG_DEVICE_KEYBOARD) return KeyDown(entry.wCode);
        if (entry.nDevice < 0 || entry.nDevice >= joysticks || !read[entry.nDevice]) return false;
        const JOYINFOEX& joy = info[entry.nDevice];
        if (!button && TestAxis(joy, entry.wCode)) return true;
        return (entry.wCode & joy.dwButtons) != 0;
    };

    int bits = 0, buttons = 0;
    if (entryDown(0, false)) bits |= INPUT_LEFT;
    else if (entryDown(1, false)) bits |= INPUT_RIGHT;
    if (entryDown(2, false)) bits |= INPUT_UP;
    else if (entryDown(3, false)) bits |= INPUT_DOWN;
    for (int i = 0; 4 + i < entries; ++i)
        if (entryDown(4 + i, true)) buttons |= 1 << i;
    m_nNumpad = FlagsToDirection(bits);
    m_wDirection = static_cast<int16_t>(bits);
    m_wButtons = static_cast<int16_t>(buttons);
    return 1;
}

void cInput::ClearHistory()
{
    for (auto& ring : m_History)
        for (INPUTHISTORY& entry : ring) entry = INPUTHISTORY{0, 0};
    m_nHistoryIndex[0] = m_nHistoryIndex[1] = 0;
}

void cInput::RecordHistory()
{
    const int16_t state[2] = {m_wDirection, m_wButtons};
    for (int channel = 0; channel < 2; ++channel) {
        int32_t& index = m_nHistoryIndex[channel];
        INPUTHISTORY& newest = m_History[channel][index];
        if (newest.nState == state[channel]) {
            GrowSaturating(newest.nFrames);
        } else {
            index = (index + 1) % INPUT_HISTORY_LENGTH;
            m_History[channel][index] = INPUTHISTORY{state[channel], 1};
        }
    }
}

int cInput::StateAgo(int channel, int n) const
{
    if (channel < 0 || channel > 1) return 0;
    int index = m_nHistoryIndex[channel];
    int64_t remaining = static_cast<int64_t>(n) + 1;
    for (int step = 0; step < INPUT_HISTORY_LENGTH; ++step) {
        const INPUTHISTORY& entry = m_History[channel][index];
        if (entry.nFrames >= remaining) break;
        remaining -= entry.nFrames;
        index = (index + INPUT_HISTORY_LENGTH - 1) % INPUT_HISTORY_LENGTH;
    }
    return m_History[channel][index].nState;
}

void cInput::UpdateRunLengths()
{
    AddRunFrame(m_wDirection, m_wButtons);
}

void cInput::ClearDirection()
{
    m_wDirection = 0;
    m_nNumpad = 5;
}

void cInput::ClearButtons()
{
    m_wButtons = 0;
}

void cInput::SetRepeat(unsigned delay, unsigned interval)
{
    m_nRepeatDelay = delay;
    m_nRepeatInterval = interval;
}

void cInput::InitJoyButtons()
{
    for (int i = 0; i < 8; ++i) m_JoyButtonMask[i] = static_cast<uint16_t>(1 << i);
}

void cInput::ApplyRepeat()
{
    m_wRepeatHistory = static_cast<int16_t>((m_wRepeatHistory << 4) | (m_wDirection & 15));
    const int previous = (m_wRepeatHistory >> 4) & 15;
    RepeatAxis(m_wDirection, INPUT_LEFT | INPUT_RIGHT, previous, m_nRepeatCountX, m_nRepeatDelay,
               m_nRepeatInterval);
    RepeatAxis(m_wDirection, INPUT_UP | INPUT_DOWN, previous, m_nRepeatCountY, m_nRepeatDelay,
               m_nRepeatInterval);
}

void cInput::Trigger(int mask)
{
    if (mask == 0) mask = 0xFF;
    const int down = m_wButtons & mask;
    if (m_bTriggerLatch) m_wButtons = static_cast<int16_t>(m_wButtons & ~mask);
    else if (down) m_bTriggerLatch = 1;
    if (!down) m_bTriggerLatch = 0;
}
