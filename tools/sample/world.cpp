#include "tools/sample/world.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/sample/game_palette.h"
#include "tools/sample/sheets.h"
#include "tools/sample/stages.h"

const char WORLD_BACK_FILE[] = "bmp\\WorldBack.bmp";

namespace {
// The island: '~' sea, '^' mountain, 'T' forest, 'o' rock, '.' meadow, '-'
// and '|' road, ':' sand, '=' bridge; the stages stand at 1, 2 and 3.
const char* const ISLAND[] = {
    "~~~~~~~~~~~~~~~~~~~~",
    "~~~~~~~~~~~~~~~~~~~~",
    "~~~~~~~~~~~^^^^~~~~~",
    "~~~~~~~~~TT^.^3.^~~~",
    "~~~~~~~~TT..^^|^^~~~",
    "~~~~~~~.......|.~~~~",
    "~~~~~TT...2---|.~~~~",
    "~~~~~T....|..T.o~~~~",
    "~~~~~.....|...TT~~~~",
    "~~~:......|.....~~~~",
    "~~~:.1----|....~~~~~",
    "~~~:.|.....o..~~~~~~",
    "~~~::|::::::~~~~~~~~",
    "~~~~~=~~~~~~~~~~~~~~",
    "~~~~~:~~~~~~~~~~~~~~",
};
constexpr int ISLAND_W = 20, ISLAND_H = 15;
// The screen shows 20 by 15 cells with the walker on the tenth column and the
// eighth row. The island lies far enough inside the map that wherever the
// walker stands, the screen shows map cells only, never what lies beyond.
constexpr int ISLAND_X = 6, ISLAND_Y = 4;
constexpr int MAP_W = 32, MAP_H = 26;
constexpr int CELL = 32;

char CellChar(int x, int y)
{
    const int ix = x - ISLAND_X, iy = y - ISLAND_Y;
    if (ix < 0 || iy < 0 || ix >= ISLAND_W || iy >= ISLAND_H) return '~';
    return ISLAND[iy][ix];
}

int ChipOf(char c)
{
    switch (c) {
    case '^': return MAP_CHIP_MOUNTAIN;
    case 'T': return MAP_CHIP_FOREST;
    case 'o': return MAP_CHIP_ROCK;
    case '.': return MAP_CHIP_MEADOW;
    case '-': return MAP_CHIP_ROAD_H;
    case '|': case '1': case '2': case '3': return MAP_CHIP_ROAD_V;
    case ':': return MAP_CHIP_SAND;
    case '=': return MAP_CHIP_BRIDGE;
    default: return MAP_CHIP_SEA;
    }
}

cWorldMapPoint Point(int x, int y, int stage)
{
    static const char* const NAMES[] = {"はじまりの草原", "夕暮れの洞窟", "丘の上の城"};
    static const char* const CAPTIONS[] = {"ステージ1 はじまりの草原", "ステージ2 夕暮れの洞窟", "ステージ3 丘の上の城"};
    cWorldMapPoint p;
    p.m_nX = x;
    p.m_nY = y;
    p.m_sName = NAMES[stage];
    cWorldMapStage e;
    e.m_nKind = WORLD_STAGE;
    e.m_nIcon = stage == 2 ? MAP_EVENT_CASTLE : MAP_EVENT_STAGE;
    e.m_nClearNo = stage + 1;
    e.m_bPassable = 0;
    e.m_bReplayable = 1;
    // Clearing the castle ends the story at the title.
    e.m_nOnClear = stage == 2 ? WORLD_CLEAR_TITLE : WORLD_CLEAR_NOTHING;
    e.m_sCaption = CAPTIONS[stage];
    e.m_sStageFile = std::string("data\\") + STORY_STAGE_NAMES[stage];
    p.m_Stages = {e};
    return p;
}
}  // namespace

