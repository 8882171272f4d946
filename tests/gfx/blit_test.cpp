// The blit core: a scene of sprites drawn on both back ends and compared pixel
// by pixel with a frame computed from the sheets' own definitions; clipping
// and mirroring by table; blends, other targets and the copy through locks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/render_state.h"
#include "gfx/surface.h"
#include "tests/gfx/gfx_support.h"

namespace {

constexpr int kScreenW = 640, kScreenH = 480;
constexpr uint32_t kKey = 0xFF00FF;  // the transparent colour
constexpr int kSheetW = 96, kSheetH = 32, kCell = 32, kFlipCell = 16;

// Every pixel of the sheet has a colour of its own; a diagonal pattern of
// pixels is the transparent colour.
uint32_t SheetColour(int c, int r)
{
    if ((c + 2 * r) % 7 == 0) return kKey;
    return static_cast<uint32_t>(2 * c + 1) << 16 | static_cast<uint32_t>(4 * r + 2) << 8 | 50;
}

// Never the transparent colour (its red is 255 only where its green is 0 and
// its blue is not 255).
uint32_t BackColour(int x, int y)
{
    return static_cast<uint32_t>((x * 3) & 255) << 16 | static_cast<uint32_t>((y * 2) & 255) << 8 |
           static_cast<uint32_t>((x + y) & 255);
}

int MirrorIn(int i, int cell)
{
    return cell * (i / cell + 1) - i % cell - 1;
}

// The records a scene draws from.
enum SHEET {
    BACKGROUND,
    PLAIN,       // the keyed sheet
    MIRROR_DUP,  // a duplicate of PLAIN with 32-pixel mirror cells
    MIRRORED,    // the sheet loaded on its own with 32-pixel mirror cells
    FLIP_DUP,    // a duplicate of PLAIN with 16-pixel mirror rows
    SHEET_COUNT
};

struct SPRITE {
    int sheet;
    int x, y, w, h, sx, sy, sw, sh, mode;
};

// The standard scene: every edge, keyed and opaque copies, stretching,
// mirrored cells (whole, partial, stretched, vertical, loaded and duplicate).
const std::vector<SPRITE>& Scene()
{
    static const std::vector<SPRITE> scene = {
        {BACKGROUND, 0, 0, kScreenW, kScreenH, 0, 0, kScreenW, kScreenH, 0},
        {PLAIN, -10, 5, 32, 32, 0, 0, 32, 32, 1},           // past the left edge
        {PLAIN, 620, 460, 32, 32, 32, 0, 32, 32, 1},        // past the bottom-right corner
        {PLAIN, 100, 50, 64, 64, 64, 0, 32, 32, 1},         // stretched twice
        {PLAIN, 20, -12, 96, 32, 0, 0, 96, 32, 1},          // past the top, three cells at once
        {MIRROR_DUP, 200, 50, 32, 32, 32, 0, 32, 32, 1},    // a whole cell mirrored
        {MIRROR_DUP, 250, 50, 16, 32, 72, 0, 16, 32, 1},    // part of a cell mirrored in its cell
        {MIRROR_DUP, 300, 50, 64, 64, 0, 0, 32, 32, 1},     // mirrored and stretched
        {MIRROR_DUP, 630, 200, 32, 32, 64, 0, 32, 32, 1},   // mirrored past the right edge
        {MIRRORED, -5, 300, 32, 32, 64, 0, 32, 32, 1},      // loaded mirrored, past the left edge
        {MIRRORED, 40, 300, 64, 32, 0, 0, 32, 16, 1},       // loaded mirrored, stretched
        {FLIP_DUP, 500, 100, 32, 16, 0, 16, 32, 16, 1},     // a row cell upside down
        {PLAIN, 400, 200, 32, 32, 0, 0, 32, 32, 0},         // opaque copy of a keyed source
        {PLAIN, 450, 300, 32, 32, -8, 0, 32, 32, 1},        // source partly left of the sheet
        {PLAIN, 150, 400, 16, 16, 40, 20, 16, 16, 1},       // a small piece
    };
    return scene;
}

// What a record shows at (c, r), by how it was made; false outside it.
bool SheetPixel(int sheet, int c, int r, uint32_t* colour)
{
    if (sheet == BACKGROUND) {
        if (c < 0 || r < 0 || c >= kScreenW || r >= kScreenH) return false;
        *colour = BackColour(c, r);
        return true;
    }
    if (c < 0 || r < 0 || c >= kSheetW || r >= kSheetH) return false;
    if (sheet == MIRROR_DUP || sheet == MIRRORED) c = MirrorIn(c, kCell);
    if (sheet == FLIP_DUP) r = MirrorIn(r, kFlipCell);
    *colour = SheetColour(c, r);
    return true;
}

// The frame the scene should give, computed from the sheets' definitions.
// lockedCopy: the sources live in system memory, so Direct3D copies through
// locks: a pixel whose source lies outside the sheet is skipped where it is
// (instead of the copy being shortened from its start), and an opaque copy
// of a transparent pixel writes the texture's transparent texel (keyTexel).
std::vector<uint32_t> ExpectedFrame(const std::vector<SPRITE>& sprites, bool lockedCopy = false,
                                    uint32_t keyTexel = 0)
{
    std::vector<uint32_t> frame(kScreenW * kScreenH, 0);
    for (SPRITE s : sprites) {
        const bool unscaled = s.w == s.sw && s.h == s.sh;
        if (unscaled && !lockedCopy && s.sx < 0) {
            s.w += s.sx, s.sw += s.sx;
            s.sx = 0;
        }
        for (int j = 0; j < s.h; ++j)
            for (int i = 0; i < s.w; ++i) {
                const int tx = s.x + i, ty = s.y + j;
                if (tx < 0 || ty < 0 || tx >= kScreenW || ty >= kScreenH) continue;
                uint32_t colour;
                if (!SheetPixel(s.sheet, s.sx + i * s.sw / s.w, s.sy + j * s.sh / s.h, &colour))
                    continue;
                if (colour == kKey) {
                    if (s.mode == 1) continue;
                    if (lockedCopy) colour = keyTexel;
                }
                frame[ty * kScreenW + tx] = colour;
            }
    }
    return frame;
}

// The sprites drawn at their own size.
std::vector<SPRITE> Unscaled(const std::vector<SPRITE>& sprites)
{
    std::vector<SPRITE> out;
    for (const SPRITE& s : sprites)
        if (s.w == s.sw && s.h == s.sh) out.push_back(s);
    return out;
}

std::vector<uint32_t> ReadFrame(DDSURFACEDATA* target = &Display.BackBuffer)
{
    std::vector<uint32_t> frame = ReadPixels(target, 0, 0, kScreenW, kScreenH);
    for (uint32_t& p : frame) p &= 0xFFFFFF;
    return frame;
}

// Pixel-by-pixel comparison that names the first few differences.
::testing::AssertionResult SameFrame(const std::vector<uint32_t>& got,
                                     const std::vector<uint32_t>& want)
{
    if (got.size() != want.size()) return ::testing::AssertionFailure() << "frame size differs";
    int wrong = 0;
    std::string where;
    for (size_t k = 0; k < got.size(); ++k)
        if (got[k] != want[k] && ++wrong <= 5) {
            char line[96];
            std::snprintf(line, sizeof line, " (%d,%d) %06X want %06X;",
                          static_cast<int>(k % kScreenW), static_cast<int>(k / kScreenW),
                          static_cast<unsigned>(got[k]), static_cast<unsigned>(want[k]));
            where += line;
        }
    if (!wrong) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << where;
}

void WriteSceneImages()
{
    std::vector<uint32_t> sheet, back;
    for (int r = 0; r < kSheetH; ++r)
        for (int c = 0; c < kSheetW; ++c) sheet.push_back(SheetColour(c, r));
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x) back.push_back(BackColour(x, y));
    WriteBmp("sheet.bmp", kSheetW, kSheetH, 24, sheet);
    WriteBmp("back.bmp", kScreenW, kScreenH, 24, back);
}

