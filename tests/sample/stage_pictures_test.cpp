// The sample game's story stages drawn by the real stage-play screen on both
// back ends, read back from the back buffer and compared with reference
// pictures kept beside this file (tests/sample/stage_pictures/). Each stage
// gives three pictures: the stage banner once the screen has faded in, a
// frame after a second or two of walking right, and the stage-clear banner
// with the hero put next to the goal. The first stage also gives its pause
// menu with the stage hidden and shown. The title and the world map as a new
// story opens them are kept the same way. The same screen shows that leaving
// a stage gives back every surface it made.
//
// With the environment variable STAGE_PICTURES_WRITE set, the tests write
// the references instead of comparing:
//     STAGE_PICTURES_WRITE=1 bash tools/test.sh -R SampleStagePictures
// Look at the pictures before committing them, and run the tests once more
// without the variable.
#include <gtest/gtest.h>

#include <windows.h>
#include <ddraw.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/system/input.h"
#include "app/shell/palette_startup.h"
#include "app/shell/load_stage.h"
#include "app/shell/scene.h"
#include "app/shell/scene_manager.h"
#include "app/system/system_ini.h"
#include "files/database.h"
#include "files/frame_tables.h"
#include "files/data_path.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "files/system_defaults.h"
#include "files/world_map.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/palette.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "gfx/transparent_colour.h"
#include "records/data_record.h"
#include "records/palette_data.h"
#include "records/record_context.h"
#include "scenes/title_scene.h"
#include "scenes/world_map_scene.h"
#include "stage/objects/effect.h"
#include "stage/objects/picture.h"
#include "stage/objects/play_links.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"
#include "tests/gfx/gfx_support.h"
#include "tests/support/bitmap_colours.h"
#include "tests/support/build_tree.h"
#include "tools/sample/definitions.h"
#include "tools/sample/sample_game.h"

namespace {

constexpr int W = 640, H = 480;

// -- pictures --

// A picture of the screen, 0xRRGGBB a pixel, row by row from the top.
using Picture = std::vector<uint32_t>;

void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at)
{
    return at + 4 <= b.size() ? b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24 : 0;
}

// One row of palette indices in the run-length form of 8-bit BMPs: runs of
// two or more as (count, index), stretches of three or more unlike indices
// as (0, count, indices, padding to a word), single ones as runs of one.
void EncodeRow(std::vector<uint8_t>& out, const uint8_t* row, int n)
{
    int i = 0;
    auto runAt = [&](int k) {
        int r = 1;
        while (k + r < n && r < 255 && row[k + r] == row[k]) ++r;
        return r;
    };
    while (i < n) {
        const int run = runAt(i);
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        int lit = 1;
        while (i + lit < n && lit < 255 && runAt(i + lit) < 3) ++lit;
        if (lit < 3) {
            for (int k = 0; k < lit; ++k) {
                out.push_back(1);
                out.push_back(row[i + k]);
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(lit));
            out.insert(out.end(), row + i, row + i + lit);
            if (lit & 1) out.push_back(0);
        }
        i += lit;
    }
    out.push_back(0);
    out.push_back(0);
}

// Palette entry 0 of a picture kept as its differences from another: its
// pixels are the other picture's (shown magenta by a viewer).
constexpr uint32_t AS_BASE = 0x01FF00FF;

