#pragma once
// The sample game started as the player starts it, in a folder of its own,
// and worked as the player works it: keys pressed on the keyboard, files
// chosen in its open dialogs, its message boxes read and closed. The fixture
// of the whole-game runs; their suites are named *OnDesktop.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "tests/app/foreground_turn.h"
#include "tests/support/bitmap_colours.h"
#include "tests/support/game_process.h"
#include "tests/support/test_dir.h"

// The valid replay that the folder holds, and a second one beside it.
extern const char REPLAY_PATH[];
extern const char SECOND_REPLAY_PATH[];

// The stage key of challenge stage n (1 or 2), as the challenge list names it.
std::string ChallengeKey(int n);

// Writes one valid file of every kind the player owns, and a second one of
// the kinds that have several: options (volume 3, the name "ace"), story
// slots 1 and 2 (index 0 and 1: 5 lives, total score 1234, the stage key
// "c01-1"), the challenge file, the score rankings of both challenge stages
// and the two replays of the first story stage.
bool WriteValidUserFiles();

// The full path of a file of the game's folder, as a dialog gives it.
std::string FullPath(const std::string& path);

// The game's window as the screen shows it, one colour a pixel.
std::vector<COLORREF> ClientPixels(HWND window);
// The share (0 to 1) of pixels two pictures of the same size have alike.
double ShareAlike(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b);


class SampleGameRun {
public:
    // Starts the game, brings its window to the front and waits for the
    // title to fade in; false when no window came up or nothing was drawn.
    bool Start();
    // Presses the keys one after another: U D L R the arrows, other letters
    // their own key; '.' waits until the picture holds still. Each key is
    // held until it shows its effect (the picture changes outside what moves
    // by itself, or a window of the game opens or closes), then let go, and
    // the picture is let settle before the next key. A key that showed
    // nothing within the time is pressed again, at most three times; a key
    // that acted is never pressed twice. False, with a test failure naming
    // the key, when a key never acted.
    bool Press(const char* keys);
    // Holds the key for the time, then lets go: for a key whose only effect
    // is a sound (a refusal), which Press would take for missed.
    void Hold(char key, DWORD milliseconds);
    // Until the window shows a drawn picture that holds still but for a few
    // pixels that move by themselves (an animated walker), over a number of
    // frames the game presented; false when the time ran out first. The picture and its moving pixels become the ones
    // the next key's effect is measured against.
    bool WaitStill(DWORD milliseconds);
    // Until the stage-play screen shows: most of the window in the colours of
    // the stage's background picture, little of it as the picture it left
    // shows. False when the time ran out first.
    bool WaitStagePicture(const std::string& background, const std::vector<COLORREF>& left,
                          DWORD milliseconds);
    // The game's dialog or message box of that title once it shows; null
    // when none came within the time.
    HWND WaitDialog(const char* title, DWORD milliseconds = 20000);
    // Types the name into an open dialog's file-name box and presses its OK.
    void ChooseFile(HWND dialog, const std::string& name);
    // The text of the game's error box once it shows, which is then closed
    // with its OK; "" when none came within the time.
    std::string CloseErrorBox(DWORD milliseconds = 10000);
    bool Running() const { return m_game.Running(); }
    HWND Window() const { return m_window; }
    // The last still picture.
    const std::vector<COLORREF>& Still() const { return m_still; }
    // Escape (the game closes), then its exit code.
    long Quit();

private:
    // The game's window in front, so that the game plays and takes the keys.
    void BringToFront();
    // One key, pressed again while it showed nothing; true once it acted.
    bool PressKey(char key);
    // Until the game has presented one more frame; false when none came
    // within a quarter of a second.
    bool NextFrame();
    // The key's effect: the picture changed where it was still, or the
    // game's windows changed, or the game ended.
    bool Acted();
    std::vector<HWND> ShownWindows() const;

    GameProcess m_game;
    HWND m_window = nullptr;
    std::vector<COLORREF> m_still;
    std::vector<char> m_moving;
    std::vector<HWND> m_windows;
};

// The sample game laid out in a fresh folder with a windowed Direct3D
// display and the valid user files; no other copy of the game running.
class SampleGameTest : public ::testing::Test {
protected:
    void SetUp() override;

    ForegroundTurn m_turn;
    ScopedTestDir m_dir;
};
