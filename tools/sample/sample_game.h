#pragma once
// Writes the whole sample game into a folder: the pictures under "bmp/", the
// sounds under "wave/", the tune's source under "bgm/", "System.ini", and the
// game's data files under "default/", which start-up copies to "data/".
// The same run always writes the same bytes.
#include <string>

// 1 when every file was written; otherwise 0 after a line on stderr naming
// the file that failed.
int WriteSampleGame(const std::string& folder);
