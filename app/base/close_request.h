#pragma once
// Asks the main window to close (a posted WM_CLOSE), so that the program shuts
// down in order at the next chance. Safe from any thread; does nothing before
// the main window exists.
void PostCloseToMainWindow();