// The picture as a run-length 8-bit BMP; with a base, every pixel equal to
// the base's is written as AS_BASE. False when it has more than 256 colours.
bool WriteRle8(const std::string& path, Picture pixels, const Picture* base = nullptr)
{
    std::map<uint32_t, uint8_t> index;
    std::vector<uint32_t> palette;
    if (base) {
        for (size_t i = 0; i < pixels.size(); ++i)
            if (pixels[i] == (*base)[i]) pixels[i] = AS_BASE;
        index[AS_BASE] = 0;
        palette.push_back(AS_BASE);
    }
    for (uint32_t p : pixels) {
        if (index.count(p)) continue;
        if (palette.size() == 256) return false;
        index[p] = static_cast<uint8_t>(palette.size());
        palette.push_back(p);
    }
    std::vector<uint8_t> data;
    std::vector<uint8_t> row(W);
    for (int y = H - 1; y >= 0; --y) {
        for (int x = 0; x < W; ++x) row[static_cast<size_t>(x)] = index[pixels[static_cast<size_t>(y * W + x)]];
        EncodeRow(data, row.data(), W);
    }
    data.push_back(0);
    data.push_back(1);
    const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
    std::vector<uint8_t> b;
    Put16(b, 0x4D42);
    Put32(b, offset + static_cast<uint32_t>(data.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, W);
    Put32(b, H);
    Put16(b, 1);
    Put16(b, 8);
    Put32(b, BI_RLE8);
    Put32(b, static_cast<uint32_t>(data.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, static_cast<uint32_t>(palette.size()));
    Put32(b, 0);
    for (uint32_t c : palette) Put32(b, c);
    b.insert(b.end(), data.begin(), data.end());
    return WriteFileBytes(path, b);
}

// A picture written by WriteRle8 (with the same base); empty when the file
// is missing or is not one.
Picture ReadRle8(const std::string& path, const Picture* base = nullptr)
{
    const std::vector<uint8_t> b = ReadFileBytes(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || Get32(b, 18) != W || Get32(b, 22) != H ||
        Get32(b, 30) != BI_RLE8)
        return {};
    const uint32_t colours = Get32(b, 46), offset = Get32(b, 10);
    if (colours > 256 || 54 + 4 * colours > b.size() || offset > b.size()) return {};
    std::vector<uint32_t> palette(colours);
    for (uint32_t i = 0; i < colours; ++i) palette[i] = Get32(b, 54 + 4 * i);
    Picture out(static_cast<size_t>(W * H), 0);
    int x = 0, y = H - 1;
    auto put = [&](uint8_t i) {
        if (x < W && y >= 0 && i < colours) out[static_cast<size_t>(y * W + x)] = palette[i];
        ++x;
    };
    for (size_t at = offset; at + 1 < b.size();) {
        const uint8_t count = b[at], value = b[at + 1];
        at += 2;
        if (count) {
            for (int k = 0; k < count; ++k) put(value);
        } else if (value == 0) {
            x = 0;
            --y;
        } else if (value == 1) {
            for (size_t i = 0; i < out.size(); ++i) {
                if (out[i] != AS_BASE) out[i] &= 0xFFFFFF;
                else if (base && base->size() == out.size()) out[i] = (*base)[i];
                else return {};
            }
            return out;
        } else if (value == 2) {
            return {};  // deltas are never written
        } else {
            if (at + value > b.size()) return {};
            for (int k = 0; k < value; ++k) put(b[at + static_cast<size_t>(k)]);
            at += static_cast<size_t>(value + (value & 1));
        }
    }
    return {};
}

// How far two pictures are apart: the pixels whose colours differ by more
// than the allowance on some channel, and where they lie.
struct Difference {
    int nPixels = 0;
    int nLeft = W, nTop = H, nRight = -1, nBottom = -1;
};

// Each back end is compared with its own picture. The two put every chip,
// block and background pixel for pixel alike, but not the text: their glyphs
// come out of different font paths, so the status bar's digits and the
// ranking hint differ on 183 to 1139 pixels. One picture for both would need
// an allowance above that, while the smallest fault these pictures show, the
// hero not drawn, changes only about 400 pixels (the blocks one cell off some
// 11,800, the background left out 232,000). Each back end draws the same
// picture on every run; the allowance only takes an update of the machine's
// rasteriser or fonts: a channel off by up to CHANNEL_ALLOWANCE (another
// rounding of a blend) is the same colour, and up to PIXEL_ALLOWANCE pixels
// (a glyph or two drawn otherwise) may differ beyond that.
constexpr int CHANNEL_ALLOWANCE = 8;
constexpr int PIXEL_ALLOWANCE = 64;

Difference Compare(const Picture& a, const Picture& b)
{
    Difference d;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const uint32_t p = a[static_cast<size_t>(y * W + x)], q = b[static_cast<size_t>(y * W + x)];
            int worst = 0;
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)));
            if (worst <= CHANNEL_ALLOWANCE) continue;
            ++d.nPixels;
            d.nLeft = std::min(d.nLeft, x);
            d.nTop = std::min(d.nTop, y);
            d.nRight = std::max(d.nRight, x);
            d.nBottom = std::max(d.nBottom, y);
        }
    return d;
}

