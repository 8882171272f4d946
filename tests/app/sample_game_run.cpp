#include "tests/app/sample_game_run.h"

#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "files/data_path.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/ranking.h"
#include "files/replay.h"
#include "files/stage_key.h"
#include "files/system_data.h"
#include "records/palette_data.h"
#include "records/record_context.h"
#include "records/stage_data.h"
#include "tests/support/game_folder.h"

const char REPLAY_PATH[] = "user_data\\rpl4\\Meadow.rpl4_708";
const char SECOND_REPLAY_PATH[] = "user_data\\rpl4\\Second.rpl4_708";

namespace {

const char WINDOW_INI[] = "Direct3D=1\r\nWindowMode=1\r\nExit\r\n";
const char ERROR_CAPTION[] = "エラー";
const char DIALOG_CLASS[] = "#32770";
// The window class's background, shown until the first frame is presented.
const COLORREF WINDOW_BACKGROUND = RGB(192, 192, 192);

} // namespace

std::string ChallengeKey(int n)
{
    return StageKeyOf(n == 1 ? "data\\stg4\\c01-1.stg4" : "data\\stg4\\c02-1.stg4");
}

bool WriteValidUserFiles()
{
    for (const char* folder : {"user_data\\story", "user_data\\challenge", "user_data\\free", "user_data\\rpl4"})
        std::filesystem::create_directories(folder);
    cOptionData options;
    options.m_nVolume = 3;
    options.m_sRankingName = "ace";
    if (!options.SaveFile(DataPath[DATAPATH_OPTION])) return false;

    cGameProgress progress;
    progress.m_nLives = 5;
    progress.m_nTotalScore = 1234;
    progress.m_sStageKey = "c01-1";
    for (int slot : {0, 1})
        if (!progress.SaveSlot(slot)) return false;
    if (!progress.SaveFile(DataPath[DATAPATH_CHALLENGE_PROGRESS])) return false;

    cRankingSet rankings;
    rankings.m_Rankings[0].Insert("ace", 900);
    for (int n : {1, 2})
        if (!SaveRankingFile(rankings, PLAYMODE_CHALLENGE, ChallengeKey(n))) return false;

    if (!ReadCommonPalette("default\\CommonPalette.cplt4")) return false;
    cStageData stage, play;
    RegisterPalette(PALETTE_STAGE, stage.Lists());
    bool ok = stage.LoadFile("default\\stg4\\Meadow.stg4_001") != 0;
    play.AssignSettings(stage);
    cReplay replay;
    replay.m_nSeed = 77;
    for (int i = 0; i < 20; ++i) replay.RecordFrame(2, 0);
    ok = ok && SaveReplayFile(replay, REPLAY_PATH, stage, play, progress) &&
         SaveReplayFile(replay, SECOND_REPLAY_PATH, stage, play, progress);
    RegisterPalette(PALETTE_STAGE, {});
    return ok;
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH] = {};
    GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::vector<COLORREF> ClientPixels(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right, height = client.bottom;
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    if (pixels.empty()) return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const auto* row = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = row[i] & 0xFFFFFF;
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

double ShareAlike(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b)
{
    if (a.size() != b.size() || a.empty()) return 0;
    size_t alike = 0;
    for (size_t i = 0; i < a.size(); ++i) alike += a[i] == b[i];
    return static_cast<double>(alike) / static_cast<double>(a.size());
}

namespace {

// How the picture is watched. A still picture is one whose pixels stayed
// as they were for a while but for a few that move by themselves; a fade
// or a load shows none (a fade changes every pixel, a load shows one
// colour). Under load the game may not draw for a second or more, so the
// times are generous; a run that goes well never waits for them to run out.
constexpr DWORD CAPTURE_INTERVAL = 120;
// Still means: alike over this many frames the game presented, counted one
// by one (the world map's walker changes every 40 frames: a span of 48
// always holds one of its changes, which marks its pixels as moving). A
// game that presents no frame at all (not the active application, or held
// up) shows a still picture once it has held for the wall time.
constexpr int STILL_FRAMES = 48;
constexpr DWORD STILL_SPAN = 1200;
// A frame presented: the marker drawn into the window's corner painted over.
constexpr DWORD FRAME_LIMIT = 250;
constexpr COLORREF FRAME_MARKERS[] = {RGB(1, 254, 3), RGB(254, 1, 252)};
constexpr double MOVING_SHARE = 0.01;
constexpr DWORD HOLD_LIMIT = 4000;
constexpr DWORD LATE_EFFECT = 2000;
constexpr DWORD LONG_HOLD = 300;
constexpr DWORD SETTLE_LIMIT = 30000;
constexpr int PRESS_ATTEMPTS = 3;
// The stage's background fills most of the play screen; the status bar,
// the blocks and the characters cover the rest. A fade shows other
// colours. The title stands on a picture much like the first stage's, so
// the part that differs from it is smaller than the screen.
constexpr double STAGE_BACKGROUND_SHARE = 0.6;
constexpr double LEFT_PICTURE_SHARE = 0.85;

bool Drawn(const std::vector<COLORREF>& picture)
{
    if (picture.empty() || picture.front() == WINDOW_BACKGROUND) return false;
    for (COLORREF pixel : picture)
        if (pixel != picture.front()) return true;
    return false;
}

WORD KeyCode(char key)
{
    switch (key) {
    case 'U': return VK_UP;
    case 'D': return VK_DOWN;
    case 'L': return VK_LEFT;
    case 'R': return VK_RIGHT;
    default: return static_cast<WORD>(key);
    }
}

void SendKey(char key, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = KeyCode(key);
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(INPUT));
}

struct ShownQuery {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectShown(HWND hWnd, LPARAM lParam)
{
    auto* query = reinterpret_cast<ShownQuery*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    if (processId == query->processId && IsWindowVisible(hWnd)) query->windows.push_back(hWnd);
    return TRUE;
}

} // namespace

bool SampleGameRun::Start()
{
    const DWORD t0 = GetTickCount();
    struct P { DWORD t; ~P() { std::printf("T start %lu ms\n", GetTickCount() - t); } } p{t0};
    if (!m_game.Start()) return false;
    m_window = m_game.ShownWindow();
    if (!m_window) return false;
    // The window shows in the middle of start-up, and its thread serves no
    // message until start-up has ended and the game's frames run: until
    // then nothing paints the window, and the screen there may still show
    // the picture an earlier window left, which holds still and would pass
    // for the title (the keys pressed then are lost, an Escape ends the
    // game before it has read its files). A message sent to the window is
    // answered only once the window's thread serves messages again.
    const DWORD shown = GetTickCount();
    int drawnBefore = 0;
    for (;;) {
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutA(m_window, WM_NULL, 0, 0, SMTO_NORMAL, CAPTURE_INTERVAL, &ignored)) break;
        if (!Running() || GetTickCount() - shown > GAME_START_TIMEOUT) {
            ADD_FAILURE() << "start-up did not end";
            return false;
        }
        drawnBefore += Drawn(ClientPixels(m_window));
    }
    // In the log: the pictures that looked drawn are what a wait for a
    // still picture alone would have taken for the title.
    std::printf("start-up ended %lu ms after the window showed; %d pictures read meanwhile looked drawn\n",
                GetTickCount() - shown, drawnBefore);
    BringToFront();
    // The title fades in; it has done so once its picture holds still.
    return WaitStill(GAME_START_TIMEOUT);
}

