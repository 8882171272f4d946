#pragma once
// The system settings: the game-wide choices the author made in the editor
// (title, menus and fixed texts, status bar, rules of each play mode, system
// sounds and menu music, display defaults, the "System.ini" defaults and the
// compatibility switches that keep older games behaving as they were built).
//
// Stored in "data\System.dat" as a record followed by fifteen lists. The
// object is built with the defaults of a new project (system_defaults.cpp);
// start-up reads the file over them once, after the database (Normalize needs
// the music list's length, taken from RecordContext.nBgms), and from then on
// everybody only reads SystemData. The game never writes the file.
//
// Threads: filled by start-up before the game thread starts; afterwards read
// by the game thread, the window thread (menu music) and the stage's sub-loop
// threads, and written by nobody, so it needs no lock.
#include <cstdint>
#include <string>
#include <vector>

#include "files/system_sub_records.h"
#include "records/data_record.h"

// The play modes that index every per-mode list.
enum { PLAYMODE_STORY, PLAYMODE_CHALLENGE, PLAYMODE_FREE, PLAYMODE_REPLAY, PLAYMODE_COUNT };

// Fixed sizes of the lists: a file holding fewer entries gets the defaults
// of the missing positions, since the game reads every position.
constexpr int CARRYOVER_GROUPS = 25;
constexpr int STATUS_ITEMS = 5;
#include "files/ranking_genres.h"
constexpr int SYSTEM_TEXTS = 28;
constexpr int SYSTEM_SOUNDS = 17;
constexpr int MENU_BGM_SLOTS = 4;
constexpr int INI_OPTIONS = 10;
// The largest number of challenge stages the game offers.
constexpr int MAX_CHALLENGES = 99;

class cSystemData : public cDataRecord {
public:
    // Identity and display.
    std::string m_strTitle;
    int32_t m_nFontFace = 0;          // index into the font-face names (system_defaults.h)
    int32_t m_bIconLetters = 0;
    int32_t m_bCenterGlyphs = 0;
    int32_t m_bFullColor = 0;
    uint8_t m_TransparentColor[3] = {};   // red, green, blue
    int32_t m_nD3DFullBpp = 0;
    int32_t m_nDDFullBpp = 0;
    int32_t m_nColorCycleStep = 0;
    int32_t m_bPaletteCycle = 0;
    int32_t m_bPauseHidesStage = 0;

    // Menus and texts.
    std::vector<cMenuItem> m_TitleMenu;
    int32_t m_bTitleMenuImage = 0;
    std::vector<cMenuItem> m_WorldMapMenu;
    std::vector<cMenuItem> m_OptionMenu;
    std::vector<std::string> m_RankingModeNames;
    std::vector<std::string> m_TextList;
    std::vector<cStatusItem> m_StatusItems;

    // Play rules.
    std::vector<int32_t> m_DefaultLives;
    std::vector<int32_t> m_InfiniteLives;
    std::vector<cModeSetting> m_ModeSettings;
    int32_t m_bStoryKeepLives = 0;
    int32_t m_bStoryRetryPrompt = 0;
    int32_t m_bStoryRestartCleared = 0;
    int32_t m_bChallengeRestartCleared = 0;
    int32_t m_bStoryRestoreVars = 0;
    int32_t m_bChallengeRestoreVars = 0;
    int32_t m_bFreeRestoreVars = 0;
    int32_t m_bDirectRestoreVars = 0;
    int32_t m_bExtraLifeByScore = 0;
    int32_t m_nExtraLifeScore = 0;
    int32_t m_nChallengeCount = 0;
    int32_t m_bChallengeAllOpen = 0;
    int32_t m_bReplay = 0;
    std::vector<unsigned char> m_CarryOverKeep;
    std::vector<unsigned char> m_CarryOverReset;
    int32_t m_bMapShowLives = 0;
    int32_t m_bMapShowBest = 0;
    int32_t m_bMenuShowTotal = 0;
    int32_t m_bChallengeShowBest = 0;
    int32_t m_bChallengeShowTotal = 0;

    // Sound and music.
    std::vector<std::string> m_SoundFiles;
    std::vector<int32_t> m_MenuBgm;
    std::vector<unsigned char> m_MenuBgmLoop;

    // "System.ini" keys and their defaults.
    std::vector<cIniOption> m_IniOptions;

    // Compatibility switches (1: the behaviour of older data versions).
    int32_t m_bKeepFlaggedFlows = 0;
    int32_t m_bNoScrollCarry = 0;
    int32_t m_bRescaleByHitHeight = 0;
    int32_t m_bKeepDefeatedChara = 0;
    int32_t m_bD3DCharaColor = 0;
    int32_t m_bFlowRefire = 0;
    int32_t m_bThunderNoGap = 0;
    int32_t m_bPlaceIgnoresCond = 0;
    int32_t m_bKeyOverlap = 0;
    int32_t m_bRisingLands = 0;
    int32_t m_bKeepNegativeTime = 0;
    int32_t m_bReserved696 = 0;       // stored and loaded only
    int32_t m_bLegacyStartTrigger = 0;

    // The settings of a new project.
    cSystemData();
    void RegisterFields(int version) override;
    // Reads the record and the lists the file's version holds, brings an older
    // file up to date and normalises. A damaged file (a count or string
    // running past the end, a cut) fails with a report-log line and leaves
    // every setting as it was before the load.
    bool Load(cDataReader& in) override;
    // Normalises, then writes the record and all fifteen lists.
    void Save(cDataWriter& out) override;

    // A menu music entry that names no tune of the music list becomes 0 (none).
    void Normalize();
    // The number of genres ranked in a play mode: 0 while its rankings are off.
    int CountModeGenres(int mode) const;
    // Whether genre g (0..4) is ranked in the mode: its flag alone, whatever
    // the mode's ranking switch says; a flag the list lacks is off.
    bool GenreEnabled(int mode, int genre) const;

private:
    // The defaults of a new project; called by the constructor only.
    void SetDefault();
    bool LoadLists(cDataReader& in);
    // Brings the members of a file older than DATA_VERSION up to date.
    void Upgrade(int version);
    // Keeps what the game indexes inside its bounds: lists shorter than the
    // game reads are completed with the defaults, a font face outside the
    // face list becomes the default face, the challenge count stays 0..99.
    void RepairAfterLoad();
};

// The settings of the running game. Threads: read at start-up by the window
// thread; read-only afterwards, by every thread.
extern cSystemData SystemData;

// 1 when the gauge of status item (2 HP, 3 SP) shows its low colour for value
// out of max: by percentage (a max of 0 makes any value below 0 low) or by
// points.
int IsGaugeLow(int item, int value, int max);
// The left edge of a menu window of the system texts firstText ..
// firstText + count - 1, one per row, centred on centreX; a cursor takes one
// more character column.
int GetMenuLeft(int centreX, int firstText, int count, int cursor);
// The widest of those texts in display characters.
int MenuTextWidth(int firstText, int count);
// Those texts as one text for a menu window of the 16-pixel font, each
// followed by a line break and, with a cursor, preceded by one space (the
// cursor's column); empty for a count of 0. The window is
// (MenuTextWidth + cursor) x 16 pixels wide and count x 16 high.
std::string MenuWindowText(int firstText, int count, int cursor);