// The scene's records, released before the display goes down.
struct SceneSheets {
    DDSURFACEDATA rec[SHEET_COUNT];
    ~SceneSheets()
    {
        for (DDSURFACEDATA& r : rec) DDReleaseSurface(&r);
    }
    // memoryType is the Direct3D memory of the keyed sheets (the ones the
    // sprites come from), ddMemory the DirectDraw memory of all.
    void Load(int memoryType, int ddMemory = 0)
    {
        auto load = [&](int sheet, const char* file, int key, int memory, int share, int mw,
                        int mh) {
            return DDCreateSurfaceFromFile(&rec[sheet], file, key, 32, ddMemory, memory, share, 0,
                                           mw, mh, 0);
        };
        ASSERT_EQ(load(BACKGROUND, "back.bmp", 0, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0), 0);
        ASSERT_EQ(load(PLAIN, "sheet.bmp", 1, memoryType, 0, 0, 0), 0);
        ASSERT_EQ(load(MIRROR_DUP, "sheet.bmp", 1, memoryType, 1, kCell, 0), 0);
        ASSERT_EQ(load(MIRRORED, "sheet.bmp", 1, memoryType, 0, kCell, 0), 0);
        ASSERT_EQ(load(FLIP_DUP, "sheet.bmp", 1, memoryType, 1, 0, kFlipCell), 0);
        // Under DirectDraw the duplicates have surfaces of their own and the link is not read.
        rec[MIRROR_DUP].lpShareSD = &rec[PLAIN];
        rec[FLIP_DUP].lpShareSD = &rec[PLAIN];
    }
    void Draw(const std::vector<SPRITE>& sprites, DDSURFACEDATA* target = &Display.BackBuffer)
    {
        for (const SPRITE& s : sprites) {
            if (s.w == s.sw && s.h == s.sh)
                DDBlt(target, s.x, s.y, s.w, s.h, &rec[s.sheet], s.sx, s.sy, s.mode);
            else
                DDBltStretch(target, s.x, s.y, s.w, s.h, &rec[s.sheet], s.sx, s.sy, s.sw, s.sh,
                             s.mode);
        }
    }
};