std::vector<HWND> SampleGameRun::ShownWindows() const
{
    ShownQuery query{m_game.Id(), {}};
    EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&query));
    std::sort(query.windows.begin(), query.windows.end());
    return query.windows;
}

void SampleGameRun::BringToFront()
{
    // A dialog or box that has closed may leave no window active, and the
    // game plays only while its window is. A key pressed while the front
    // changes may be let go by the change, so the change comes first.
    if (GetForegroundWindow() == m_window) return;
    SetForegroundWindow(m_window);
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != m_window && GetTickCount() - start < 5000) {
        PumpFor(50);
        SetForegroundWindow(m_window);
    }
    PumpFor(200);
}

bool SampleGameRun::NextFrame()
{
    // Every frame the game presents paints its whole window, the corner
    // pixel with it: a pixel drawn there from here, in a colour it does not
    // show now, is gone once the next frame is on the screen.
    POINT corner{0, 0};
    ClientToScreen(m_window, &corner);
    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, corner.x, corner.y);
    const COLORREF marker = shown == FRAME_MARKERS[0] ? FRAME_MARKERS[1] : FRAME_MARKERS[0];
    HDC window = GetDC(m_window);
    SetPixel(window, 0, 0, marker);
    GdiFlush();
    ReleaseDC(m_window, window);
    bool presented = false;
    const DWORD start = GetTickCount();
    while (!(presented = GetPixel(screen, corner.x, corner.y) != marker) && GetTickCount() - start < FRAME_LIMIT)
        Sleep(1);
    // No frame: the corner as it was, so that no picture read later shows the marker.
    if (!presented) {
        window = GetDC(m_window);
        SetPixel(window, 0, 0, shown);
        GdiFlush();
        ReleaseDC(m_window, window);
    }
    ReleaseDC(nullptr, screen);
    return presented;
}

