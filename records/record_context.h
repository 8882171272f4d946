#pragma once
// What the definition records need to know of the rest of the game while they
// are read, validated and written: the lengths of the database lists and of
// the two palettes (references outside them are repaired), the frames of each
// sword type, and whether editor-only flows are kept.
//
// The records read this one object instead of reaching for the database, the
// palettes or the start-up flags themselves, so they load and validate before
// any of those exist. Whoever owns the real lists keeps it current: start-up
// after loading the database and the system settings, the palette code after
// loading a palette. A list length of 0 means the list is empty: every
// reference into it is out of range.
#include <cstdint>
#include <vector>

class cBlockData;
class cCharaData;
class cItemData;

// The data version of this runtime, written at the head of every file it saves.
constexpr int DATA_VERSION = 708;

// The palette a definition reference names, as the palette choice bytes of
// the commands and shot records give it (0 common, 1 stage).
enum { PALETTE_COMMON = 0, PALETTE_STAGE = 1 };

// The three lists of one palette, as the definitions that name it see them.
struct cPaletteLists {
    std::vector<cBlockData>* lpBlocks = nullptr;
    std::vector<cCharaData>* lpCharas = nullptr;
    std::vector<cItemData>* lpItems = nullptr;
};

struct cRecordContext {
    // Element counts of the database lists.
    int nAnimeSets = 0;
    int nAnimes = 0;
    int nEffects = 0;
    int nCharaEffects = 0;
    int nScrEffects = 0;
    int nPictures = 0;
    int nSounds = 0;
    int nBgms = 0;
    int nCharaImages = 0;   // the character-dedicated images ("Bmp_CharaExc.dat")
    // Per sword type of the database, the durations of its frames in order;
    // the list's length is the number of sword types.
    std::vector<std::vector<int16_t>> SwordFrames;

    // Rows of the block, character and item lists of the common palette
    // [PALETTE_COMMON] and of the stage palette [PALETTE_STAGE].
    int nPaletteBlocks[2] = {};
    int nPaletteCharas[2] = {};
    int nPaletteItems[2] = {};
    // The lists of the two palettes, which inheritance copies from: the
    // common palette once start-up reads it, the stage palette of the stage
    // being read or played. A list that is not given counts as empty. Where
    // a list is given, SyncPaletteRowCounts (palette_data.h) keeps its row
    // count above in step with it.
    cPaletteLists Palettes[2];

    // 1 for a test play started by the editor: editor-only flows are kept.
    int bFromEditor = 0;
    // The system settings' flow-keep setting: non-zero keeps editor-only flows.
    int nKeepFlaggedFlows = 0;

    // The current data version: DATA_VERSION from the start (start-up sets it
    // again), so nothing writes a version-0 file by forgetting it. Clear, Save
    // and Assign register with it, and DataFileOpenWrite writes it. Written by
    // start-up on the window thread before any other thread runs.
    int nDataVersion = DATA_VERSION;
    // 1: strings have their carriage returns removed after they are read.
    // Written by start-up on the window thread before any other thread runs.
    int bStripCR = 0;
    // The stage's test of a block's conditions (the block being the block
    // map's entry), set by the stage-play screen while it exists (on the game
    // thread). Without it (no stage playing) a block's conditions count as
    // holding.
    bool (*lpBlockConditionsHold)(cBlockData& block) = nullptr;

    int SwordTypes() const { return static_cast<int>(SwordFrames.size()); }
    // Whether editor-only flows stay when flow lists are read.
    bool KeepsEditorOnlyFlows() const { return bFromEditor != 0 || nKeepFlaggedFlows != 0; }
};

// Threads: set at start-up by the window thread, and by the thread that loads
// a stage once the loader has ended (the stage palette); read by every thread
// that reads records, the stage loader among them.
extern cRecordContext RecordContext;

// Whether index names an element of a list of count elements.
inline bool IsInList(int index, int count) { return index >= 0 && index < count; }

// An index outside its list is replaced by 1 where the game points a broken
// reference at the list's first real entry, which exists only when the list
// has at least two elements; otherwise by 0.
inline int FirstEntryOr0(int count) { return count > 1 ? 1 : 0; }
