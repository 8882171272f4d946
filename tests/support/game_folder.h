#pragma once
// A game folder for the tests that start the game: the sample game the build
// makes, laid out in the current folder as the run script lays it out.
#include <string>

// The title the system settings get when the sample's data set brings none.
extern const char TEST_GAME_TITLE[];

// Copies the build's sample game (pictures, sounds, music, "default\",
// "System.ini") into the current folder. Files of the default data set that
// the sample does not carry are written with the data classes' defaults, so
// that start-up finds a whole data set. With withData, "data\" is made as a
// copy of "default\", as an earlier start would have made it. True when
// everything is in place.
bool LayOutSampleGame(bool withData = true);
// The game title stored in the given system settings file; empty when it
// cannot be read.
std::string StoredGameTitle(const std::string& path);
