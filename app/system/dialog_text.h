#pragma once
// Dialog-item text through standard strings.
#include <windows.h>
#include <string>

// The item's text, at most maxLength bytes (cut at a character boundary).
int GetDlgItemString(HWND hDlg, int id, std::string& text, int maxLength);
BOOL SetDlgItemString(HWND hDlg, int id, const std::string& text);