class BlitTest : public DisplayTest {};

}  // namespace

using BothBackEndsBlitTest = OnBothBackEnds<BlitTest>;

TEST_P(BothBackEndsBlitTest, SceneMatchesTheReferenceOnBothBackEndsImmediateAndBatched)
{
    const int d3d = GetParam();
    WriteSceneImages();
    ASSERT_TRUE(UpWithKey(d3d));
    SceneSheets sheets;
    ASSERT_NO_FATAL_FAILURE(sheets.Load(DTMEMORYTYPE_VIDEO_RT));
    // How a display driver stretches between video surfaces is its own
    // business (the one under test filters); DirectDraw stretching is
    // compared in system memory below.
    const std::vector<SPRITE> sprites = d3d ? Scene() : Unscaled(Scene());
    const std::vector<uint32_t> want = ExpectedFrame(sprites);

    sheets.Draw(sprites);
    const std::vector<uint32_t> immediate = ReadFrame();
    EXPECT_TRUE(SameFrame(immediate, want));

    DDFill(&Display.BackBuffer, 0);
    DDBeginSpriteBatch(0);
    sheets.Draw(sprites);
    if (d3d) {
        EXPECT_EQ(Batches.SpriteBatch.Sprites.size(), sprites.size());
    }
    DDEndSpriteBatch();
    EXPECT_TRUE(SameFrame(ReadFrame(), immediate));
}

TEST_F(BlitTest, DirectDrawSceneInSystemMemoryMatchesTheReference)
{
    WriteSceneImages();
    ASSERT_TRUE(UpWithKey(0));
    SceneSheets sheets;
    ASSERT_NO_FATAL_FAILURE(sheets.Load(DTMEMORYTYPE_VIDEO_RT, 1));
    DDSURFACEDATA target;
    ASSERT_TRUE(DDCreateSurface(&target, kScreenW, kScreenH, 0, 1, 0, 0, 0));
    sheets.Draw(Scene(), &target);
    EXPECT_TRUE(SameFrame(ReadFrame(&target), ExpectedFrame(Scene())));
    DDReleaseSurface(&target);
}