std::string Describe(const Difference& d)
{
    return std::to_string(d.nPixels) + " pixels differ, within (" + std::to_string(d.nLeft) + ", " +
           std::to_string(d.nTop) + ") - (" + std::to_string(d.nRight) + ", " + std::to_string(d.nBottom) + ")";
}

// The folder of the references in the source tree, as a Windows path. A
// picture's DirectDraw reference is "<name>.bmp"; its Direct3D reference,
// "<name>_Direct3D.bmp", keeps only the pixels where Direct3D's picture
// differs from DirectDraw's.
std::string ReferenceFolder()
{
    std::string path = std::string("Z:") + STAGE_PICTURES_DIR;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path + "\\";
}

bool WritingReferences()
{
    const char* v = std::getenv("STAGE_PICTURES_WRITE");
    return v && *v && std::strcmp(v, "0") != 0;
}

// -- the screen --

// The stage's first play starts with this seed, as a recorded play would.
constexpr unsigned FIXED_SEED = 20260101u;

// The story stages' background picture, and the share of a paused screen
// in its colours: the pause menu's window takes about 1% of the screen, the
// ground, blocks, hero, sign and status bar of the first stage about 28%.
const char STAGE_BACKGROUND[] = "bmp\\back\\Hills.bmp";
constexpr double HIDDEN_SHARE = 0.98;
constexpr double SHOWN_SHARE = 0.9;

// The pause key, down while set.
bool bPauseKeyDown = false;

// The share (0 to 1) of a picture's pixels that are of the colours.
double ShareIn(const Picture& picture, const std::set<COLORREF>& colours)
{
    size_t in = 0;
    for (uint32_t pixel : picture) in += colours.count(pixel);
    return picture.empty() ? 0 : static_cast<double>(in) / static_cast<double>(picture.size());
}

struct StoryStage {
    const char* sName;
    const char* sFile;
    int nClearNo;
    int nWalkFrames;    // walking right from the start, short of any spikes
};

const StoryStage Stages[] = {
    {"Meadow", "data\\stg4\\Meadow.stg4", 1, 120},
    {"Caves", "data\\stg4\\Caves.stg4", 2, 60},
    {"Castle", "data\\stg4\\Castle.stg4", 3, 120},
};

// The three pictures of a stage, in the order PlayStage takes them.
const char* const Moments[3] = {"banner", "play", "clear"};

const int BackEnds[2] = {0, 1};   // DirectDraw, then Direct3D

const char* BackEndLabel(int d3d) { return d3d ? "Direct3D" : "DirectDraw"; }

