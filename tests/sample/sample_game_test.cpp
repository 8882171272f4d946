// The sample game as the game reads it: every file there, every file loading
// through the game's own readers with nothing repaired, the same bytes on
// every run.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "files/game_progress.h"
#include "files/ranking.h"
#include "files/stage_file.h"
#include "files/world_map.h"
#include "records/anime_data.h"
#include "records/palette_data.h"
#include "records/record_list.h"
#include "tests/sample/sample_folder.h"
#include "tests/support/test_dir.h"
#include "tools/sample/definitions.h"
#include "tools/sample/dump.h"

namespace {
uint32_t U32(const std::vector<unsigned char>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t U16(const std::vector<unsigned char>& b, size_t at) { return b[at] | b[at + 1] << 8; }

// Loads a record file through the record's own reader, writes it again and
// gives the bytes written: the same bytes as the file means that the reader
// took every value as it stood and repaired no reference.
template <class T>
std::vector<unsigned char> Reloaded(const cSampleFolder& folder, const std::string& file, T& record)
{
    EXPECT_EQ(record.LoadFile(folder.Path(file)), 1) << file;
    const std::string again = folder.Path(file + ".again");
    EXPECT_EQ(record.SaveFile(again), 1) << file;
    return ReadFileBytes(again);
}

// An 8-bit picture of the folder, read as the rows of its file.
struct Bmp8 {
    std::vector<unsigned char> bytes;
    int w = 0, h = 0;
    explicit Bmp8(const std::string& path) : bytes(ReadFileBytes(path))
    {
        if (bytes.size() < 1078) return;
        w = static_cast<int>(U32(bytes, 18));
        h = static_cast<int>(U32(bytes, 22));
    }
    int At(int x, int y) const { return bytes[1078 + static_cast<size_t>((w + 3) / 4 * 4) * (h - 1 - y) + x]; }
    // Whether the 16 by 16 cells at (x, y) and at (ox, oy) of other hold the same picture.
    bool SameCell(int x, int y, const Bmp8& other, int ox, int oy) const
    {
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < 16; ++i)
                if (At(x + i, y + j) != other.At(ox + i, oy + j)) return false;
        return true;
    }
};

class SampleGameTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(folder.Write(), 1); }
    cSampleFolder folder;
};
}  // namespace

TEST_F(SampleGameTest, TwoRunsWriteTheSameFilesByteForByte)
{
    cSampleFolder second;
    ASSERT_EQ(second.Write(), 1);
    const std::vector<std::string> files = folder.Files();
    ASSERT_EQ(files, second.Files());
    for (const std::string& f : files) EXPECT_EQ(ReadFileBytes(folder.Path(f)), ReadFileBytes(second.Path(f))) << f;
}

TEST_F(SampleGameTest, EveryFixedPictureOfTheGameIsThereAtAtLeastTheSizeTheGameCutsFrom)
{
    // The pictures the game loads by fixed name, and the smallest size each
    // must have for the cells the game takes from it.
    struct Row {
        const char* file;
        int minWidth, minHeight;
    } rows[] = {
        {"bmp/plt/Palette.bmp", 1, 1},   {"bmp/Debug.bmp", 1, 1},         {"bmp/Block.bmp", 32, 480},
        {"bmp/Character1.bmp", 640, 480}, {"bmp/Shot.bmp", 64, 480},      {"bmp/Item.bmp", 64, 480},
        {"bmp/Item_Mini.bmp", 32, 240},  {"bmp/Mark.bmp", 256, 480},     {"bmp/Window.bmp", 640, 480},
        {"bmp/StatusWindow.bmp", 640, 20}, {"bmp/Title.bmp", 640, 480},  {"bmp/GameMode.bmp", 32, 224},
        {"bmp/Accessory.bmp", 128, 176}, {"bmp/Symbol.bmp", 416, 16},   {"bmp/Word.bmp", 320, 192},
        {"bmp/WorldMapChip.bmp", 160, 64}, {"bmp/WorldEvent.bmp", 64, 64}, {"bmp/WorldBack.bmp", 640, 480},
    };
    const std::vector<unsigned char> palette = ReadFileBytes(folder.Path("bmp/plt/Palette.bmp"));
    ASSERT_GE(palette.size(), 54u + 1024u);
    for (const Row& r : rows) {
        const std::vector<unsigned char> b = ReadFileBytes(folder.Path(r.file));
        ASSERT_GE(b.size(), 54u + 1024u) << r.file;
        EXPECT_EQ(b[0], 'B') << r.file;
        EXPECT_EQ(U32(b, 2), b.size()) << r.file;
        EXPECT_EQ(U16(b, 28), 8u) << r.file;
        EXPECT_EQ(U32(b, 30), 0u) << r.file;  // uncompressed
        const int w = static_cast<int>(U32(b, 18)), h = static_cast<int>(U32(b, 22));
        EXPECT_GE(w, r.minWidth) << r.file;
        EXPECT_GE(h, r.minHeight) << r.file;
        EXPECT_EQ(b.size(), 1078u + ((static_cast<size_t>(w) + 3) / 4 * 4) * h) << r.file;
        // One palette for every picture.
        EXPECT_EQ(0, std::memcmp(b.data() + 54, palette.data() + 54, 1024)) << r.file;
    }
}