bool SampleGameRun::WaitStill(DWORD milliseconds)
{
    // Each picture is read just after a frame was presented (or after no
    // frame came in the time); frames counts those from the one before.
    struct Capture {
        DWORD time;
        int frames;
        std::vector<COLORREF> picture;
    };
    std::vector<Capture> span;
    // The frames presented and the time passed from span[from] to the last capture.
    auto framesSince = [&](size_t from) {
        int n = 0;
        for (size_t k = from + 1; k < span.size(); ++k) n += span[k].frames;
        return n;
    };
    auto held = [&](size_t from) {
        const int frames = framesSince(from);
        return frames >= STILL_FRAMES || (frames == 0 && span.back().time - span[from].time >= STILL_SPAN);
    };
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        const int frames = NextFrame() ? 1 : 0;
        Capture now{GetTickCount(), frames, ClientPixels(m_window)};
        if (!Drawn(now.picture) || (!span.empty() && span.front().picture.size() != now.picture.size()))
            span.clear();
        if (Drawn(now.picture)) span.push_back(std::move(now));
        while (span.size() > 2 && held(1)) span.erase(span.begin());
        if (span.size() > 2 && held(0)) {
            const size_t pixels = span.back().picture.size();
            std::vector<char> moving(pixels, 0);
            size_t count = 0;
            for (size_t k = 1; k < span.size(); ++k)
                for (size_t i = 0; i < pixels; ++i)
                    if (!moving[i] && span[k].picture[i] != span[k - 1].picture[i]) moving[i] = 1, ++count;
            if (count <= pixels * MOVING_SHARE) {
                m_still = span.back().picture;
                m_moving = std::move(moving);
                m_windows = ShownWindows();
                return true;
            }
        }
        if (!frames) PumpFor(CAPTURE_INTERVAL);
    }
    return false;
}

bool SampleGameRun::WaitStagePicture(const std::string& background, const std::vector<COLORREF>& left,
                                     DWORD milliseconds)
{
    const DWORD t0 = GetTickCount();
    struct P { DWORD t; ~P() { std::printf("T stage picture %lu ms\n", GetTickCount() - t); } } p{t0};
    const std::set<COLORREF> colours = BitmapColours(background);
    if (colours.empty()) {
        ADD_FAILURE() << background << " cannot be read";
        return false;
    }
    double inColours = 0, alike = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        const std::vector<COLORREF> now = ClientPixels(m_window);
        size_t inBackground = 0;
        for (COLORREF pixel : now) inBackground += colours.count(pixel);
        inColours = now.empty() ? 0 : static_cast<double>(inBackground) / static_cast<double>(now.size());
        alike = ShareAlike(now, left);
        if (Drawn(now) && inColours >= STAGE_BACKGROUND_SHARE && alike < LEFT_PICTURE_SHARE) return true;
        PumpFor(CAPTURE_INTERVAL);
    }
    ADD_FAILURE() << "at the end " << inColours << " of the window in the background's colours, " << alike
                  << " as the picture left";
    return false;
}

bool SampleGameRun::Acted()
{
    if (!Running() || ShownWindows() != m_windows) return true;
    const std::vector<COLORREF> now = ClientPixels(m_window);
    if (now.size() != m_still.size()) return true;
    for (size_t i = 0; i < now.size(); ++i)
        if (!m_moving[i] && now[i] != m_still[i]) return true;
    return false;
}

