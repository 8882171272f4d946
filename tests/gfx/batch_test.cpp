#include <gtest/gtest.h>

#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/scene.h"
#include "gfx/surface.h"
#include "gfx/surface_lock.h"
#include "tests/gfx/gfx_support.h"

namespace {

uint32_t Rgb(DDSURFACEDATA* sd, int x, int y)
{
    return ReadPixel(sd, x, y) & 0xFFFFFF;
}

}  // namespace

TEST_F(DisplayTest, SceneOpensOnceAndRenderTargetsAreOnlyWhatCanBeOne)
{
    EXPECT_EQ(DDBeginScene(), 0);  // no device
    WriteBmp("tile.bmp", 4, 4, 24, std::vector<uint32_t>(16, 0x00FF00));
    ASSERT_TRUE(Up(1));
    EXPECT_EQ(DDBeginScene(), 1);
    EXPECT_EQ(DDBeginScene(), 1);
    EXPECT_EQ(Display.lpDTCon->bInScene, 1);
    DDEndScene();
    EXPECT_EQ(Display.lpDTCon->bInScene, 0);
    DDEndScene();

    DDSURFACEDATA image, target, empty;
    ASSERT_EQ(DDCreateSurfaceFromFile(&image, "tile.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&target, 4, 4, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    EXPECT_EQ(DDSetRenderTarget(0, &image), 0);
    EXPECT_EQ(DDSetRenderTarget(0, &empty), 0);
    EXPECT_EQ(DDSetRenderTarget(0, &target), 1);
    EXPECT_EQ(DDSetRenderTarget(7, &Display.BackBuffer), 1);
    DDReleaseSurface(&image);
    DDReleaseSurface(&target);
}

TEST_F(DisplayTest, RectBatchDrawsAtItsEndInRunsPerTarget)
{
    ASSERT_TRUE(Up(1));
    Display.lpDTCon->dwTransmitBack = 0xFFFF00FF;
    DDSURFACEDATA work, keyed;
    ASSERT_TRUE(DDCreateSurface(&work, 16, 16, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&keyed, 16, 16, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFill(&Display.BackBuffer, 0xFF000000);
    DDFill(&work, 0xFF000000);

    DDBeginRectBatch();
    DDFillRect(&Display.BackBuffer, 0, 0, 4, 4, 0xFFFF0000);
    DDFillRect(&work, -2, 0, 4, 4, 0xFF00FF00);
    DDFillRect(&Display.BackBuffer, 4, 0, 4, 4, 0xFF0000FF);
    // A keyed surface filled with its transparent form is cleared at once.
    DDFillRect(&keyed, 0, 0, 16, 16, 0);
    EXPECT_EQ(ReadPixel(&keyed, 3, 3), 0u);
    ASSERT_EQ(Batches.RectBatch.Rects.size(), 3u);
    EXPECT_EQ(Batches.RectBatch.Rects[1].x, 0);      // clipped when collected
    EXPECT_EQ(Batches.RectBatch.Rects[1].nWidth, 2);
    EXPECT_EQ(Rgb(&Display.BackBuffer, 1, 1), 0u);   // nothing drawn yet
    EXPECT_EQ(Rgb(&work, 1, 1), 0u);

    DDEndRectBatch();
    EXPECT_EQ(Batches.RectBatch.bBatching, 0);
    EXPECT_TRUE(Batches.RectBatch.Rects.empty());
    EXPECT_EQ(Rgb(&Display.BackBuffer, 3, 3), 0xFF0000u);
    EXPECT_EQ(Rgb(&Display.BackBuffer, 4, 0), 0x0000FFu);
    EXPECT_EQ(Rgb(&Display.BackBuffer, 8, 0), 0u);
    EXPECT_EQ(ReadPixel(&work, 1, 3), 0xFF00FF00u);
    EXPECT_EQ(ReadPixel(&work, 2, 3), 0xFF000000u);

    // Opening the batch again while it holds fills draws them first.
    DDBeginRectBatch();
    DDFillRect(&Display.BackBuffer, 0, 8, 4, 4, 0xFFFFFF00);
    DDBeginRectBatch();
    EXPECT_TRUE(Batches.RectBatch.Rects.empty());
    EXPECT_EQ(Rgb(&Display.BackBuffer, 1, 9), 0xFFFF00u);
    // A collected entry aimed at a surface that cannot be a target draws nothing.
    DDCollectRect(&keyed, 0, 0, 2, 2, 0xFFFFFFFF);
    keyed.lpDT->bRenderTarget = 0;
    DDEndRectBatch();
    keyed.lpDT->bRenderTarget = 1;
    EXPECT_EQ(ReadPixel(&keyed, 1, 1), 0u);
    DDReleaseSurface(&work);
    DDReleaseSurface(&keyed);
}

TEST_F(DisplayTest, SpriteBatchOrdersRunsAndClearsKeyedRectanglesFirst)
{
    ASSERT_TRUE(Up(1));
    Display.lpDTCon->dwTransmitBack = 0xFFFF00FF;
    DDSURFACEDATA red, green, sprite;
    ASSERT_TRUE(DDCreateSurface(&red, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&green, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&sprite, 8, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFill(&red, 0xFFFF0000);
    DDFill(&green, 0xFF00FF00);
    // The sprite: left half transparent, right half red.
    DDFillRect(&sprite, 0, 0, 4, 8, 0);
    DDFillRect(&sprite, 4, 0, 4, 8, 0xFFFF0000);
    DDFill(&Display.BackBuffer, 0xFF0000FF);

    EXPECT_EQ(DDSetSpriteOrder(&green), 0);  // no sorted batch open
    for (int sort : {0, 1}) {
        SCOPED_TRACE(sort);
        DDBeginSpriteBatch(sort);
        if (sort) {
            EXPECT_EQ(DDSetSpriteOrder(&green), 1);
            EXPECT_EQ(DDSetSpriteOrder(&green), 0);
            EXPECT_EQ(Batches.SpriteBatch.Order[0].nBaseKey, 100000);
        }
        DDCollectSprite(&Display.BackBuffer, 20 * sort, 0, 8, 8, &green, 0, 0, 8, 8, 1);
        DDCollectSprite(&Display.BackBuffer, 20 * sort, 0, 8, 8, &red, 0, 0, 8, 8, 1);
        EXPECT_EQ(Batches.SpriteBatch.Sprites[0].nSortKey, sort ? 100000 : 0);
        EXPECT_EQ(Batches.SpriteBatch.Sprites[1].nSortKey, 1);
        EXPECT_EQ(Rgb(&Display.BackBuffer, 20 * sort + 2, 2), 0x0000FFu);
        EXPECT_EQ(DDEndSpriteBatch(), 1);
        // Unsorted the last collected is on top; sorted the registered source comes last.
        EXPECT_EQ(Rgb(&Display.BackBuffer, 20 * sort + 2, 2), sort ? 0x00FF00u : 0xFF0000u);
    }

    // Two overlapping opaque copies of a keyed sprite in one run: both
    // rectangles are cleared to the transparent colour before either is
    // drawn, so the first shows through the second's transparent half.
    DDBeginSpriteBatch(0);
    DDCollectSprite(&Display.BackBuffer, 40, 0, 8, 8, &sprite, 0, 0, 8, 8, 0);
    DDCollectSprite(&Display.BackBuffer, 44, 0, 8, 8, &sprite, 0, 0, 8, 8, 0);
    DDCollectSprite(&Display.BackBuffer, 60, 0, 8, 8, &sprite, 0, 0, 8, 8, 1);
    DDEndSpriteBatch();
    const std::vector<uint32_t> row = ReadPixels(&Display.BackBuffer, 40, 4, 28, 1);
    for (int x = 0; x < 28; ++x) {
        uint32_t expected = 0x0000FF;                     // untouched
        if (x < 4) expected = 0xFF00FF;                   // cleared, transparent half
        else if (x < 12) expected = 0xFF0000;             // red halves
        else if (x >= 20 && x < 24) expected = 0x0000FF;  // mode 1: transparent half skipped
        else if (x >= 24) expected = 0xFF0000;
        EXPECT_EQ(row[x] & 0xFFFFFF, expected) << x;
    }

    // A negative source width reads the source from right to left.
    DDSURFACEDATA ramp;
    ASSERT_TRUE(DDCreateSurface(&ramp, 8, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    for (int x = 0; x < 8; ++x) DDFillRect(&ramp, x, 0, 1, 1, 0xFF000000 | (x + 1) * 0x10);
    DDBeginSpriteBatch(0);
    DDCollectSprite(&Display.BackBuffer, 120, 0, 8, 1, &ramp, 8, 0, -8, 1, 1);
    DDEndSpriteBatch();
    const std::vector<uint32_t> mirrored = ReadPixels(&Display.BackBuffer, 120, 0, 8, 1);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(mirrored[x] & 0xFFFFFF, (8u - x) * 0x10) << x;
    DDReleaseSurface(&ramp);

    // Nothing collected: the batch only closes; reopening draws what it held.
    DDBeginSpriteBatch(0);
    EXPECT_EQ(DDEndSpriteBatch(), 0);
    EXPECT_EQ(Batches.SpriteBatch.bBatching, 0);
    DDBeginSpriteBatch(0);
    DDCollectSprite(&Display.BackBuffer, 100, 0, 8, 8, &green, 0, 0, 8, 8, 1);
    DDBeginSpriteBatch(1);
    EXPECT_EQ(Rgb(&Display.BackBuffer, 101, 1), 0x00FF00u);
    DDSURFACEDATA empty;
    DDCollectSprite(&Display.BackBuffer, 0, 0, 8, 8, &empty, 0, 0, 8, 8, 1);  // never loaded
    EXPECT_TRUE(Batches.SpriteBatch.Sprites.empty());
    DDEndSpriteBatch();

    // A run longer than 16-bit indices reach draws its last quads too.
    DDBeginSpriteBatch(0);
    for (int k = 0; k < 16384; ++k) DDCollectSprite(&Display.BackBuffer, 140, 0, 1, 1, &green, 0, 0, 1, 1, 1);
    DDCollectSprite(&Display.BackBuffer, 141, 0, 1, 1, &green, 0, 0, 1, 1, 1);
    DDEndSpriteBatch();
    EXPECT_EQ(Rgb(&Display.BackBuffer, 141, 0), 0x00FF00u);
    for (DDSURFACEDATA* sd : {&red, &green, &sprite}) DDReleaseSurface(sd);
}

// Fills are drawn together, later than they are made; every picture must still
// be the one of drawing each at once.
TEST_F(DisplayTest, FillsLandWhereDrawingThemAtOnceWouldPutThem)
{
    ASSERT_TRUE(Up(1));
    DDSURFACEDATA green, work;
    ASSERT_TRUE(DDCreateSurface(&green, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&work, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFill(&green, 0xFF00FF00);
    DDFill(&Display.BackBuffer, 0xFF0000FF);

    // A fill made while the sprite batch is open lies under the sprites
    // collected before it as well as after it.
    DDBeginSpriteBatch(0);
    DDBlt(&Display.BackBuffer, 0, 0, 8, 8, &green, 0, 0, 1);
    DDFillRect(&Display.BackBuffer, 4, 0, 8, 8, 0xFFFF0000);
    DDBlt(&Display.BackBuffer, 10, 0, 8, 8, &green, 0, 0, 1);
    DDEndSpriteBatch();
    const std::vector<uint32_t> batched = ReadPixels(&Display.BackBuffer, 0, 2, 18, 1);
    for (int x = 0; x < 18; ++x) {
        const uint32_t expected = x < 8 || x >= 10 ? 0x00FF00u : 0xFF0000u;
        EXPECT_EQ(batched[x] & 0xFFFFFF, expected) << x;
    }

    // Outside a batch: a blit after a fill covers it, a fill after a blit
    // covers that, and alternating targets keep their order.
    DDFillRect(&Display.BackBuffer, 20, 0, 8, 8, 0xFFFF0000);
    DDBlt(&Display.BackBuffer, 20, 0, 4, 8, &green, 0, 0, 1);
    DDBlt(&Display.BackBuffer, 28, 0, 8, 8, &green, 0, 0, 1);
    DDFillRect(&Display.BackBuffer, 28, 0, 4, 8, 0xFFFF0000);
    DDFillRect(&Display.BackBuffer, 36, 0, 8, 8, 0xFFFF0000);
    DDFill(&work, 0xFFFFFF00);
    DDFillRect(&Display.BackBuffer, 36, 0, 4, 8, 0xFFFFFFFF);
    // A surface filled and then copied from shows its fill.
    DDBlt(&Display.BackBuffer, 44, 0, 8, 8, &work, 0, 0, 0);
    const std::vector<uint32_t> row = ReadPixels(&Display.BackBuffer, 20, 4, 32, 1);
    const uint32_t expected[] = {0x00FF00, 0xFF0000, 0xFF0000, 0x00FF00,
                                 0xFFFFFF, 0xFF0000, 0xFFFF00, 0xFFFF00};
    for (int x = 0; x < 32; ++x) EXPECT_EQ(row[x] & 0xFFFFFF, expected[x / 4]) << x;

    // A lock reads the fills made before it, within the open scene.
    ASSERT_EQ(DDBeginScene(), 1);
    DDFillRect(&work, 0, 0, 2, 2, 0xFF00FFFF);
    {
        cSurfaceLock lock(&work);
        ASSERT_TRUE(lock.Locked());
        EXPECT_EQ(lock.Row<DWORD>(1)[1], 0xFF00FFFFu);
        EXPECT_EQ(lock.Row<DWORD>(3)[3], 0xFFFFFF00u);
    }
    // A surface released with a fill still to draw leaves nothing behind.
    DDFill(&work, 0xFF000000);
    DDReleaseSurface(&work);
    DDEndScene();
    DDReleaseSurface(&green);
}

TEST_F(DisplayTest, BatchesDoNothingUnderDirectDraw)
{
    ASSERT_TRUE(Up(0));
    DDBeginRectBatch();
    EXPECT_EQ(Batches.RectBatch.bBatching, 0);
    DDFillRect(&Display.BackBuffer, 0, 0, 2, 2, 0x00FF00);
    EXPECT_EQ(Rgb(&Display.BackBuffer, 1, 1), 0x00FF00u);
    DDEndRectBatch();
    DDBeginSpriteBatch(1);
    EXPECT_EQ(Batches.SpriteBatch.bBatching, 0);
    EXPECT_EQ(DDSetSpriteOrder(&Display.BackBuffer), 0);
    EXPECT_EQ(DDEndSpriteBatch(), 0);
    EXPECT_EQ(DDBeginScene(), 0);
    EXPECT_EQ(DDSetRenderTarget(0, &Display.BackBuffer), 0);
}