// The status bar's icons (the accessory picture's row at y 32) are five
// different pictures, and the stage score's is none of the items: a coin
// there would read as the coins picked up.
TEST_F(SampleGameTest, TheStageScoreHasAnIconOfItsOwn)
{
    const Bmp8 accessory(folder.Path("bmp/Accessory.bmp")), items(folder.Path("bmp/Item_Mini.bmp"));
    ASSERT_GE(accessory.w, 80);
    ASSERT_GE(items.h, 16);
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b) EXPECT_FALSE(accessory.SameCell(16 * a, 32, accessory, 16 * b, 32)) << a << b;
    // The small items: 16 by 16, fifteen to a column.
    for (int x = 0; x + 16 <= items.w; x += 32)
        for (int y = 0; y + 16 <= items.h; y += 16)
            EXPECT_FALSE(accessory.SameCell(16, 32, items, x, y)) << "the item at " << x << ", " << y;
}

// The continue list opens over the title picture in a window of ten rows
// from (152, 160), 320 by 160 with its frame around it: there the title
// picture holds only its sky and hills (the stages' background picture),
// none of the title's words.
TEST_F(SampleGameTest, TheTitlesWordsStandClearOfTheSaveSlotList)
{
    const Bmp8 title(folder.Path("bmp/Title.bmp")), sky(folder.Path("bmp/back/Hills.bmp"));
    ASSERT_EQ(title.w, 640);
    ASSERT_EQ(sky.w, 640);
    int differ = 0;
    for (int y = 150; y < 330; ++y)
        for (int x = 142; x < 482; ++x) differ += title.At(x, y) != sky.At(x, y);
    EXPECT_EQ(differ, 0);
}

// Each cell the game cuts from the accessory picture holds a picture: a cell
// left transparent shows nothing where the game draws it (the challenge
// list's cleared mark was one).
TEST_F(SampleGameTest, EveryCellTheGameCutsFromTheAccessoryPictureHoldsAPicture)
{
    const std::vector<unsigned char> b = ReadFileBytes(folder.Path("bmp/Accessory.bmp"));
    ASSERT_GE(b.size(), 1078u);
    const int w = static_cast<int>(U32(b, 18)), h = static_cast<int>(U32(b, 22));
    struct Cell {
        const char* what;
        int x, y, size;
    } cells[] = {
        {"menu cursor", 0, 0, 32},          {"list cursor", 64, 0, 16},       {"second list cursor", 80, 0, 16},
        {"cleared challenge", 96, 0, 32},   {"first status icon", 0, 32, 16}, {"last status icon", 64, 32, 16},
        {"item pop-up icon", 0, 48, 16},    {"ranking indicator", 16, 48, 16},
        {"walker down", 0, 64, 32},         {"walker down, step", 32, 64, 32}, {"walker up", 64, 64, 32},
        {"walker up, step", 96, 64, 32},    {"walker right", 0, 96, 32},      {"walker right, step", 32, 96, 32},
        {"walker left", 64, 96, 32},        {"walker left, step", 96, 96, 32},
        {"first gauge frame", 0, 128, 16},  {"second gauge frame", 64, 128, 16},
    };
    for (const Cell& c : cells) {
        ASSERT_LE(c.x + c.size, w) << c.what;
        ASSERT_LE(c.y + c.size, h) << c.what;
        int drawn = 0;
        for (int y = c.y; y < c.y + c.size; ++y)
            for (int x = c.x; x < c.x + c.size; ++x) drawn += b[1078 + static_cast<size_t>((w + 3) / 4 * 4) * (h - 1 - y) + x] != 0;
        EXPECT_GT(drawn, c.size * c.size / 16) << c.what;
    }
}

