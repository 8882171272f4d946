#pragma once
// The pictures the database names: the effect animations, the sword, the
// extra character image and the picture a message shows. Each is named by
// its path relative to the game folder with forward slashes; the database
// records name them with the game's backslashes (GamePath).
#include <string>
#include <vector>

#include "tools/sample/sheets.h"

extern const char* const EFFECT_HIT_FILE;       // a star of light where a shot strikes
extern const char* const EFFECT_PUFF_FILE;      // a puff of smoke where a foe is beaten
extern const char* const EFFECT_SPARKLE_FILE;   // gold twinkles where a coin is taken
extern const char* const SWORD_LEFT_FILE;       // the sword's swing, for facing left
extern const char* const SWORD_RIGHT_FILE;      // the same swing, each cell mirrored
extern const char* const KING_SLIME_FILE;       // a crowned slime in 64-pixel cells
extern const char* const WELCOME_PICTURE_FILE;  // a postcard of the hills

// Cells of the effect pictures (32 by 32, in one row) and of the sword.
constexpr int EFFECT_CELL = 32;
constexpr int HIT_FRAMES = 4, PUFF_FRAMES = 5, SPARKLE_FRAMES = 4;
constexpr int SWORD_POSES = 3;
constexpr int KING_SLIME_FRAMES = 4;

std::vector<cPicture> DrawDatabasePictures();

// A path of the game folder as the game names it: backslashes.
std::string GamePath(const std::string& relative);