// The sample game written into the test's folder and loaded as start-up
// loads it; the display is brought up per back end by the test.
class SampleStagePictures : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(WriteSampleGame("."), 1);
        std::filesystem::copy("default", "data", std::filesystem::copy_options::recursive);
        RecordContext = cRecordContext{};
        RecordContext.nDataVersion = DATA_VERSION;
        ASSERT_EQ(DataBase.LoadAll(), 1);
        DataBase.CopyReversedEffectLists();
        BuildAnimeFrameTable(FrameTables.AnimeFrameTable);
        BuildEffectFrameTable(FrameTables.EffectFrameTable);
        BuildCharaEffectTemplates(CharaEffectTemplates, CharaEffectTemplatesRev);
        BuildScrEffectTemplates(ScrEffectTemplates, ScrEffectTemplatesRev);
        ASSERT_EQ(SystemData.LoadFile("data\\System.dat"), 1);
        ASSERT_TRUE(LoadCommonPalette());
        Options = cOptionData();

        // The shell as the game has it, but for the seed, the keyboard and
        // the sub-loop (a message that waits for the key is read at once);
        // no sound.
        m_lpHost = std::make_unique<cHarnessHost>(true);
        m_lpHost->onNewSeed = cHarnessHost::FixedSeed(FIXED_SEED);
        m_lpHost->onKeyDown = [](int) { return 0; };
        m_lpHost->onPlaySE = [](int) {};
        m_lpHost->onPlayUserSE = [](int) {};
        m_lpHost->onRequestBgm = [](int, int) {};
        m_lpHost->onRunPauseLoop = [](int) {};
        Inputs.assign(1, cInput());
        Inputs[0].SetRepeat(18, 6);
        SceneManager.FrameRate = 60;
        SceneManager.m_nFadeStep = 10;
    }

    void TearDown() override
    {
        Down();
        m_lpHost.reset();
        StageData = cStageData();
        PlayStageData = cStageData();
        GameProgress.Reset();
        WorldMap.SetDefault();
        DataBase.SetDefault();
        CommonPalette = cPaletteData();
        RecordContext = cRecordContext{};
        RecordContext.nDataVersion = 0;
        DisplayTest::TearDown();
    }

    // The display as start-up brings it up: the fixed surface table, the
    // palette and transparent colour of the palette image, the fonts.
    void Up(int d3d)
    {
        InitSurfaceParams();
        InitFontParams();
        ASSERT_TRUE(DDInit(d3d, m_hWnd, 640, 480, 32, 0, 1, 1, 60, 0, SurfaceTables.Surface, SurfaceTables.SurfaceParam, SURFACE_COUNT, 0));
        LinkShareSurfaces();
        ASSERT_TRUE(DDLoadPaletteFromFile(Display.Palette, SurfaceTables.SurfaceParam[0].szFileName, 1));
        std::memcpy(Display.ShownPalette, Display.Palette, sizeof(Display.ShownPalette));
        if (SystemData.m_bFullColor) {
            const BYTE* rgb = SystemData.m_TransparentColor;
            DDSetTransmit(rgb[0], rgb[1], rgb[2]);
        } else {
            ASSERT_TRUE(DDSetTransmit(SurfaceTables.SurfaceParam[0].szFileName));
        }
        const int face = SystemData.m_nFontFace >= 0 && SystemData.m_nFontFace < FONT_FACES ? SystemData.m_nFontFace : 0;
        for (FONTPARAM& param : SurfaceTables.FontParam) {
            std::strncpy(param.szFace, FontFaceNames[face], sizeof(param.szFace) - 1);
            if (param.nFast == 2) param.nFast = 0;
        }
        ASSERT_EQ(CreateFonts(SurfaceTables.Fonts, SurfaceTables.FontParam, FONT_COUNT), 1);
        SurfaceTables.Fonts[1].m_bCenterGlyph = SystemData.m_bCenterGlyphs;
        SurfaceTables.Fonts[1].m_bIcon = SystemData.m_bIconLetters;
        ASSERT_NE(CreateNumberSurfaces(SurfaceTables.SpareSurface, SurfaceTables.SpareSurfaceParam, FONT_COUNT, SurfaceTables.Fonts, SurfaceTables.FontParam), 0);
    }

    void Down()
    {
        Leave();
        for (Font& font : SurfaceTables.Fonts) font.Release();
        for (DDSURFACEDATA& digits : SurfaceTables.SpareSurface) DDReleaseSurface(&digits);
        for (DDSURFACEDATA& s : SurfaceTables.Surface) DDReleaseSurface(&s);
        DDUnInit();
    }

    // The world map's part of entering a story stage, then the stage-play
    // screen made as the scene manager makes it.
    void Enter(const StoryStage& stage)
    {
        ASSERT_EQ(LoadStage(stage.sFile, true, &PlayStageData), 1);
        GameProgress.Reset();
        GameProgress.SetStageName(StageData.m_sPath.c_str());
        GameProgress.m_nStageNo = stage.nClearNo;
        GameProgress.m_nArea = 1;
        GameProgress.m_nStartLives = SystemData.m_DefaultLives.empty() ? 3 : SystemData.m_DefaultLives[0];
        SceneManager.m_nPlayMode = 0;
        SceneManager.nGameKind = 0;
        SceneManager.m_bRankingOn = SystemData.m_ModeSettings.empty() ? 0 : SystemData.m_ModeSettings[0].m_bRanking;
        SceneManager.m_nPreviousScene = SCENE_WORLDMAP;
        SceneManager.m_nCurrentScene = SCENE_STAGE;
        m_lpScene = new cStageScene();
        lpStageScene = m_lpScene;
    }

    void Leave()
    {
        delete m_lpScene;
        m_lpScene = nullptr;
        lpStageScene = nullptr;
        Player.clear();
        CharaList.clear();
        ItemList.clear();
        BlockMap.clear();
    }

    cStageScene& Scene() { return *m_lpScene; }

    // Frames of the screen with the direction bits held.
    void Frames(int n, int direction = 0)
    {
        for (int i = 0; i < n; ++i) {
            Inputs[0].m_wDirection = static_cast<int16_t>(direction);
            Scene().Run();
        }
        Inputs[0].m_wDirection = 0;
    }

    // Frames until the screen is in the state (at most limit frames).
    void FramesUntil(int state, int limit, int direction = 0)
    {
        for (int i = 0; i < limit && Scene().m_nState != state; ++i) Frames(1, direction);
        ASSERT_EQ(Scene().m_nState, state);
    }

    // The stage entered and played to its first frames of play: the banner
    // once the screen has faded in, then the stage's walk to the right.
    void PlayAWhile(const StoryStage& stage, std::vector<Picture>* pictures = nullptr)
    {
        Enter(stage);
        FramesUntil(STAGE_READY, 60);
        Frames(20);
        ASSERT_EQ(Scene().m_nState, STAGE_READY);
        if (pictures) pictures->push_back(Shot());
        FramesUntil(STAGE_PLAY, 200);
        Frames(stage.nWalkFrames, 2);
        ASSERT_EQ(Scene().m_nState, STAGE_PLAY);
        ASSERT_EQ(Player[P1].m_bDead, 0);
        if (pictures) pictures->push_back(Shot());
    }

    // The stage's three pictures on one back end; the clear is reached with
    // the hero put a little left of the goal and walking on.
    std::vector<Picture> PlayStage(const StoryStage& stage, int d3d)
    {
        SCOPED_TRACE(BackEndLabel(d3d));
        std::vector<Picture> pictures;
        Up(d3d);
        if (!HasFatalFailure()) PlayAWhile(stage, &pictures);
        if (!HasFatalFailure()) PutHeroBeforeGoal();
        if (!HasFatalFailure()) FramesUntil(STAGE_CLEAR, 120, 2);
        if (!HasFatalFailure()) {
            Frames(30);
            pictures.push_back(Shot());
        }
        Down();
        return pictures;
    }

    void PutHeroBeforeGoal()
    {
        const std::string goalName = CommonPalette.m_Items[ROW_GOAL].m_sName;
        const cItem* goal = nullptr;
        for (const cItem& item : ItemList)
            if (item.m_ItemData.m_sName == goalName) goal = &item;
        ASSERT_NE(goal, nullptr);
        cPlayer& hero = Player[P1];
        hero.SetPosition(goal->m_dLeft - 64, goal->m_dBottom - (hero.m_dBottom - hero.m_dTop));
    }

    static Picture Shot()
    {
        Picture p = ReadPixels(&Display.BackBuffer, 0, 0, W, H);
        for (uint32_t& c : p) c &= 0xFFFFFF;
        return p;
    }

    // A picture against its reference; when they differ, the picture drawn
    // is kept in the build folder to be looked at.
    static void ExpectAlike(const Picture& actual, const Picture& reference, const std::string& name)
    {
        ASSERT_EQ(reference.size(), actual.size()) << "no reference picture for " << name;
        const Difference d = Compare(actual, reference);
        if (d.nPixels <= PIXEL_ALLOWANCE) return;
        const std::string kept = BuildTreePath("stage-pictures-failed");
        CreateDirectoryA(kept.c_str(), nullptr);
        const std::string file = kept + "\\" + name + ".bmp";
        WriteRle8(file, actual);
        ADD_FAILURE() << name << ": " << Describe(d) << "; drawn: " << file;
    }

    // The stage drawn on both back ends against its references (or written
    // as its references).
    void CheckStage(const StoryStage& stage)
    {
        std::vector<Picture> drawn[2];
        for (int d3d : BackEnds) {
            drawn[d3d] = PlayStage(stage, d3d);
            ASSERT_EQ(drawn[d3d].size(), 3u) << BackEndLabel(d3d);
        }
        std::vector<std::string> names;
        for (const char* moment : Moments) names.push_back(std::string(stage.sName) + "_" + moment);
        CheckPictures(names, drawn);
    }

    // Pictures drawn on both back ends, one name each, against their
    // references (or written as their references).
    static void CheckPictures(const std::vector<std::string>& names, const std::vector<Picture> (&drawn)[2])
    {
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string& name = names[i];
            const std::string dd = ReferenceFolder() + name + ".bmp", d3d = ReferenceFolder() + name + "_Direct3D.bmp";
            if (WritingReferences()) {
                EXPECT_TRUE(WriteRle8(dd, drawn[0][i])) << dd;
                EXPECT_TRUE(WriteRle8(d3d, drawn[1][i], &drawn[0][i])) << d3d;
                continue;
            }
            const Picture reference = ReadRle8(dd);
            ExpectAlike(drawn[0][i], reference, name + "_DirectDraw");
            ExpectAlike(drawn[1][i], ReadRle8(d3d, &reference), name + "_Direct3D");
        }
    }

    // The title, then the world map as a new story opens it (the walker on
    // the start cell), each screen made as the scene manager makes it and
    // run until its fade-in is over and ten frames on.
    std::vector<Picture> DrawTitleAndWorldMap(int d3d)
    {
        SCOPED_TRACE(BackEndLabel(d3d));
        std::vector<Picture> pictures;
        Up(d3d);
        if (HasFatalFailure()) return pictures;
        GameProgress.Reset();
        SceneManager.m_nPlayMode = PLAYMODE_STORY;
        SceneManager.m_bRankingOn = 0;
        SceneManager.m_nNextScene = -1;
        SceneManager.m_nPreviousScene = -1;
        SceneManager.m_nCurrentScene = SCENE_TITLE;
        {
            cTitleScene title;
            pictures.push_back(ShotOnceIn(title, cTitleScene::STATE_MENU));
        }
        // A new story's lives: the story's default lives, one of them in play.
        GameProgress.m_nStartLives = SystemData.m_DefaultLives.empty() ? 3 : SystemData.m_DefaultLives[0];
        GameProgress.m_nLives = GameProgress.m_nStartLives - 1;
        GameProgress.m_nMapX = WorldMap.m_nStartX;
        GameProgress.m_nMapY = WorldMap.m_nStartY;
        SceneManager.m_nPreviousScene = SCENE_TITLE;
        SceneManager.m_nCurrentScene = SCENE_WORLDMAP;
        {
            cWorldMapScene map;
            pictures.push_back(ShotOnceIn(map, cWorldMapScene::STATE_MAP));
        }
        Down();
        return pictures;
    }

    // The first stage paused after its walk (the pause key pressed for a
    // frame), then two frames of the pause menu with the setting that hides
    // the stage on and two with it off; the picture after each pair.
    std::vector<Picture> DrawPauseMenus(int d3d)
    {
        SCOPED_TRACE(BackEndLabel(d3d));
        std::vector<Picture> pictures;
        Up(d3d);
        if (!HasFatalFailure()) PlayAWhile(Stages[0]);
        if (!HasFatalFailure()) {
            m_lpHost->onKeyDown = [](int key) { return bPauseKeyDown && key == STAGEKEY_PAUSE ? 1 : 0; };
            bPauseKeyDown = true;
            Frames(1);
            bPauseKeyDown = false;
            EXPECT_EQ(Scene().m_nState, STAGE_PAUSEMENU);
            for (int hides : {1, 0}) {
                SystemData.m_bPauseHidesStage = hides;
                Frames(2);
                pictures.push_back(Shot());
            }
        }
        Down();
        return pictures;
    }

    // A menu screen run until it reaches the state (its fade-in over), then
    // ten frames on; the picture then.
    template <class Screen>
    static Picture ShotOnceIn(Screen& screen, int state)
    {
        for (int i = 0; i < 200 && screen.m_nState != state; ++i) screen.Run();
        EXPECT_EQ(screen.m_nState, state);
        for (int i = 0; i < 10; ++i) screen.Run();
        return Shot();
    }

    // The surfaces the back end holds: Direct3D's textures, every DirectDraw surface.
    static size_t LiveSurfaces()
    {
        if (Display.bDirect3D) return Display.RestoreList.size();
        DWORD n = 0;
        Display.lpDirectDraw->EnumSurfaces(DDENUMSURFACES_DOESEXIST | DDENUMSURFACES_ALL, nullptr, &n, CountSurface);
        return n;
    }

    static HRESULT WINAPI CountSurface(IDirectDrawSurface7* s, DDSURFACEDESC2*, void* count)
    {
        ++*static_cast<DWORD*>(count);
        s->Release();
        return DDENUMRET_OK;
    }

    cStageScene* m_lpScene = nullptr;
    std::unique_ptr<cHarnessHost> m_lpHost;
};

