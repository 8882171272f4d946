#pragma once
// The name entry (template 102): the three-character name of a ranking entry
// or the options' registered name. A double-byte character counts as one.
#include <string>
#include <vector>

#include "app/system/dialog.h"

constexpr int NAME_ENTRY_CHARS = 3;

class cNameDialog : public cDialog {
public:
    // name: the string the entry edits (the options' registered name while the
    // options screen asks, else the stage-play screen's ranking name); null
    // shows the dialog without an edit, and its OK changes nothing.
    // Placed at (240, 220), in window mode from the owner's top-left corner,
    // with the mouse cursor on it.
    cNameDialog(WORD resourceId, cWindow* owner, int value, WINDOWREGISTRY* registry, std::string* name);

    int WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog(WPARAM wParam, LPARAM lParam) override;

    std::vector<cEdit> m_Edits;
};

// The name entry as the window thread runs it for the game thread: the dialog
// over owner on name (see cNameDialog), built, run and deleted. 1 when the
// player confirmed.
INT_PTR RunNameEntry(cWindow& owner, std::string* name);
