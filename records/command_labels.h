#pragma once
// The command vocabulary: the kinds of character and item commands with their
// parameter counts, and the editor's names of command parameter values.
//
// The runtime reads only the parameter counts (cCommandData::Validate); the
// rest is the editor's vocabulary, kept so that every value has its name.
// Plain label tables end with an empty row.
#include <cstdint>
#include <string>
#include <vector>

// Character command kinds (the kind byte of a command whose item flag is 0).
enum {
    FLOWCMD_NONE = 0,
    FLOWCMD_WAIT,
    FLOWCMD_LINEAR_MOVE,
    FLOWCMD_GROUND_TURN_MOVE,
    FLOWCMD_CIRCLE_MOVE,
    FLOWCMD_CHARGE_MOVE,
    FLOWCMD_HOMING_MOVE,
    FLOWCMD_AVOID_OFFSCREEN_MOVE,
    FLOWCMD_CANCEL_MOVE,
    FLOWCMD_TURN,
    FLOWCMD_JUMP,
    FLOWCMD_SHOT,
    FLOWCMD_SWORD,
    FLOWCMD_SUMMON_BLOCK,
    FLOWCMD_SUMMON_CHARA,
    FLOWCMD_SUMMON_ITEM,
    FLOWCMD_FLOW_CONTROL,
    FLOWCMD_STAGE_CLEAR,
    FLOWCMD_GAME_WAIT,
    FLOWCMD_MESSAGE,
    FLOWCMD_WARP,
    FLOWCMD_SET_TARGET,
    FLOWCMD_STATUS_OP,
    FLOWCMD_STATUS_OP2,
    FLOWCMD_GET_ITEM,
    FLOWCMD_CHANGE_GRAPHIC,
    FLOWCMD_CHANGE_ANIMSET,
    FLOWCMD_PLAY_ANIM,
    FLOWCMD_PLAY_EFFECT,
    FLOWCMD_CHARA_EFFECT,
    FLOWCMD_SCREEN_EFFECT,
    FLOWCMD_SHOW_PICTURE,
    FLOWCMD_SCREEN_COLOR,
    FLOWCMD_CHANGE_BG,
    FLOWCMD_PLAY_SE,
    FLOWCMD_PLAY_BGM,
    FLOWCMD_RUN_CODE,
    FLOWCMD_COUNT  // 37
};

// Item command kinds: 0 none, 1 "フローの変更", and from 2 on the character
// commands FLOWCMD_STAGE_CLEAR .. FLOWCMD_RUN_CODE in order (item kind k is
// character kind k + ITEMCMD_TO_FLOWCMD).
enum {
    ITEMCMD_NONE = 0,
    ITEMCMD_CHANGE_FLOW = 1,
    ITEMCMD_FIRST_SHARED = 2,
    ITEMCMD_TO_FLOWCMD = FLOWCMD_STAGE_CLEAR - ITEMCMD_FIRST_SHARED,  // 15
    ITEMCMD_COUNT = FLOWCMD_COUNT - ITEMCMD_TO_FLOWCMD                 // 22
};

// One row of a command label table. The label is a plain character array so
// the table is complete before any code runs (its counts are read while
// records load).
struct CMDLABEL {
    const char* lpLabel;
    int32_t nParams;
};

extern const CMDLABEL aCommandLabel[FLOWCMD_COUNT];
extern const CMDLABEL aItemCommandLabel[ITEMCMD_COUNT];

// Names of parameter values (the row index is the value).
extern const std::vector<std::string> aFlowControlOpLabel;        // "フローの操作": start, end, pause, ...
extern const std::vector<std::string> aFlowControlTargetLabel;    // this flow, all others, by ID
extern const std::vector<std::string> aSelfTargetLabel;           // self, target
extern const std::vector<std::string> aSelfTargetSystemLabel;     // self, target, system
extern const std::vector<std::string> aHeroTargetLabel;           // hero, target
extern const std::vector<std::string> aHeroTargetSystemLabel;     // hero, target, system
extern const std::vector<std::string> aStatusOrVarLabel;          // status, variable
extern const std::vector<std::string> aOperandLabel;              // constant, random, status, variable
extern const std::vector<std::string> aVarKindLabel;              // common, stage variable
extern const std::vector<std::string> aCalcModeLabel;             // plain, % of maximum, % of current
extern const std::vector<std::string> aVanishOptionLabel;         // "ON"
extern const std::vector<std::string> aStateTestLabel;            // the tests of "ステータス条件3"
extern const std::vector<std::string> aStageClearDestLabel;       // next, by number, world clear
extern const std::vector<std::string> aClearFacingLabel;          // left, right, as at stage clear
extern const std::vector<std::string> aMessagePlaceLabel;
extern const std::vector<std::string> aMessageTimeLabel;
extern const std::vector<std::string> aTargetPickLabel;           // "ターゲットの設定": whom
extern const std::vector<std::string> aTargetRangeLabel;          // "ターゲットの設定": where
extern const std::vector<std::string> aPaletteLabel;              // common, stage palette
extern const std::vector<std::string> aCommonPaletteOnlyLabel;    // common palette
extern const std::vector<std::string> aPicturePlaceLabel;
extern const std::vector<std::string> aPictureTimeLabel;
extern const std::vector<std::string> aEffectRunLabel;            // normal, reversed, back and forth
extern const std::vector<std::string> aShowHideLabel;             // show, hide, toggle
extern const std::vector<std::string> aChangeFlowOpLabel;         // "フローの変更": add, change, delete
extern const std::vector<std::string> aChangeFlowIdLabel;         // "フローの変更": all flows, "A".."Z"

// One status of the status commands and conditions: its value range, the
// range of a change, and three switches the runtime does not use.
struct STATUSLABEL {
    std::string sLabel;
    int32_t nMin, nMax;
    int32_t nChangeMin, nChangeMax;
    int32_t nFlag[3];
};

extern const std::vector<STATUSLABEL> aCharaStatusLabel;   // 15 rows
extern const std::vector<STATUSLABEL> aSystemStatusLabel;  // 5 rows

// One state of the state command: its range and the names of its values
// (option i names the value nMin + i).
struct STATELABEL {
    std::string sLabel;
    int32_t nMin = 0, nMax = 0;
    std::vector<std::string> Options;
    int32_t nDefault = 0;
};

// Seven states, then two rows built empty.
extern const std::vector<STATELABEL> aStateLabel;