TEST_F(SampleStagePictures, TitleAndWorldMap)
{
    ASSERT_EQ(WorldMap.LoadFile(DataPath[DATAPATH_WORLDMAP]), 1);
    std::vector<Picture> drawn[2];
    for (int d3d : BackEnds) {
        drawn[d3d] = DrawTitleAndWorldMap(d3d);
        ASSERT_EQ(drawn[d3d].size(), 2u) << BackEndLabel(d3d);
    }
    CheckPictures({"Title", "WorldMap"}, drawn);
}
TEST_F(SampleStagePictures, Meadow) { CheckStage(Stages[0]); }

// The pause menu over the first stage. With the setting on, as the sample
// game has it, the menu shows over the background layers alone: all but the
// menu window is in the colours of the stage's background picture. With it
// off the blocks, the hero and the status bar show as well.
TEST_F(SampleStagePictures, PauseMenuHidesTheStageWhenTheSettingSaysSo)
{
    ASSERT_EQ(SystemData.m_bPauseHidesStage, 1);
    std::vector<Picture> drawn[2];
    for (int d3d : BackEnds) {
        drawn[d3d] = DrawPauseMenus(d3d);
        ASSERT_EQ(drawn[d3d].size(), 2u) << BackEndLabel(d3d);
    }
    const std::set<COLORREF> background = BitmapColours(STAGE_BACKGROUND);
    ASSERT_FALSE(background.empty());
    for (int d3d : BackEnds) {
        SCOPED_TRACE(BackEndLabel(d3d));
        EXPECT_GT(ShareIn(drawn[d3d][0], background), HIDDEN_SHARE);
        EXPECT_LT(ShareIn(drawn[d3d][1], background), SHOWN_SHARE);
    }
    CheckPictures({"Meadow_pause_hidden", "Meadow_pause"}, drawn);
}
TEST_F(SampleStagePictures, Caves) { CheckStage(Stages[1]); }
TEST_F(SampleStagePictures, Castle) { CheckStage(Stages[2]); }