TEST_F(SampleGameTest, ThePalettePictureStartsWithTheTransparentColourAndHoldsTheColourGrid)
{
    // Its top-left pixel (the last row stored, first byte) is entry 0, and
    // entry 0 is the magenta no picture uses as a colour.
    const std::vector<unsigned char> b = ReadFileBytes(folder.Path("bmp/plt/Palette.bmp"));
    const uint32_t w = U32(b, 18), h = U32(b, 22);
    auto pixel = [&](uint32_t x, uint32_t y) { return b[1078 + (w + 3) / 4 * 4 * (h - 1 - y) + x]; };
    EXPECT_EQ(pixel(0, 0), 0);
    // At 16 bits and more the colours are read from the pixels of rows 8 to
    // 23, one per entry: they must be the colour table's own.
    for (uint32_t i = 0; i < 256; ++i) EXPECT_EQ(pixel(i % 16, 8 + i / 16), i) << "entry " << i;
    EXPECT_EQ(b[54], 255);  // blue
    EXPECT_EQ(b[55], 0);    // green
    EXPECT_EQ(b[56], 255);  // red
}

TEST_F(SampleGameTest, TheSeventeenSystemSoundsAndTheActionSoundsArePlainPcmAtTheGamesRate)
{
    const char* sounds[] = {"Cursor", "Decide", "Cancel", "Buzzer", "Pause", "Save", "Ranking", "Damage", "Miss",
                            "Defeat", "Bounce", "MessageOpen", "MessageClose", "TimeWarning", "Goal", "OneUp", "NameEntry",
                            "Coin", "Shot", "Jump"};
    for (const char* s : sounds) {
        const std::vector<unsigned char> b = ReadFileBytes(folder.Path(std::string("wave/") + s + ".wav"));
        ASSERT_GE(b.size(), 46u) << s;
        EXPECT_EQ(0, std::memcmp(b.data(), "RIFF", 4)) << s;
        EXPECT_EQ(U32(b, 4), b.size() - 8) << s;
        EXPECT_EQ(U16(b, 20), 1u) << s;      // PCM
        EXPECT_EQ(U16(b, 22), 1u) << s;      // mono
        EXPECT_EQ(U32(b, 24), 22050u) << s;
        EXPECT_EQ(U16(b, 34), 8u) << s;
        EXPECT_EQ(0, std::memcmp(b.data() + 36, "data", 4)) << s;
        EXPECT_EQ(U32(b, 40) + (U32(b, 40) & 1), b.size() - 44) << s;
        EXPECT_GT(U32(b, 40), 500u) << s;   // audible
    }
}

