#pragma once
// The sample game's definitions: the blocks, characters and items of the
// common palette that every stage draws from, and the database entries they
// name.
#include "records/palette_data.h"

// Rows of the common palette.
enum { ROW_GRASS = 1, ROW_DIRT, ROW_BRICK, ROW_STONE, ROW_BOX, ROW_SPIKES, ROW_CLOUD, ROW_BLOCKS };
enum { ROW_HERO = 1, ROW_SLIME, ROW_BEETLE, ROW_LIFT, ROW_CHARAS };
enum { ROW_COIN = 1, ROW_HEART, ROW_GOAL, ROW_SIGN, ROW_ITEMS };

// Entries of the database lists the definitions refer to. Entry 0 of each
// list stands for none.
enum { ANIMESET_HERO = 1, ANIMESET_SLIME, ANIMESET_BEETLE, ANIMESETS };
enum { CHARA_IMAGE_KING_SLIME = 1, CHARA_IMAGES };
enum { SWORD_PLAIN, SWORD_TYPES };                  // sword types count from entry 0
enum { EFFECT_HIT = 1, EFFECT_PUFF, EFFECT_SPARKLE, EFFECTS };
enum { CHARA_EFFECT_DEFEAT = 1, CHARA_EFFECT_BLINK, CHARA_EFFECT_SPIN, CHARA_EFFECTS };
enum { SCREEN_EFFECT_SHAKE = 1, SCREEN_EFFECT_FLASH, SCREEN_EFFECTS };
enum { PICTURE_WELCOME = 1, PICTURES };
enum { SOUND_COIN = 1, SOUND_SHOT, SOUND_JUMP, SOUNDS };   // as ACTION_SOUND_NAMES
enum { BGM_THEME = 1, BGMS };

// Sets RecordContext to the database the sample game ships, so that the
// definitions are validated against it while they are written.
void UseSampleDatabaseCounts();

// The common palette.
cPaletteData MakeCommonPalette();

// A message sign: the item of row ROW_SIGN with its own text, and with a
// picture of the database above it unless picture is 0.
cItemData MakeSign(const cItemData& base, const std::string& text, int picture = 0);
