// The pictures of the stage-play screen's states over the play screen: the
// start, replay, clear and game-over banners, the ranking hint, the score
// panel of a ranked clear, the menus of the pause and the retry prompt, and
// the blank screen of a halted stage.
#include <string>

#include "app/base/sjis.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "gfx/blit.h"
#include "gfx/blit_effects.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/font.h"
#include "gfx/surface_tables.h"
#include "stage/draw/ranking_draw.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

namespace {

enum { SURFACE_ACCESSORY = 49, SURFACE_WORDS = 51 };
constexpr int RANKING_HINT_TEXT = 27;
constexpr int MENU_Y = 272;
constexpr int SCORE_PANEL_X = 336, SCORE_PANEL_Y = 224;

void Words(int x, int y, int w, int h, int sx, int sy)
{
    DDBlt(&Display.BackBuffer, x, y, w, h, &SurfaceTables.Surface[SURFACE_WORDS], sx, sy, 1);
}

// A number in the 32 x 32 digits of the word sheet's row at y 128.
void Digits(int x, int y, int value)
{
    const std::string text = std::to_string(value < 0 ? 0 : value);
    for (char c : text) {
        Words(x, y, 32, 32, (c - '0') * 32, 128);
        x += 32;
    }
}

std::string SystemText(int index)
{
    const auto& list = SystemData.m_TextList;
    return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<size_t>(index)] : std::string();
}

// The play's ranked totals, with a mark for every ranking it reached a
// place in.
void ScorePanel(const cStageWorld& world)
{
    const int mode = world.m_Modes.nPlayMode;
    if (mode < 0 || mode >= static_cast<int>(SystemData.m_ModeSettings.size())) return;
    RANKINGVIEW view;
    FillRankingView(view, mode);
    int shown[5];
    ScorePanelGenres(world.m_Modes.bDirectPlay, StageData.m_RankList, SystemData.m_ModeSettings[static_cast<size_t>(mode)].m_Genres,
                     shown);
    int places[5];
    for (size_t g = 0; g < 5; ++g)
        places[g] = g < world.m_RankPos.size() ? world.m_RankPos[g] : -1;
    DrawScorePanel(view, &Display.BackBuffer, SCORE_PANEL_X, SCORE_PANEL_Y, shown, places);
}

} // namespace

void DrawStagePicture(const cStageWorld& world, int picture, int value)
{
    switch (picture) {
    case STAGEPIC_REPLAY_BANNER: Words(256, 224, 128, 32, 0, 32); break;
    case STAGEPIC_STAGE_BANNER:
        Words(256, 224, 128, 32, 0, 0);
        Digits(384, 224, value);
        break;
    case STAGEPIC_START_BANNER: Words(280, 224, 80, 32, 160, 0); break;
    case STAGEPIC_CLEAR_BANNER:
        if (value >= 96) Words(256, 192, 128, 32, 0, 64);
        else DDBltStripe(&Display.BackBuffer, 256, 192, 128, 32, 4, 96 - value, &SurfaceTables.Surface[SURFACE_WORDS], 0, 64, 1, 0);
        break;
    case STAGEPIC_GAMEOVER_BANNER: Words(248, 224, 144, 32, 0, 96); break;
    case STAGEPIC_RANKING_HINT: {
        const std::string text = SystemText(RANKING_HINT_TEXT);
        SurfaceTables.Fonts[1].DrawText(&Display.BackBuffer, 320 - 8 * CountDisplayChars(text.c_str()), 456, text.c_str(), 0);
        break;
    }
    case STAGEPIC_SCORE_PANEL: ScorePanel(world); break;
    case STAGEPIC_HALT: DDFillPal(&Display.BackBuffer, 16); break;
    default: break;
    }
}

void DrawStageMenu(int firstText, int count, int cursor, int widthCount)
{
    const int left = GetMenuLeft(320, firstText, widthCount, 1);
    const std::string text = MenuWindowText(firstText, count, 1);
    SurfaceTables.Fonts[1].DrawTextWindow(&Display.BackBuffer, left, MENU_Y, (MenuTextWidth(firstText, widthCount) + 1) * 16, count * 16,
                            text.c_str(), 0);
    DDBlt(&Display.BackBuffer, left, MENU_Y + cursor * 16, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY], 64, 0, 1);
}
