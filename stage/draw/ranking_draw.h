#pragma once
// The ranking board and the end-of-play score panel, drawn with the 16-pixel
// font. What they show besides the rankings and the game progress comes in
// a RANKINGVIEW, which the screen fills from the system settings, the play
// mode and the fixed surfaces.
#include <cstdint>
#include <string>
#include <vector>

#include "files/ranking.h"

class Font;
struct DDSURFACEDATA;

struct RANKINGVIEW {
    Font* lpFont = nullptr;                // the 16-pixel font
    DDSURFACEDATA* lpAccessory = nullptr;  // "bmp\Accessory.bmp": the indicator at (16, 48)
    int bEnglish = 0;                      // English texts ("System.ini")
    std::string GenreLabels[5];            // system texts 5 to 9
    std::string BoardFootnote;             // system text 24
    int nModeGenres = 0;                   // ranked genres of the current play mode
};

// The view of the game's own rankings: the 16-pixel font, the accessory
// sheet, the genre labels and footnote of the system settings, and the
// genres that the play mode ranks.
void FillRankingView(RANKINGVIEW& view, int playMode);
// The genres a score panel shows: in direct play those the stage ranks,
// otherwise those both the stage and the play mode rank. A genre missing
// from either list is not ranked.
void ScorePanelGenres(int directPlay, const std::vector<int32_t>& stageRanks, const std::vector<uint8_t>& modeGenres,
                      int shown[5]);
// The panel of the play's ranked totals (of GameProgress) for the shown
// genres, and one indicator per genre that reached a place (positions[g] not
// -1); the k-th indicator stands in row k. Nothing when no genre is shown.
void DrawScorePanel(const RANKINGVIEW& view, DDSURFACEDATA* target, int x, int y, const int shown[5],
                    const int positions[5]);