TEST_F(BlitTest, Direct3DSourcesInSystemMemoryAreCopiedThroughLocks)
{
    WriteSceneImages();
    ASSERT_TRUE(UpWithKey(1));
    SceneSheets sheets;
    ASSERT_NO_FATAL_FAILURE(sheets.Load(DTMEMORYTYPE_SYSTEM));
    ASSERT_EQ(sheets.rec[PLAIN].lpDT->nMemoryType, DTMEMORYTYPE_SYSTEM);
    const uint32_t keyTexel = ReadPixel(&sheets.rec[PLAIN], 0, 0);
    ASSERT_EQ(keyTexel >> 24, 0u);  // the transparent colour became a transparent texel
    sheets.Draw(Scene());
    EXPECT_TRUE(SameFrame(ReadFrame(), ExpectedFrame(Scene(), true, keyTexel & 0xFFFFFF)));
}

namespace {

// {back ends (1 Direct3D, 0 DirectDraw, -1 both), source size, rectangles in
// (x, y, w, h, sx, sy, sw, sh), result, rectangles out}; the target is 640 x 480.
struct CLIPROW {
    const char* what;
    int backEnd, srcW, srcH;
    int in[8];
    int result;
    int out[8];
};

const CLIPROW kClipRows[] = {
    {"past the left edge", -1, 100, 64,
     {-10, 0, 32, 32, 0, 0, 32, 32}, 1, {0, 0, 22, 32, 10, 0, 22, 32}},
    {"wider than the target", -1, 800, 600,
     {-10, 0, 700, 32, 0, 0, 700, 32}, 1, {0, 0, 640, 32, 10, 0, 640, 32}},
    {"source left of its surface", -1, 100, 64,
     {50, 0, 32, 32, -8, 0, 32, 32}, 1, {50, 0, 24, 32, 0, 0, 24, 32}},
    {"past the bottom-right corner", -1, 100, 64,
     {630, 470, 32, 32, 0, 0, 32, 32}, 1, {630, 470, 10, 10, 0, 0, 10, 10}},
    {"above the top", -1, 100, 64, {5, -40, 32, 32, 0, 0, 32, 32}, 0, {}},
    {"right of the target", -1, 100, 64, {640, 0, 32, 32, 0, 0, 32, 32}, 0, {}},
    {"no width", -1, 100, 64, {0, 0, 0, 32, 0, 0, 0, 32}, 0, {}},
    {"no source height", -1, 100, 64, {0, 0, 32, 32, 0, 0, 16, 0}, 0, {}},
    {"stretched past the left edge", 0, 100, 64,
     {-16, 0, 32, 32, 0, 0, 16, 16}, 1, {0, 0, 16, 32, 8, 0, 8, 16}},
    {"stretched past the left edge", 1, 100, 64,
     {-16, 0, 32, 32, 0, 0, 16, 16}, 1, {-16, 0, 32, 32, 0, 0, 16, 16}},
    {"stretched past the right edge", 0, 100, 64,
     {624, 0, 32, 32, 0, 0, 16, 16}, 1, {624, 0, 16, 32, 0, 0, 8, 16}},
    {"stretched from left of the source", 1, 100, 64,
     {0, 0, 64, 64, -8, 0, 32, 32}, 1, {0, 0, 48, 64, 0, 0, 24, 32}},
    {"read backwards", 1, 100, 64,
     {10, 0, 32, 32, 96, 0, -32, 32}, 1, {10, 0, 32, 32, 96, 0, -32, 32}},
    {"read backwards from past the source", 1, 100, 64,
     {10, 0, 32, 32, 110, 0, -32, 32}, 1, {10, 0, 22, 32, 100, 0, -22, 32}},
    {"read upwards", 1, 100, 64, {0, 0, 16, 16, 0, 16, 16, -16}, 1, {0, 0, 16, 16, 0, 16, 16, -16}},
    {"read backwards", 0, 100, 64, {10, 0, 32, 32, 96, 0, -32, 32}, 0, {}},
};

}  // namespace