TEST_F(SampleGameTest, TheCommonPaletteLoadsAsTheGameReadsItAndWritesBackUnchanged)
{
    UseSampleDatabaseCounts();
    ASSERT_EQ(ReadCommonPalette(folder.Path("default/CommonPalette.cplt4")), 1);
    EXPECT_EQ(CommonPalette.m_Blocks.size(), static_cast<size_t>(ROW_BLOCKS));
    EXPECT_EQ(CommonPalette.m_Charas.size(), static_cast<size_t>(ROW_CHARAS));
    EXPECT_EQ(CommonPalette.m_Items.size(), static_cast<size_t>(ROW_ITEMS));
    EXPECT_EQ(CommonPalette.m_Charas[ROW_HERO].m_cControl, CHARA_PLAYER);
    // What play needs of the rows: the hero on a hit layer of its own (objects
    // of one layer never meet), no character carrying a placed item, and no
    // item of graphic 0, which is no item: taking it does nothing.
    for (size_t r = 1; r < CommonPalette.m_Charas.size(); ++r) {
        EXPECT_EQ(CommonPalette.m_Charas[r].m_nItemLink, -1) << r;
        if (r != ROW_HERO) {
            EXPECT_NE(CommonPalette.m_Charas[r].m_cPass, CommonPalette.m_Charas[ROW_HERO].m_cPass) << r;
        }
    }
    for (size_t r = 1; r < CommonPalette.m_Items.size(); ++r) EXPECT_NE(CommonPalette.m_Items[r].m_sGraphic, 0) << r;
    cPaletteData copy;
    EXPECT_EQ(Reloaded(folder, "default/CommonPalette.cplt4", copy), ReadFileBytes(folder.Path("default/CommonPalette.cplt4")));
}

TEST_F(SampleGameTest, EveryStageLoadsWithAHeroEveryObjectInsideAndNothingRepaired)
{
    const char* stages[] = {"default/stg4/Meadow.stg4_000", "default/stg4/Meadow.stg4_001", "default/stg4/Caves.stg4_000",
                            "default/stg4/Castle.stg4_000", "default/stg4/c01-1.stg4_000", "default/stg4/c02-1.stg4_000"};
    UseSampleDatabaseCounts();
    RecordContext.nDataVersion = DATA_VERSION;
    ASSERT_EQ(ReadCommonPalette(folder.Path("default/CommonPalette.cplt4")), 1);
    for (const char* file : stages) {
        EXPECT_TRUE(CheckStageFileEnd(folder.Path(file))) << file;
        cStageData stage;
        RegisterPalette(PALETTE_STAGE, stage.Lists());
        const std::vector<unsigned char> again = Reloaded(folder, file, stage);
        EXPECT_EQ(again, ReadFileBytes(folder.Path(file))) << file;
        EXPECT_NE(stage.FindHero(), -1) << file;
        EXPECT_EQ(stage.m_nHeight, 15) << file;
        auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < stage.m_nWidth && y < stage.m_nHeight; };
        for (const cBlockData& b : stage.m_PlacedBlocks) {
            EXPECT_TRUE(inside(b.m_sCellX, b.m_sCellY)) << file;
            EXPECT_TRUE(IsInList(b.m_sInheritIndex, ROW_BLOCKS)) << file;
        }
        for (const cCharaData& c : stage.m_PlacedCharas) {
            EXPECT_TRUE(inside(c.m_sCellX, c.m_sCellY)) << file;
            EXPECT_TRUE(IsInList(c.m_sAnimeSet, ANIMESETS)) << file;
        }
        for (const cItemData& i : stage.m_PlacedItems) EXPECT_TRUE(inside(i.m_sCellX, i.m_sCellY)) << file;
        EXPECT_TRUE(IsInList(stage.m_nBgm, BGMS)) << file;
        RegisterPalette(PALETTE_STAGE, {});
    }
}

TEST_F(SampleGameTest, TheAnimationListsLoadWholeAndNameOnlyCellsTheSheetHolds)
{
    auto read = [&](const std::string& file, auto& list) {
        std::unique_ptr<cDataReader> in = DataFileOpenRead(folder.Path(file));
        ASSERT_TRUE(in) << file;
        EXPECT_EQ(nFileVersion, DATA_VERSION);
        EXPECT_TRUE(ReadRecords(list, *in)) << file;
        EXPECT_EQ(in->Remaining(), 0u) << file;
        EXPECT_EQ(DataFileClose(in), 1) << file;
    };
    std::vector<cAnimeSetData> sets;
    std::vector<cAnimeData> animes;
    read("default/database/AnimeSet.dat", sets);
    read("default/database/Anime.dat", animes);
    EXPECT_EQ(sets.size(), static_cast<size_t>(ANIMESETS));
    EXPECT_EQ(animes.size(), 2u);
    // The character sheet is 20 cells wide; every set has its four basic
    // animations.
    for (cAnimeSetData& s : sets) {
        EXPECT_EQ(s.m_Animes.size(), 4u);
        for (cAnimeData& a : s.m_Animes)
            for (cAnimeFrameData& f : a.m_Frames) EXPECT_TRUE(IsInList(f.m_nCell, 20));
    }
}

