#pragma once
// The player's files under "user_data\": the folders of the ranking files by
// play mode, the prefix of the story save slots and the challenge progress.
// These are entries 38 to 42 of the path table; until that table exists they
// are held here, and the path table's entries take their place.
inline constexpr const char* USER_STORY_FOLDER = "user_data\\story\\";
inline constexpr const char* USER_CHALLENGE_FOLDER = "user_data\\challenge\\";
inline constexpr const char* USER_FREE_FOLDER = "user_data\\free\\";
inline constexpr const char* USER_STORY_SLOT_PREFIX = "user_data\\story\\Story";
inline constexpr const char* USER_CHALLENGE_FILE = "user_data\\challenge\\Challenge.dat";
// The extension of ranking files (entry 3 of the extension table).
inline constexpr const char* RANKING_EXT = "rkg";
