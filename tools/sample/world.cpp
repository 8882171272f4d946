#include "tools/sample/world.h"

#include <string>

#include "tools/sample/sheets.h"
#include "tools/sample/stages.h"

namespace {
// '~' sea, '^' mountain, 'T' forest, 'o' rock, '.' meadow, '-' and '|'
// road, ':' sand, '=' bridge; the stages stand at 1, 2 and 3.
const char* const MAP[] = {
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
    for (int n = 0; n < MAP_CHIPS; ++n) map.m_Chips[n].m_nPicture = n;
    const int h = static_cast<int>(sizeof MAP / sizeof MAP[0]);
    const int w = static_cast<int>(std::string(MAP[0]).size());
    map.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const char c = MAP[y][x];
            map.m_Cells[x + (y << map.m_nShift)] = ChipOf(c);
            if (c >= '1' && c <= '3') map.m_Points.push_back(Point(x, y, c - '1'));
        }
    }
    // The walker starts on the sand at the foot of the road.
    map.m_nStartX = 5;
    map.m_nStartY = 12;
    return map;
}