TEST_F(SampleGameTest, SystemIniEndsWithTheExitLineTheReaderNeeds)
{
    const std::string text = ReadFileText(folder.Path("System.ini"));
    ASSERT_GE(text.size(), 6u);
    EXPECT_EQ(text.substr(text.size() - 6), "Exit\r\n");
    EXPECT_NE(text.find("WindowMode=1\r\n"), std::string::npos);
}

TEST_F(SampleGameTest, TheDumpShowsAStageAsAMapAndRefusesWhatItCannotRead)
{
    bool ok = false;
    const std::string stage = DumpFile(folder.Path("default/stg4/Meadow.stg4_000"), ok);
    EXPECT_TRUE(ok);
    // Row 11 of the first draft: the hero at column 1, the sign at 4 and the
    // flag at 35; rows 12 to 14 are ground.
    EXPECT_NE(stage.find("\n  .P..I..............................I....\n  ########################################\n"),
              std::string::npos);
    EXPECT_NE(stage.find("data version 708\n"), std::string::npos);

    // A stage cut short is read as far as it goes and said to be damaged.
    std::vector<unsigned char> bytes = ReadFileBytes(folder.Path("default/stg4/Meadow.stg4_000"));
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteFileBytes(folder.Path("cut.stg4_000"), bytes));
    EXPECT_NE(DumpFile(folder.Path("cut.stg4_000"), ok).find("(damaged or unreadable)"), std::string::npos);
    EXPECT_FALSE(ok);

    EXPECT_EQ(DumpFile(folder.Path("bmp/Word.bmp"), ok), "BMP 320x192, 8 bits, 256 colours, pixels at 1078\ntop-left pixel: entry 0 = 255,0,255\n");
    EXPECT_TRUE(ok);
    DumpFile(folder.Path("nothing.dat"), ok);
    EXPECT_FALSE(ok);
}

