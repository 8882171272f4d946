#include "tools/sample/stages.h"

#include <algorithm>

#include "tools/sample/definitions.h"

const char* const STORY_STAGE_NAMES[3] = {"stg4\\Meadow.stg4", "stg4\\Caves.stg4", "stg4\\Castle.stg4"};

namespace {
// Map legend: '#' ground (grass on top, earth below), 'b' brick, 's' stone,
// '?' coin box, '^' spikes, '~' cloud, 'o' coin, 'h' heart, 'G' goal,
// 'i' sign (its text comes from the stage's list), 'P' hero, 'S' slime,
// 'B' beetle, 'L' lift; anything else is empty.
const char WELCOME_STAGE[] = "Meadow.stg4_001";

struct cMapStage {
    const char* sName;          // file name under "default/stg4/"
    const char* sBackground;    // image of the back layer
    int nTime;                  // time limit
    std::vector<std::string> Signs;
    std::vector<const char*> Rows;
};

const cMapStage STAGES[] = {
    {"Meadow.stg4_000", "bmp\\back\\Hills.bmp", 300, {"まだ工事中です。"},
     {
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         " P  i                              G    ",
         "########################################",
         "########################################",
         "########################################",
     }},
    {"Meadow.stg4_001", "bmp\\back\\Hills.bmp", 300,
     {"ようこそ！\n左右キーで歩き、ボタン1でジャンプ、\nボタン2でショットを撃ちます。", "旗に触ればクリアです！"},
     {
         "                                                            ",
         "                                                            ",
         "                                                            ",
         "                                    ~~~                     ",
         "                                                            ",
         "                          o o o                o o          ",
         "              ?b?b      ~~~~~~~              bbbbb          ",
         "                                                            ",
         "                                     oo                     ",
         "         o o          h             ssss                    ",
         "                    bbbbb                           i       ",
         " P  i         S            S    ss        B     ss       G  ",
         "###################  ###########^^##########################",
         "###################   ######################################",
         "###################   ######################################",
     }},
    {"Caves.stg4_000", "bmp\\back\\Dusk.bmp", 300, {"足元のトゲに注意！"},
     {
         "ssssssssssssssssssssssssssssssssssssssssssssssssssssssssssss",
         "s                                                          s",
         "s                                                          s",
         "s                      o o o                               s",
         "s                     sssssss          o o o               s",
         "s            ?                        bbbbbbb              s",
         "s                                                     h    s",
         "s                   B                                sss   s",
         "s       o o       ssssss                                   s",
         "s      sssss                                B              s",
         "s                                        sssssss           s",
         "s P i        S           B  LL                  S    B   G s",
         "sssssssss^^^sssssssssssssss^^^^^^^^^^^ssssssssssssssssssssss",
         "ssssssssssssssssssssssssssssssssssssssssssssssssssssssssssss",
         "ssssssssssssssssssssssssssssssssssssssssssssssssssssssssssss",
     }},
    {"Castle.stg4_000", "bmp\\back\\Dusk.bmp", 400, {"城のてっぺんに旗があります。"},
     {
         "                                                            ",
         "                                                     G      ",
         "                                                  bbbbbbb   ",
         "                                          o o o             ",
         "                                  h      bbbbbbb            ",
         "                               bbbbb                        ",
         "                        o o         bbb                     ",
         "                   B   bbbbbb          B                    ",
         "              bbbbbbb            bbbbbbbbbb                 ",
         "         o o                                                ",
         "  i     bbbbbb          S                 S                 ",
         " P              S     bbbbbb      S       bbbb              ",
         "####################^^^^^^^^^^^^##############^^^^^^^^^^####",
         "############################################################",
         "############################################################",
     }},
    {"c01-1.stg4_000", "bmp\\back\\Hills.bmp", 120, {"時間内にゴールへ！"},
     {
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                   o o o                ",
         "                  bbbbbbb               ",
         "          o o                           ",
         "         bbbbb            S        o    ",
         "                                 bbb    ",
         " P  i       S          B             G  ",
         "######^^^###########^^^#################",
         "########################################",
         "########################################",
     }},
    {"c02-1.stg4_000", "bmp\\back\\Dusk.bmp", 90, {"雲をつたって進め！"},
     {
         "                                        ",
         "                                        ",
         "                                        ",
         "                                        ",
         "                               o o   G  ",
         "                              ~~~~~~~~~ ",
         "                     o o   ~~~          ",
         "                    ~~~~~               ",
         "           o o ~~~~                     ",
         "        ~~~~                            ",
         "                                        ",
         " P  i                                   ",
         "######^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^",
         "########################################",
         "########################################",
     }},
};

template <class T>
T PlacedCopy(const std::vector<T>& rows, int row, int x, int y)
{
    // The placed object follows its row of the common palette in everything.
    T t = rows[row];
    t.m_cInheritSource = 1;
    t.m_sInheritIndex = static_cast<int16_t>(row);
    std::fill(t.m_InheritFlags.begin(), t.m_InheritFlags.end(), 1);
    t.m_sCellX = static_cast<int16_t>(x);
    t.m_sCellY = static_cast<int16_t>(y);
    return t;
}

cStageData BuildStage(const cMapStage& m, const cPaletteData& common)
{
    cStageData s;
    const int h = static_cast<int>(m.Rows.size());
    int w = 0;
    for (const char* row : m.Rows) w = std::max(w, static_cast<int>(std::string(row).size()));
    s.m_nWidth = w;
    s.m_nHeight = h;
    // Objects may roam the whole grid, margins included: the outer limit of
    // each axis (this value + 640) is the grid's far edge.
    s.m_nObjectLimitX = (w + 20) * 32 - 640;
    s.m_nObjectLimitY = (h + 20) * 32 - 640;
    s.m_bTimeLimit = 1;
    s.m_nTimeLimit = m.nTime;
    s.m_nBgm = BGM_THEME;
    s.m_bBgmLoop = 1;
    s.m_bBgmKeep = 1;
    s.m_bStartBanner1 = 1;
    s.m_Backgrounds[0].m_bFill = 0;
    s.m_Backgrounds[0].m_sImage = m.sBackground;
    // The signs take the stage's texts from left to right, the way the hero
    // meets them (the map is read row by row, top first).
    auto signIndex = [&m, h](int sx, int sy) {
        size_t before = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < static_cast<int>(std::string(m.Rows[y]).size()); ++x)
                if (m.Rows[y][x] == 'i' && (x < sx || (x == sx && y < sy))) ++before;
        return before;
    };
    for (int y = 0; y < h; ++y) {
        const std::string row = m.Rows[y];
        for (int x = 0; x < w && x < static_cast<int>(row.size()); ++x) {
            const char c = row[x];
            auto block = [&](int r) { s.m_PlacedBlocks.push_back(PlacedCopy(common.m_Blocks, r, x, y)); };
            auto chara = [&](int r) { s.m_PlacedCharas.push_back(PlacedCopy(common.m_Charas, r, x, y)); };
            auto item = [&](int r) { s.m_PlacedItems.push_back(PlacedCopy(common.m_Items, r, x, y)); };
            switch (c) {
            case '#': block(y > 0 && std::string(m.Rows[y - 1]).substr(x, 1) == "#" ? ROW_DIRT : ROW_GRASS); break;
            case 'b': block(ROW_BRICK); break;
            case 's': block(ROW_STONE); break;
            case '?': block(ROW_BOX); break;
            case '^': block(ROW_SPIKES); break;
            case '~': block(ROW_CLOUD); break;
            case 'o': item(ROW_COIN); break;
            case 'h': item(ROW_HEART); break;
            case 'G': item(ROW_GOAL); break;
            case 'i': {
                cItemData placed = PlacedCopy(common.m_Items, ROW_SIGN, x, y);
                // The sign's text is its own: its command group is not inherited.
                std::fill(placed.m_InheritFlags.begin(), placed.m_InheritFlags.end(), 0);
                // The first sign of the story's opening stage also shows the
                // welcome picture.
                const size_t sign = signIndex(x, y);
                const int picture = std::string(m.sName) == WELCOME_STAGE && sign == 0 ? PICTURE_WELCOME : 0;
                s.m_PlacedItems.push_back(MakeSign(placed, m.Signs[sign < m.Signs.size() ? sign : 0], picture));
                break;
            }
            case 'P': chara(ROW_HERO); break;
            case 'S': chara(ROW_SLIME); break;
            case 'B': chara(ROW_BEETLE); break;
            case 'L': chara(ROW_LIFT); break;
            default: break;
            }
        }
    }
    return s;
}
}  // namespace

std::vector<cStageFile> MakeStages(const cPaletteData& common)
{
    std::vector<cStageFile> out;
    for (const cMapStage& m : STAGES) out.push_back({std::string("default/stg4/") + m.sName, BuildStage(m, common)});
    return out;
}
