#pragma once
// The dump mode of the generator: a file of a game (pictures, sounds,
// "System.ini", the common palette, stage files and the database lists) as
// readable text, for tests and for people looking into a game. Texts of the
// game (code page 932) are shown in UTF-8.
#include <string>

// The text for the file at path; a file of no kind the dump knows, or one
// that cannot be read, gives a single line saying so, and ok is false.
std::string DumpFile(const std::string& path, bool& ok);
