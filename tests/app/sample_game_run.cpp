#include "tests/app/sample_game_run.h"

#include <dlgs.h>

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

bool SampleGameRun::Start()
{
    if (!m_game.Start()) return false;
    m_window = m_game.ShownWindow();
    if (!m_window) return false;
    SetForegroundWindow(m_window);
    // Start-up takes a few seconds before the first frame; the title has
    // faded in once its picture holds still.
    return WaitStill(GAME_START_TIMEOUT);
}

bool SampleGameRun::WaitStill(DWORD milliseconds)
{
    std::vector<COLORREF> last;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        PumpFor(300);
        std::vector<COLORREF> now = ClientPixels(m_window);
        const bool drawn = !now.empty() && now.front() != WINDOW_BACKGROUND;
        if (drawn && now == last) {
            // Reading the screen holds the game up; it then runs the frames
            // it missed at once, which would see a key held long.
            PumpFor(400);
            return true;
        }
        last = std::move(now);
    }
    return false;
}

void SampleGameRun::Press(const char* keys)
{
    // A dialog or box that has closed may leave no window active, and the
    // game plays only while it is.
    SetForegroundWindow(m_window);
    for (; *keys; ++keys) {
        if (*keys == '.') {
            WaitStill(10000);
            continue;
        }
        const char key = *keys;
        const WORD code = key == 'D' ? VK_DOWN : key == 'U' ? VK_UP : key == 'L' ? VK_LEFT
                          : key == 'R' ? VK_RIGHT : static_cast<WORD>(key);
        INPUT input[2] = {};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wVk = code;
        input[1] = input[0];
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &input[0], sizeof(INPUT));
        PumpFor(100);
        SendInput(1, &input[1], sizeof(INPUT));
        PumpFor(600);
    }
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
    PostMessageA(m_window, WM_KEYDOWN, VK_ESCAPE, 0);
    return m_game.WaitExit();
}

void SampleGameTest::SetUp()
{
    ASSERT_TRUE(m_turn.Have()) << "no turn to start the game";
    ASSERT_FALSE(MutexExists()) << "another copy of the game is running";
    ASSERT_TRUE(LayOutSampleGame());
    ASSERT_TRUE(WriteFileText("System.ini", WINDOW_INI));
    ASSERT_TRUE(WriteValidUserFiles());
}