// The allowance hides no fault: the first stage's play frame drawn again
// (frozen, so nothing moves) matches its reference, and drawn with the
// background left out, with every block one cell to the right, without the
// sign's picture or without the hero it does not.
TEST_F(SampleStagePictures, TheComparisonRefusesALayerLeftOutOrMovedByACell)
{
    if (WritingReferences()) GTEST_SKIP() << "the references are being written";
    const Picture dd = ReadRle8(ReferenceFolder() + "Meadow_play.bmp");
    ASSERT_FALSE(dd.empty());
    for (int d3d : BackEnds) {
        SCOPED_TRACE(BackEndLabel(d3d));
        const Picture reference = d3d ? ReadRle8(ReferenceFolder() + "Meadow_play_Direct3D.bmp", &dd) : dd;
        ASSERT_FALSE(reference.empty());
        Up(d3d);
        PlayAWhile(Stages[0]);
        auto redraw = [&] {
            Scene().DrawPlayScreen(1, 1, 0, 1);
            return Compare(Shot(), reference).nPixels;
        };
        EXPECT_LE(redraw(), PIXEL_ALLOWANCE);

        StageData.m_Backgrounds[0].m_bShown = 0;
        EXPECT_GT(redraw(), PIXEL_ALLOWANCE) << "background left out";
        StageData.m_Backgrounds[0].m_bShown = 1;

        const int columns = Scene().m_ScrollX.m_nLimitCells, rows = Scene().m_ScrollY.m_nLimitCells;
        for (int row = 0; row < rows; ++row)
            for (int column = columns - 1; column > 0; --column)
                std::swap(*BlockMapCell(column, row), *BlockMapCell(column - 1, row));
        EXPECT_GT(redraw(), PIXEL_ALLOWANCE) << "blocks one cell to the right";
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column + 1 < columns; ++column)
                std::swap(*BlockMapCell(column, row), *BlockMapCell(column + 1, row));
        EXPECT_LE(redraw(), PIXEL_ALLOWANCE);

        ASSERT_EQ(Scene().m_PictureList.size(), 1u);
        Scene().m_PictureList.clear();
        EXPECT_GT(redraw(), PIXEL_ALLOWANCE) << "the sign's picture left out";

        Player[P1].m_Def.m_bTransparent = 1;
        EXPECT_GT(redraw(), PIXEL_ALLOWANCE) << "no hero";
        Down();
    }
}