TEST_P(BothBackEndsBlitTest, ClipRectTable)
{
    const int d3d = GetParam();
    ASSERT_TRUE(Up(d3d));
    for (const CLIPROW& row : kClipRows) {
        if (row.backEnd != -1 && row.backEnd != d3d) continue;
        SCOPED_TRACE(testing::Message() << (d3d ? "Direct3D " : "DirectDraw ") << row.what);
        DDSURFACEDATA target, source;
        target.nWidth = kScreenW, target.nHeight = kScreenH;
        source.nWidth = row.srcW, source.nHeight = row.srcH;
        int r[8];
        std::copy(row.in, row.in + 8, r);
        ASSERT_EQ(DDClipRect(&target, r[0], r[1], r[2], r[3], &source, r[4], r[5], r[6], r[7]),
                  row.result);
        if (row.result) {
            EXPECT_EQ(std::vector<int>(r, r + 8), std::vector<int>(row.out, row.out + 8));
        }
    }
    DDUnInit();
}

TEST_P(BothBackEndsBlitTest, MirrorRecordsReadTheirCellsBackwardsUnderDirect3DOnly)
{
    const int d3d = GetParam();
    DDSURFACEDATA plain, dup, flip;
    dup.lpShareSD = flip.lpShareSD = &plain;
    dup.nMirrorWidth = plain.nMirrorWidth = 32;
    flip.nMirrorHeight = 16;
    const struct {
        const char* what;
        DDSURFACEDATA* record;
        int in[4];   // sx, sy, sw, sh
        int out[4];
    } rows[] = {
        {"a whole cell", &dup, {64, 0, 32, 32}, {96, 0, -32, 32}},
        {"part of a cell", &dup, {72, 0, 16, 32}, {88, 0, -16, 32}},
        {"wider than a cell", &dup, {64, 0, 48, 32}, {64, 0, 48, 32}},
        {"a whole row cell", &flip, {0, 16, 32, 16}, {0, 32, 32, -16}},
        {"part of a row cell", &flip, {0, 4, 32, 8}, {0, 12, 32, -8}},
        {"a record that shares no texture", &plain, {64, 0, 32, 32}, {64, 0, 32, 32}},
    };
    ASSERT_TRUE(Up(d3d));
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << (d3d ? "Direct3D " : "DirectDraw ") << row.what);
        int r[4] = {row.in[0], row.in[1], row.in[2], row.in[3]};
        DDApplyMirror(row.record, r[0], r[1], r[2], r[3]);
        const int* want = d3d ? row.out : row.in;
        EXPECT_EQ(std::vector<int>(r, r + 4), std::vector<int>(want, want + 4));
    }
    DDUnInit();
}

TEST_P(BothBackEndsBlitTest, BlendPairHoldsForItsOwnBlitOnly)
{
    const int d3d = GetParam();
    ASSERT_TRUE(Up(d3d));
    DDSURFACEDATA blue;
    ASSERT_TRUE(DDCreateSurface(&blue, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFill(&blue, d3d ? 0xFF0000FF : 0x0000FF);
    DDFill(&Display.BackBuffer, d3d ? 0xFF000000 : 0);
    // The vertex alpha counts where the alpha operation takes it in.
    DDSetAlphaOp(D3DTOP_MODULATE);
    DDBltBlend(&Display.BackBuffer, 0, 0, 8, 8, &blue, 0, 0, 0, {0x80FFFFFF, D3DTOP_MODULATE});
    DDResetAlphaOp();
    DDBltStretchBlend(&Display.BackBuffer, 8, 0, 16, 8, &blue, 0, 0, 8, 8, 0,
                      {0xFF00FF00, D3DTOP_MODULATE});
    DDBlt(&Display.BackBuffer, 24, 0, 8, 8, &blue, 0, 0, 0);
    if (d3d) {
        EXPECT_EQ(Display.lpDTCon->dwVertexColor, 0xFFFFFFFFu);
        EXPECT_EQ(Display.lpDTCon->nColorOp, D3DTOP_MODULATE);
        const uint32_t half = ReadPixel(&Display.BackBuffer, 4, 4) & 0xFFFFFF;
        EXPECT_GE(half, 0x7Eu);
        EXPECT_LE(half, 0x81u);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 20, 4) & 0xFFFFFF, 0u);  // blue x green = black
    } else {
        // The pair is not read: plain copies.
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 4, 4) & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 20, 4) & 0xFFFFFF, 0x0000FFu);
    }
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 28, 4) & 0xFFFFFF, 0x0000FFu);
    DDReleaseSurface(&blue);
    DDUnInit();
}

