#include "stage/draw/ranking_draw.h"

#include <algorithm>

#include "app/base/checked.h"
#include "app/base/format.h"
#include "app/base/sjis.h"
#include "app/system/system_ini.h"
#include "files/game_progress.h"
#include "files/number_text.h"
#include "files/system_data.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/surface_tables.h"

namespace {

constexpr int kCell = 16;
constexpr int SURFACE_ACCESSORY = 49;
constexpr int GENRE_LABEL_TEXT = 5, BOARD_FOOTNOTE_TEXT = 24;

void DrawIndicator(const RANKINGVIEW& view, DDSURFACEDATA* target, int x, int y)
{
    DDBlt(target, x, y, kCell, kCell, view.lpAccessory, 16, 48, 1);
}

const std::string& Label(const RANKINGVIEW& view, int genre)
{
    static const std::string none;
    return genre >= 0 && genre < 5 ? view.GenreLabels[genre] : none;
}

} // namespace

void FillRankingView(RANKINGVIEW& view, int playMode)
{
    view.lpFont = &SurfaceTables.Fonts[1];
    view.lpAccessory = &SurfaceTables.Surface[SURFACE_ACCESSORY];
    view.bEnglish = SystemIni.English;
    for (int g = 0; g < 5; ++g) view.GenreLabels[g] = CheckedAt(SystemData.m_TextList, GENRE_LABEL_TEXT + g);
    view.BoardFootnote = CheckedAt(SystemData.m_TextList, BOARD_FOOTNOTE_TEXT);
    view.nModeGenres = SystemData.CountModeGenres(playMode);
}

int cRankingSet::Draw(const RANKINGVIEW& view, DDSURFACEDATA* target, int x, int y, int genre, int highlight)
{
    return CheckedAt(m_Rankings, genre).Draw(view, target, x, y, genre, highlight);
}

int cRanking::Draw(const RANKINGVIEW& view, DDSURFACEDATA* target, int x, int y, int genre, int highlight)
{
    Font& font = *view.lpFont;
    font.DrawWindow(target, x + 1, y + 1, 270, 350);
    std::string title = FormatText(view.bEnglish ? "Ranking     %s" : "ランキング    %s", Label(view, genre).c_str());
    font.DrawText(target, x, y, title.c_str(), 1);

    int width = genre == 2 ? 8 : GetDigitCount(CheckedAt(m_Entries, 0).m_nScore);
    for (int i = 0; i < static_cast<int>(m_Entries.size()); ++i) {
        const cRankingEntry& entry = CheckedAt(m_Entries, i);
        if (!entry.m_bUsed) continue;
        int row = y + kCell * (i + 1);
        font.DrawText(target, x + 16, row, FormatText("%d", i + 1).c_str(), 0);
        font.DrawText(target, x + 64, row, entry.m_strName.c_str(), 1);
        std::string value;
        if (genre == 2) {
            FormatTime(value, entry.m_nScore);
            font.DrawText(target, x + 144, row, value.c_str(), 0);
        } else {
            // Every value ends at the same right edge.
            int column = width - (GetDigitCount(entry.m_nScore) - 1) + 8;
            font.DrawText(target, x + kCell * column, row, FormatText("%d", entry.m_nScore).c_str(), 0);
        }
    }
    if (view.nModeGenres > 1) {
        const char* text = view.BoardFootnote.c_str();
        font.DrawText(target, x + 136 - 8 * CountDisplayChars(text),
                      y + kCell + kCell * static_cast<int>(m_Entries.size()), text, 0);
    }
    if (highlight == -1) return -1;
    DrawIndicator(view, target, x, y + kCell * (highlight + 1));
    return highlight;
}

void ScorePanelGenres(int directPlay, const std::vector<int32_t>& stageRanks, const std::vector<uint8_t>& modeGenres,
                      int shown[5])
{
    for (size_t g = 0; g < 5; ++g) {
        bool stage = g < stageRanks.size() && stageRanks[g] != 0;
        bool mode = g < modeGenres.size() && modeGenres[g] != 0;
        shown[g] = stage && (directPlay || mode);
    }
}

void DrawScorePanel(const RANKINGVIEW& view, DDSURFACEDATA* target, int x, int y, const int shown[5],
                    const int positions[5])
{
    const cGameProgress& p = GameProgress;
    const int totals[5] = {p.m_nTotalScore, p.m_nTotalTimeLeft, p.m_nTotalClearTime, p.m_nTotalHp, p.m_nTotalSp};
    int rows = 0, labelWidth = 1, valueWidth = 1;
    for (int g = 0; g < 5; ++g) {
        if (!shown[g]) continue;
        ++rows;
        labelWidth = std::max(labelWidth, CountDisplayChars(Label(view, g).c_str()));
        valueWidth = std::max(valueWidth, g == 2 ? 8 : GetDigitCount(totals[g]));
    }
    if (!rows) return;
    Font& font = *view.lpFont;
    font.DrawWindow(target, x, y, kCell * (valueWidth + labelWidth + 3), kCell * rows);
    int row = y;
    for (int g = 0; g < 5; ++g) {
        if (!shown[g]) continue;
        font.DrawText(target, x + 16, row, Label(view, g).c_str(), 0);
        std::string value;
        if (g == 2) FormatTime(value, totals[g]);
        else value = FormatText("%d", totals[g]);
        font.DrawText(target, x + 32 + kCell * labelWidth, row, value.c_str(), 0);
        row += kCell;
    }
    int k = 0;
    for (int g = 0; g < 5; ++g)
        if (positions[g] != -1) DrawIndicator(view, target, x, y + kCell * k++);
}