cWorldMap MakeWorldMap()
{
    cWorldMap map;
    map.m_sName = "サニーヒルズ島";
    map.m_nBackColor = 16;
    map.m_bBackPicture = 1;
    map.m_sBackFile = WORLD_BACK_FILE;
    for (int n = 0; n < MAP_CHIPS; ++n) map.m_Chips[n].m_nPicture = n;
    map.SetSize(MAP_W, MAP_H);
    for (int y = 0; y < MAP_H; ++y) {
        for (int x = 0; x < MAP_W; ++x) {
            const char c = CellChar(x, y);
            map.m_Cells[x + (y << map.m_nShift)] = ChipOf(c);
            if (c >= '1' && c <= '3') map.m_Points.push_back(Point(x, y, c - '1'));
        }
    }
    // The walker starts on the sand at the foot of the road.
    map.m_nStartX = ISLAND_X + 5;
    map.m_nStartY = ISLAND_Y + 12;
    return map;
}

namespace {
// A small deterministic hash of a position, for the scattered waves.
uint32_t Scatter(int x, int y)
{
    uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return h ^ (h >> 15);
}

// The distance in pixels from every pixel to the nearest land cell (any cell
// that is not open sea; the bridge stands in the water), capped at `cap`.
std::vector<int> DistanceToLand(int cap)
{
    const int w = MAP_W * CELL, h = MAP_H * CELL;
    std::vector<int> d(static_cast<size_t>(w) * h, cap);
    for (int cy = 0; cy < MAP_H; ++cy) {
        for (int cx = 0; cx < MAP_W; ++cx) {
            const char c = CellChar(cx, cy);
            if (c == '~' || c == '=') continue;
            const int left = cx * CELL, top = cy * CELL;
            for (int y = std::max(0, top - cap); y < std::min(h, top + CELL + cap); ++y) {
                const int dy = y < top ? top - y : (y >= top + CELL ? y - (top + CELL - 1) : 0);
                for (int x = std::max(0, left - cap); x < std::min(w, left + CELL + cap); ++x) {
                    const int dx = x < left ? left - x : (x >= left + CELL ? x - (left + CELL - 1) : 0);
                    // Octagonal distance: close to round, in integers.
                    const int dist = std::max(dx, dy) + std::min(dx, dy) / 2;
                    int& slot = d[static_cast<size_t>(y) * w + x];
                    if (dist < slot) slot = dist;
                }
            }
        }
    }
    return d;
}
}  // namespace

cCanvas WorldBackPicture()
{
    // Shallow light water along the shore that deepens with the distance
    // from land, the bands' edges dithered; white surf on the beach, and wave
    // crests scattered over the open sea.
    const int w = MAP_W * CELL, h = MAP_H * CELL;
    constexpr int CAP = 200;
    const std::vector<int> d = DistanceToLand(CAP);
    cCanvas c(w, h);
    static const int BAND[] = {10, 40, 90, 150};  // from shallow to deep
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int dist = d[static_cast<size_t>(y) * w + x];
            // The dither moves a band's edge by up to 8 pixels, in a 4 by 4 order.
            static const int ORDER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
            const int near = dist - ORDER[y & 3][x & 3] / 2;
            int band = 0;
            while (band < 4 && near >= BAND[band]) ++band;
            c.Set(x, y, static_cast<uint8_t>(pal::WATER + 6 - band));
            // Surf: a broken white line just off the shore.
            if (dist >= 2 && dist <= 4 && ((x / 3 + y / 3 + dist) % 4) != 0) c.Set(x, y, pal::CLOUD + 6);
        }
    }
    // Wave crests: short arcs, one at most in every 24 by 16 box.
    for (int by = 0; by < h; by += 16) {
        for (int bx = 0; bx < w; bx += 24) {
            const uint32_t r = Scatter(bx, by);
            if (r % 3 == 0) continue;
            const int x = bx + static_cast<int>(r >> 4) % 14, y = by + static_cast<int>(r >> 9) % 12;
            if (x + 9 >= w) continue;
            const int dist = d[static_cast<size_t>(y) * w + x];
            if (dist < 24) continue;
            const uint8_t under = c.Get(x + 4, y + 1);
            const uint8_t crest = static_cast<uint8_t>(std::min<int>(under + 2, pal::WATER + 7));
            c.FillRect(x + 2, y, 6, 1, crest);
            c.Set(x + 1, y + 1, crest);
            c.Set(x + 8, y + 1, crest);
            c.FillRect(x + 3, y + 1, 4, 1, static_cast<uint8_t>(under > pal::WATER ? under - 1 : under));
        }
    }
    return c;
}