TEST_P(BothBackEndsBlitTest, ModeOneFromASourceWithoutColourKeyCopiesItWhole)
{
    const int d3d = GetParam();
    ASSERT_TRUE(UpWithKey(d3d));
    DDSURFACEDATA plain;
    ASSERT_TRUE(DDCreateSurface(&plain, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFill(&plain, d3d ? 0xFF00FF00 : 0x00FF00);
    DDFill(&Display.BackBuffer, d3d ? 0xFF000000 : 0);
    DDBlt(&Display.BackBuffer, 0, 0, 8, 8, &plain, 0, 0, 1);
    DDBltStretch(&Display.BackBuffer, 8, 0, 16, 16, &plain, 0, 0, 8, 8, 1);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 4, 4) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 16, 8) & 0xFFFFFF, 0x00FF00u);
    DDReleaseSurface(&plain);
}

// A record of a table that was never loaded, or whose image failed to load,
// has no picture behind it: blits from it and into it, immediate or batched,
// draw nothing and touch nothing else.
TEST_P(BothBackEndsBlitTest, RecordsWithoutAPictureAreSkippedAsSourceAndTarget)
{
    const int d3d = GetParam();
    ASSERT_TRUE(Up(d3d));
    DDSURFACEDATA green, never, failed;
    ASSERT_TRUE(DDCreateSurface(&green, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFill(&green, d3d ? 0xFF00FF00 : 0x00FF00);
    DDFill(&Display.BackBuffer, d3d ? 0xFF000000 : 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&failed, "missing.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 8);
    for (DDSURFACEDATA* empty : {&never, &failed}) {
        // A size, as the records of the game's tables keep one, so that
        // clipping lets the blits through to the surfaces themselves.
        empty->nWidth = empty->nHeight = empty->nTexWidth = empty->nTexHeight = 8;
        for (int batched : {0, 1}) {
            if (batched) DDBeginSpriteBatch(0);
            DDBlt(&Display.BackBuffer, 0, 0, 8, 8, empty, 0, 0, 0);
            DDBltStretch(&Display.BackBuffer, 0, 0, 16, 16, empty, 0, 0, 8, 8, 1);
            DDBlt(empty, 0, 0, 8, 8, &green, 0, 0, 0);
            DDBltStretch(empty, 0, 0, 16, 16, &green, 0, 0, 8, 8, 1);
            if (batched) DDEndSpriteBatch();
        }
    }
    EXPECT_EQ(Batches.SpriteBatch.Sprites.size(), 0u);
    for (uint32_t p : ReadPixels(&Display.BackBuffer, 0, 0, 16, 16)) EXPECT_EQ(p & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadPixel(&green, 7, 7) & 0xFFFFFF, 0x00FF00u);
    DDReleaseSurface(&failed);
    DDReleaseSurface(&green);
    DDUnInit();
}

TEST_F(BlitTest, Direct3DTargetsOtherThanTheBackBuffer)
{
    WriteSceneImages();
    ASSERT_TRUE(UpWithKey(1));
    SceneSheets sheets;
    ASSERT_NO_FATAL_FAILURE(sheets.Load(DTMEMORYTYPE_VIDEO_RT));
    DDSURFACEDATA texture, memory;
    ASSERT_TRUE(DDCreateSurface(&texture, 64, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&memory, 64, 32, 1, 0, DTMEMORYTYPE_SYSTEM, 0, 0));
    ASSERT_EQ(memory.lpDT->bRenderTarget, 0);
    DDFill(&texture, 0xFF102030);
    DDFill(&memory, 0xFF102030);
    // Opaque copies of a keyed sheet: a render-target texture keeps the
    // transparent pixels as transparent black.
    DDBlt(&texture, 0, 0, 32, 32, &sheets.rec[PLAIN], 0, 0, 0);
    DDBlt(&texture, 32, 0, 32, 32, &sheets.rec[PLAIN], 0, 0, 1);
    // Into a texture that cannot be rendered to the copy goes through locks,
    // mirrored and stretched as anywhere else.
    DDBltStretch(&memory, -16, 0, 64, 32, &sheets.rec[MIRROR_DUP], 32, 0, 32, 16, 1);
    const std::vector<uint32_t> drawn = ReadPixels(&texture, 0, 0, 64, 32);
    const std::vector<uint32_t> copied = ReadPixels(&memory, 0, 0, 64, 32);
    for (int r = 0; r < 32; ++r)
        for (int c = 0; c < 64; ++c) {
            SCOPED_TRACE(testing::Message() << c << "," << r);
            const uint32_t sheet = SheetColour(c % 32, r);
            const uint32_t opaque = sheet == kKey ? 0u : 0xFF000000 | sheet;
            EXPECT_EQ(drawn[r * 64 + c], c < 32 || sheet != kKey ? opaque : 0xFF102030u);
            const int i = c + 16;
            const uint32_t mirrored =
                i < 64 ? SheetColour(MirrorIn(32 + i / 2, kCell), r / 2) : kKey;
            EXPECT_EQ(copied[r * 64 + c], mirrored == kKey ? 0xFF102030u : 0xFF000000 | mirrored);
        }
    DDReleaseSurface(&texture);
    DDReleaseSurface(&memory);

    // While the virtual back buffer stands in, what is aimed at BackBuffer
    // lands in it.
    DDFill(&Display.BackBuffer, 0xFF000000);
    DDSetVirBackBuffer(1);
    DDFill(&Display.BackBuffer, 0xFF000000);
    DDBlt(&Display.BackBuffer, 0, 0, 32, 32, &sheets.rec[PLAIN], 0, 0, 0);
    EXPECT_EQ(ReadPixel(&Display.VirBackBuffer, 1, 0) & 0xFFFFFF, SheetColour(1, 0));
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 1, 0) & 0xFFFFFF, 0u);
    DDSetVirBackBuffer(0);
}

TEST_F(BlitTest, LockedCopiesAtSixteenBitsKeepOrRepackTheirPixels)
{
    // A1R5G5B5 texture pixels: alpha bit, 5-bit channels; half of them transparent.
    auto texel = [](int c, int r) -> uint32_t {
        if ((c + r) % 2) return 0;
        return 0x8000 | (c & 31) << 10 | (r & 31) << 5 | ((c + r) & 31);
    };
    const int w = 8, h = 6;
    std::vector<WORD> src(w * h);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) src[r * w + c] = static_cast<WORD>(texel(c, r));
    const PIXELVIEW from = {reinterpret_cast<BYTE*>(src.data()), w, w, h, kPixelD3D1555};
    for (const PIXELLAYOUT& layout : {kPixelD3D1555, kPixelD3D565}) {
        SCOPED_TRACE(layout.nKind == PIXEL_D3D565 ? "into R5G6B5" : "into A1R5G5B5");
        std::vector<WORD> dst(w * h, 0x1234);
        const PIXELVIEW to = {reinterpret_cast<BYTE*>(dst.data()), w, w, h, layout};
        // Stretched twice and read backwards, partly off the left of the target.
        DDCopyPixels(to, from, -1, 0, 8, 6, 4, 0, -4, 3, 1, 0);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                const int i = c + 1;
                const uint32_t p = i < 8 ? texel(3 - i / 2, r / 2) : 0;
                uint32_t want = 0x1234;
                if (p) {
                    const uint32_t red = p >> 10 & 31, green = p >> 5 & 31, blue = p & 31;
                    want = layout.nKind == PIXEL_D3D565 ? red << 11 | green * 2 << 5 | blue : p;
                }
                EXPECT_EQ(dst[r * w + c], want) << c << "," << r;
            }
    }
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsBlitTest);