// Under Direct3D the copies of an image draw from the texture of the first
// copy: a character image's four records from the first, a sword's A and B
// each from their own first copy, an effect's second from its first. Only
// the owners hold textures.
void ExpectSharedTextures()
{
    if (!Display.bDirect3D) return;
    auto listed = [](const DDSURFACEDATA* s) { return std::find(Display.RestoreList.begin(), Display.RestoreList.end(), s) != Display.RestoreList.end(); };
    auto expectShares = [&](const DDSurfaceVector& set, size_t step, const std::vector<int>& owner) {
        ASSERT_EQ(set.size() % step, 0u);
        for (size_t e = 0; e < set.size(); e += step)
            for (size_t k = 0; k < step; ++k) {
                const DDSURFACEDATA& s = set[e + k];
                const DDSURFACEDATA* own = owner[k] == static_cast<int>(k) ? nullptr : &set[e + static_cast<size_t>(owner[k])];
                EXPECT_EQ(s.lpShareSD, own) << "record " << e + k;
                if (own) {
                    EXPECT_FALSE(listed(&s)) << "record " << e + k;
                } else if (s.nWidth > 0) {
                    EXPECT_TRUE(listed(&s)) << "record " << e + k;
                }
            }
    };
    expectShares(SurfaceTables.CharaExcSurfaces, 4, {0, 0, 0, 0});
    expectShares(SurfaceTables.SwordSurfaces, 4, {0, 1, 0, 1});
    expectShares(SurfaceTables.EffectSurfaces, 2, {0, 0});
}

