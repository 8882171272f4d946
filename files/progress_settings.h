#pragma once
// The system settings that the game progress and the rankings read: lives by
// play mode, the challenge count, the common-variable restore switches, the
// two carry-over tables and the ranked genres of each play mode.
//
// Held here with the settings' own member names until the system settings
// record exists; start-up then fills this object from it (or the readers take
// the settings record in its place). Written once at start-up on the game
// thread, read only afterwards.
#include <cstdint>
#include <vector>

// Rankings in one play mode: whether plays of the mode are ranked, and one
// flag per ranking genre (a list may hold fewer than five; a missing flag is off).
struct PROGRESSMODESETTING {
    int m_bRanking = 0;
    std::vector<uint8_t> m_Genres = std::vector<uint8_t>(5, 0);
};

struct PROGRESSSETTINGS {
    int m_DefaultLives[4] = {3, 3, 3, 3};
    int m_InfiniteLives[4] = {0, 0, 0, 1};
    int m_nChallengeCount = 0;
    int m_bStoryRestoreVars = 1;
    int m_bChallengeRestoreVars = 1;
    int m_bFreeRestoreVars = 1;
    int m_bDirectRestoreVars = 1;
    // By carry-over group: carried from a cleared stage into the next, and
    // forgotten after a lost life.
    std::vector<uint8_t> m_CarryOverKeep = std::vector<uint8_t>(25, 0);
    std::vector<uint8_t> m_CarryOverReset = std::vector<uint8_t>(25, 0);
    std::vector<PROGRESSMODESETTING> m_ModeSettings = std::vector<PROGRESSMODESETTING>(4);

    // 0 when the mode is not ranked, else how many of its genres are.
    int CountModeGenres(int mode) const;
    // Whether genre g (0..4) is ranked in the mode: its flag alone, whatever
    // the mode's ranking switch says.
    bool GenreEnabled(int mode, int genre) const;
};

extern PROGRESSSETTINGS ProgressSettings;