TEST_F(SampleGameTest, TheWorldMapLoadsUnchangedItsRoadReachesEveryStageAndItsSeaFillsTheScreen)
{
    cWorldMap map;
    EXPECT_EQ(Reloaded(folder, "default/WorldMap.dat", map), ReadFileBytes(folder.Path("default/WorldMap.dat")));
    ASSERT_EQ(map.m_Points.size(), 3u);
    for (int y = 0; y < map.m_nHeight; ++y)
        for (int x = 0; x < map.m_nWidth; ++x) ASSERT_TRUE(IsInList(map.CellAt(x, y), static_cast<int>(map.m_Chips.size())));
    // Each entry's stage has a revision among the default data's stage files.
    for (const cWorldMapPoint& p : map.m_Points) {
        ASSERT_EQ(p.m_Stages.size(), 1u);
        std::string file = p.m_Stages[0].m_sStageFile;
        ASSERT_EQ(file.rfind("data\\stg4\\", 0), 0u) << file;
        file = "default/stg4/" + file.substr(10) + "_000";
        EXPECT_FALSE(ReadFileBytes(folder.Path(file)).empty()) << file;
    }
    // The walker goes one cell at a time onto passable chips and onto points;
    // an unclear stage stops it, so the stages must be met in their order.
    std::vector<int> seen(static_cast<size_t>(map.m_nWidth * map.m_nHeight), 0);
    std::vector<std::pair<int, int>> todo = {{map.m_nStartX, map.m_nStartY}};
    std::vector<int> reached;
    std::vector<int> reachable(seen.size(), 0);
    auto passable = [&](int x, int y) { return map.m_Chips[map.CellAt(x, y)].m_bImpassable == 0; };
    ASSERT_TRUE(passable(map.m_nStartX, map.m_nStartY));
    for (int cleared = 0; cleared < 3; ++cleared) {
        std::fill(seen.begin(), seen.end(), 0);
        std::vector<std::pair<int, int>> front = todo;
        int found = -1;
        while (!front.empty() && found < 0) {
            auto [x, y] = front.back();
            front.pop_back();
            if (x < 0 || y < 0 || x >= map.m_nWidth || y >= map.m_nHeight || seen[y * map.m_nWidth + x]) continue;
            seen[y * map.m_nWidth + x] = 1;
            if (const cWorldMapPoint* p = map.FindPointAt(x, y)) {
                // The walker stands on a point it steps onto, open or not.
                reachable[y * map.m_nWidth + x] = 1;
                if (p->m_Stages[0].m_nClearNo == cleared + 1) {
                    found = cleared + 1;
                    todo = {{x, y}};
                    break;
                }
                if (p->m_Stages[0].m_nClearNo > cleared + 1) continue;  // not yet cleared: no way past
            } else if (!passable(x, y)) {
                continue;
            }
            reachable[y * map.m_nWidth + x] = 1;
            front.insert(front.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
        }
        EXPECT_EQ(found, cleared + 1);
    }

    // Wherever the walker stands, the screen is the background picture under
    // the chips to its four edges: the walker is drawn at column 9, row 7 of a
    // 20 by 15 cell screen, and the picture is copied from the view's top-left
    // cell (a view left of or above the map would leave the flat colour there).
    ASSERT_EQ(map.m_bBackPicture, 1);
    ASSERT_EQ(map.m_sBackFile, "bmp\\WorldBack.bmp");
    const std::vector<unsigned char> back = ReadFileBytes(folder.Path("bmp/WorldBack.bmp"));
    ASSERT_GE(back.size(), 54u);
    const int backW = static_cast<int>(U32(back, 18)), backH = static_cast<int>(U32(back, 22));
    int walked = 0;
    for (int y = 0; y < map.m_nHeight; ++y)
        for (int x = 0; x < map.m_nWidth; ++x) {
            if (!reachable[y * map.m_nWidth + x]) continue;
            ++walked;
            const int vx = x - 9, vy = y - 7;
            EXPECT_TRUE(vx >= 0 && vy >= 0 && 32 * (vx + 20) <= backW && 32 * (vy + 15) <= backH)
                << "the screen around cell " << x << ", " << y << " shows the flat colour";
        }
    EXPECT_GT(walked, 50);
    // The sea chip lets the picture through: its cell is all transparent.
    const std::vector<unsigned char> chips = ReadFileBytes(folder.Path("bmp/WorldMapChip.bmp"));
    ASSERT_GE(chips.size(), 1078u);
    const int chipsW = static_cast<int>(U32(chips, 18)), chipsH = static_cast<int>(U32(chips, 22));
    const int sea = map.m_Chips[map.CellAt(0, 0)].m_nPicture;
    int opaque = 0;
    for (int y = 32 * (sea / 5); y < 32 * (sea / 5) + 32; ++y)
        for (int x = 32 * (sea % 5); x < 32 * (sea % 5) + 32; ++x)
            opaque += chips[1078 + static_cast<size_t>((chipsW + 3) / 4 * 4) * (chipsH - 1 - y) + x] != 0;
    EXPECT_EQ(opaque, 0);
}

TEST(SampleDumpTest, SavesAndRankingsReadAsText)
{
    RecordContext.nDataVersion = DATA_VERSION;
    cSampleFolder folder;
    std::filesystem::create_directories(folder.Path(""));
    cRankingSet set;
    set.m_Rankings[0].Insert("abc", 1234);
    ASSERT_EQ(set.SaveFile(folder.Path("Meadow.rkg")), 1);
    bool ok = false;
    std::string text = DumpFile(folder.Path("Meadow.rkg"), ok);
    EXPECT_TRUE(ok);
    EXPECT_NE(text.find("genre 0 (high first)\n  1. 1234 \"abc\"\n"), std::string::npos) << text;

    cGameProgress progress;
    progress.m_nLives = 3;
    progress.m_ClearFlags[2] = 1;
    ASSERT_EQ(progress.SaveFile(folder.Path("Story01.dat")), 1);
    text = DumpFile(folder.Path("Story01.dat"), ok);
    EXPECT_TRUE(ok);
    EXPECT_NE(text.find("clear flags (1000): 0=1 2=1\n"), std::string::npos) << text;
}