// Each story stage entered from the map and left again, on both back ends:
// while it runs it holds the stage's images, the database's images and a
// picture; once left, the back end holds what it held before.
TEST_F(SampleStagePictures, LeavingAStageGivesBackEverySurfaceItMade)
{
    for (int d3d : BackEnds) {
        SCOPED_TRACE(BackEndLabel(d3d));
        Up(d3d);
        const size_t before = LiveSurfaces();
        for (const StoryStage& stage : Stages) {
            SCOPED_TRACE(stage.sName);
            PlayAWhile(stage);
            int w = 0, h = 0;
            ASSERT_GT(DataBase.m_Picture.size(), 1u);
            ASSERT_EQ(PictureGfx.lpLoad(DataBase.m_Picture[1].m_sFile.c_str(), 0, 0, &w, &h), 1);
            EXPECT_GT(LiveSurfaces(), before);
            EXPECT_FALSE(SurfaceTables.CharaExcSurfaces.empty());
            EXPECT_FALSE(SurfaceTables.EffectSurfaces.empty());
            ExpectSharedTextures();
            Leave();
            EXPECT_EQ(LiveSurfaces(), before);
            EXPECT_TRUE(SurfaceTables.CharaExcSurfaces.empty());
            EXPECT_TRUE(SurfaceTables.SwordSurfaces.empty());
            EXPECT_TRUE(SurfaceTables.EffectSurfaces.empty());
            EXPECT_TRUE(SurfaceTables.PictureSurfaces.empty());
            EXPECT_TRUE(SurfaceTables.Off_Msg.empty());
            EXPECT_FALSE(SurfaceTables.Surface[2].lpDT || SurfaceTables.Surface[2].lpDD);
        }
        Down();
    }
}

} // namespace