bool SampleGameRun::PressKey(char key)
{
    for (int attempt = 0; attempt < PRESS_ATTEMPTS; ++attempt) {
        BringToFront();
        // Measured against the picture as it is now: a box closed or a
        // dialog answered since the last key has changed it.
        if (Acted()) WaitStill(SETTLE_LIMIT);
        // The game reads the keyboard once a frame and sees a key only while
        // it is down in one of its frames; under load its frames come late,
        // so the key is held until it shows it was seen.
        SendKey(key, true);
        bool acted = false;
        DWORD start = GetTickCount();
        while (!(acted = Acted()) && GetTickCount() - start < HOLD_LIMIT) PumpFor(15);
        const DWORD held = GetTickCount() - start;
        SendKey(key, false);
        // A long hold or a second press says the machine is slow: in the
        // log, for a run that fails later.
        if (held >= LONG_HOLD) std::printf("key %c held %lu ms before it showed\n", key, held);
        // Seen in the last frame before the release, but not yet shown.
        start = GetTickCount();
        while (!acted && GetTickCount() - start < LATE_EFFECT) {
            PumpFor(CAPTURE_INTERVAL);
            acted = Acted();
        }
        if (acted) {
            // A picture that never holds still costs the whole limit: in
            // the log, with the time, for a run that ends by its time limit.
            const DWORD settling = GetTickCount();
            if (Running() && !WaitStill(SETTLE_LIMIT))
                std::printf("after key %c the picture did not hold still in %lu ms\n", key,
                            GetTickCount() - settling);
            return true;
        }
        // Whose window was in front, and whether the game still draws its
        // frames (a game that is not the active application draws none).
        HWND front = GetForegroundWindow();
        DWORD frontProcess = 0;
        GetWindowThreadProcessId(front, &frontProcess);
        const std::vector<COLORREF> before = ClientPixels(m_window);
        PumpFor(500);
        const std::vector<COLORREF> after = ClientPixels(m_window);
        const bool drawing = before != after;
        std::printf("key %c showed nothing (in front: %p of process %lu; the game's window %p of %lu; "
                    "%.4f of its picture changed in 500 ms); pressed again\n",
                    key, static_cast<void*>(front), frontProcess, static_cast<void*>(m_window), m_game.Id(),
                    1.0 - ShareAlike(before, after));
        // In front but drawing nothing: the game may not know itself the
        // active application (it plays only then). The front moved away and
        // back tells it again, as a player's click elsewhere and back would.
        if (front == m_window && !drawing) {
            std::printf("the game's window was made the front window again\n");
            SetForegroundWindow(GetDesktopWindow());
            PumpFor(200);
        }
    }
    return false;
}

bool SampleGameRun::Press(const char* keys)
{
    for (; *keys; ++keys) {
        if (*keys == '.') {
            if (!WaitStill(SETTLE_LIMIT)) std::printf("the picture did not hold still in %lu ms\n", SETTLE_LIMIT);
            continue;
        }
        const DWORD t0 = GetTickCount();
        const bool ok = PressKey(*keys);
        std::printf("T key %c %lu ms\n", *keys, GetTickCount() - t0);
        if (!ok) {
            ADD_FAILURE() << "the key " << *keys << " showed no effect in " << PRESS_ATTEMPTS << " presses";
            return false;
        }
    }
    return true;
}

void SampleGameRun::Hold(char key, DWORD milliseconds)
{
    BringToFront();
    SendKey(key, true);
    PumpFor(milliseconds);
    SendKey(key, false);
    PumpFor(CAPTURE_INTERVAL);
}

HWND SampleGameRun::WaitDialog(const char* title, DWORD milliseconds)
{
    return WaitForWindow(m_game.Id(), DIALOG_CLASS, title, milliseconds);
}

void SampleGameRun::ChooseFile(HWND dialog, const std::string& name)
{
    HWND box = GetDlgItem(dialog, cmb13);
    if (!box) box = GetDlgItem(dialog, edt1);
    ASSERT_NE(box, nullptr) << "the dialog has no file-name box";
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

std::string SampleGameRun::CloseErrorBox(DWORD milliseconds)
{
    const DWORD t0 = GetTickCount();
    struct P { DWORD t; ~P() { std::printf("T error box %lu ms\n", GetTickCount() - t); } } p{t0};
    HWND box = WaitDialog(ERROR_CAPTION, milliseconds);
    if (!box) return "";
    const std::string text = BoxText(box);
    ClickBoxButton(box, IDOK);
    // Gone before the next step looks for the next window.
    const DWORD start = GetTickCount();
    while (IsWindow(box) && GetTickCount() - start < 10000) PumpFor(20);
    return text;
}

long SampleGameRun::Quit()
{
    const DWORD t0 = GetTickCount();
    PostMessageA(m_window, WM_KEYDOWN, VK_ESCAPE, 0);
    const long code = m_game.WaitExit();
    std::printf("T quit %lu ms\n", GetTickCount() - t0);
    return code;
}

void SampleGameTest::SetUp()
{
    // Written as it happens: a run that CTest ends at its time limit shows
    // how far it came (a pipe otherwise holds the output back until exit).
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ASSERT_TRUE(m_turn.Have()) << "no turn to start the game";
    ASSERT_FALSE(MutexExists()) << "another copy of the game is running";
    ASSERT_TRUE(LayOutSampleGame());
    ASSERT_TRUE(WriteFileText("System.ini", WINDOW_INI));
    ASSERT_TRUE(WriteValidUserFiles());
}
