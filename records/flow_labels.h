#pragma once
// The flow vocabulary: trigger numbers with their names, and the editor's
// names of flow IDs, flag letters and key-condition values. Tables of texts
// ending with an empty row.
#include <string>
#include <vector>

// Triggers (the trigger byte of a flow). Which event fires which is the
// stage's; a value outside these matches no event.
enum {
    TRIGGER_ALWAYS = 0,
    TRIGGER_DAMAGED,
    TRIGGER_IMPACTED,
    TRIGGER_DIED,
    TRIGGER_HIT_CHARA,
    TRIGGER_HIT_BLOCK_CHARA,
    TRIGGER_ON_BLOCK_CHARA,
    TRIGGER_HIT_SHOT,
    TRIGGER_HIT_ITEM,
    TRIGGER_HIT_BLOCK,
    TRIGGER_BLOCK_LEFT_RIGHT,
    TRIGGER_BLOCK_LEFT,
    TRIGGER_BLOCK_RIGHT,
    TRIGGER_BLOCK_ABOVE_BELOW,
    TRIGGER_BLOCK_ABOVE,
    TRIGGER_BLOCK_BELOW,
    TRIGGER_RIDDEN_BY_HERO,
    TRIGGER_RIDDEN_BY_CHARA,
    TRIGGER_BEFORE_STAGE_START,
    TRIGGER_NONE,  // started only by "フローの操作"
    TRIGGER_COUNT
};

extern const std::vector<std::string> aTriggerLabel;     // triggers 0..19
extern const std::vector<std::string> aFlowIdLabel;      // "-", "A".."Z"
extern const std::vector<std::string> aFlagLetterLabel;  // "-", "a".."z"
extern const std::vector<std::string> aKeyMarkLabel;     // not part, pressed, released
extern const std::vector<std::string> aKeyModeLabel;     // all, any, exactly one
