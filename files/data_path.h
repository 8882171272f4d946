#pragma once
// Where every file and folder the game reads or writes by a fixed name lives,
// and the extensions joined to stage and ranking names. Paths are relative to
// the current directory, with backslashes, in code page 932. The tables are
// fixed at program start; rows that nothing reads keep their place so that
// every index stays what the data set knows it as.
constexpr int DATA_PATHS = 48;
constexpr int DATA_EXTS = 4;
constexpr int COLOR_NAMES = 11;
constexpr int WORK_FOLDERS = 22;

// The rows the game takes.
enum {
    DATAPATH_DATA = 0,                  // "data\"
    DATAPATH_DEFAULT = 1,               // "default\", the data set the game comes with
    DATAPATH_COMMON_PALETTE = 7,
    DATAPATH_WORLDMAP = 13,
    DATAPATH_ANIME_SET = 15,
    DATAPATH_ANIME = 17,
    DATAPATH_CHARA_IMAGES = 19,
    DATAPATH_SWORD_TYPE = 21,
    DATAPATH_EFFECT = 23,
    DATAPATH_CHARA_EFFECT = 25,
    DATAPATH_SCR_EFFECT = 27,
    DATAPATH_PICTURE = 29,
    DATAPATH_SOUND = 31,
    DATAPATH_BGM = 33,
    DATAPATH_SYSTEM = 35,
    DATAPATH_CHALLENGE_STAGE = 37,      // prefix of the challenge stage files
    DATAPATH_STORY_RANKING = 38,        // ranking folders by play mode 0, 1, 2
    DATAPATH_CHALLENGE_RANKING = 39,
    DATAPATH_FREE_RANKING = 40,
    DATAPATH_STORY_SLOT = 41,           // prefix of the save slots
    DATAPATH_CHALLENGE_PROGRESS = 42,
    DATAPATH_OPTION = 43,
    DATAPATH_KEYCONFIG = 45,
    DATAPATH_BOOT = 46,
    DATAPATH_WINDOW = 47,
};

enum { DATAEXT_PALETTE = 0, DATAEXT_STAGE = 1, DATAEXT_STAGE_PALETTE = 2, DATAEXT_RANKING = 3 };

extern const char* const DataPath[DATA_PATHS];
// Without the dot.
extern const char* const DataExt[DATA_EXTS];
// The colour labels of the data vocabulary; an empty entry ends the table.
extern const char* const ColorName[COLOR_NAMES];
// The folders start-up creates, in order, without a trailing backslash;
// a null entry ends the list.
extern const char* const WorkFolderList[WORK_FOLDERS + 1];
