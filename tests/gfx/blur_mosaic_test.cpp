// Blur and mosaic against reference versions written from their rules: in
// memory at every layout, then through real surfaces on both back ends.
#include <gtest/gtest.h>

#include "app/base/log.h"
#include "gfx/blur_mosaic.h"
#include "gfx/d3d_backend.h"
#include "gfx/fill.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "tests/gfx/gfx_support.h"
#include "tests/gfx/pixel_reference.h"

namespace {

const LAYOUTPAIR kLayouts[] = {
    {"D3D 32", PIXEL_D3D32, PIXEL_D3D32, {}, 0},
    {"D3D 16 texture", PIXEL_D3D1555, PIXEL_D3D1555, {}, 0},
    {"D3D 16 into the full-screen back buffer", PIXEL_D3D1555, PIXEL_D3D565, {}, 0},
    {"D3D 16 from the full-screen back buffer", PIXEL_D3D565, PIXEL_D3D1555, {}, 0},
    {"DirectDraw 16 565", PIXEL_DD16, PIXEL_DD16, kRefFormat565, 0xF81F},
    {"DirectDraw 16 555", PIXEL_DD16, PIXEL_DD16, kRefFormat555, 0x7C1F},
    {"DirectDraw 32", PIXEL_DD32, PIXEL_DD32, {}, 0x00FF00FF},
    {"DirectDraw 8", PIXEL_INDEX8, PIXEL_INDEX8, {}, 0x0F},
};

// {x, y, width, height, sx, sy, size (radius or block), mode}
struct RECTCASE {
    int x, y, width, height, sx, sy, size, mode;
};

const RECTCASE kCases[] = {
    {1, 1, 6, 5, 2, 3, 1, 0},
    {0, 0, 10, 8, 0, 0, 2, 1},
    {-3, 5, 9, 6, 1, 1, 2, 0},     // target rectangle partly outside the target
    {4, 2, 8, 7, 8, 4, 1, 1},      // source rectangle reaching past the source surface
    {2, 2, 7, 5, -2, -3, 3, 0},    // and starting before it
    {0, 0, 10, 8, 0, 0, 20, 1},    // size larger than the rectangle
    {3, 1, 5, 6, 1, 2, 3, 1},
};

}  // namespace

TEST(PixelEffects, BlurMatchesTheReferenceAtEveryLayout)
{
    for (const LAYOUTPAIR& pair : kLayouts) {
        if (pair.sourceKind == PIXEL_INDEX8) continue;  // no blur at 8 bits
        for (const RECTCASE& c : kCases) {
            for (int radiusY : {c.size, c.size + 1}) {
                SCOPED_TRACE(testing::Message() << pair.name << " rect " << c.x << "," << c.y << " "
                                                << c.width << "x" << c.height << " from " << c.sx
                                                << "," << c.sy << " r " << c.size << "/" << radiusY
                                                << " mode " << c.mode);
                const REFIMAGE source = MakeRefImage(pair.sourceKind, 12, 10, 7, pair.transmit, pair.dd16);
                REFIMAGE expected = MakeRefImage(pair.targetKind, 10, 8, 99, pair.transmit, pair.dd16);
                VIEWBUFFER target = ToView(expected);
                const VIEWBUFFER from = ToView(source);
                BlurPixels(target.view, from.view, c.x, c.y, c.width, c.height, c.size, radiusY, c.sx,
                           c.sy, c.mode, pair.transmit);
                RefBlur(expected, source, c.x, c.y, c.width, c.height, c.size, radiusY, c.sx, c.sy,
                        c.mode, pair.transmit);
                EXPECT_TRUE(SameImage(FromView(target, expected), expected));
            }
        }
    }
}

TEST(PixelEffects, MosaicMatchesTheReferenceAtEveryLayout)
{
    for (const LAYOUTPAIR& pair : kLayouts) {
        for (const RECTCASE& c : kCases) {
            for (int size : {1, c.size, c.size + 2}) {
                SCOPED_TRACE(testing::Message() << pair.name << " rect " << c.x << "," << c.y << " "
                                                << c.width << "x" << c.height << " from " << c.sx
                                                << "," << c.sy << " size " << size << " mode " << c.mode);
                const REFIMAGE source = MakeRefImage(pair.sourceKind, 12, 10, 3, pair.transmit, pair.dd16);
                REFIMAGE expected = MakeRefImage(pair.targetKind, 10, 8, 42, pair.transmit, pair.dd16);
                VIEWBUFFER target = ToView(expected);
                const VIEWBUFFER from = ToView(source);
                MosaicPixels(target.view, from.view, c.x, c.y, c.width, c.height, size, c.sx, c.sy,
                             c.mode, pair.transmit);
                RefMosaic(expected, source, c.x, c.y, c.width, c.height, size, c.sx, c.sy, c.mode,
                          pair.transmit);
                EXPECT_TRUE(SameImage(FromView(target, expected), expected));
            }
        }
    }
}

// The reference itself, on cases worked out by hand.
TEST(PixelEffects, HandWorkedBlurAndMosaic)
{
    REFIMAGE source;
    source.nKind = PIXEL_D3D32;
    source.nWidth = 3, source.nHeight = 2;
    source.pixels = {0xFF000010, 0xFF000020, 0x00000030,   // the third is transparent
                     0xFF000040, 0xFF000050, 0xFF000060};
    REFIMAGE target = source;
    target.pixels.assign(6, 0x11111111);
    VIEWBUFFER view = ToView(target);
    const VIEWBUFFER from = ToView(source);
    // Radius 1: the pixel, its left, upper and upper-left neighbours inside the rectangle.
    BlurPixels(view.view, from.view, 0, 0, 3, 2, 1, 1, 0, 0, 0, 0);
    const REFIMAGE blurred = FromView(view, target);
    EXPECT_EQ(blurred.At(0, 0), 0xFF000010u);
    EXPECT_EQ(blurred.At(1, 0), 0xFF000018u);                     // (0x10 + 0x20) / 2
    EXPECT_EQ(blurred.At(1, 1), 0xFF000030u);                     // (0x10 + 0x20 + 0x40 + 0x50) / 4
    EXPECT_EQ(blurred.At(2, 1), (0xFF000000u | (0x20 + 0x30 + 0x50 + 0x60) / 4));
    // Mode 1: the transparent centre stays; transparent samples are left out.
    view = ToView(target);
    BlurPixels(view.view, from.view, 0, 0, 3, 2, 1, 1, 0, 0, 1, 0);
    const REFIMAGE keyed = FromView(view, target);
    EXPECT_EQ(keyed.At(2, 0), 0x11111111u);
    EXPECT_EQ(keyed.At(2, 1), (0xFF000000u | (0x20 + 0x50 + 0x60) / 3));
    // A block larger than the rectangle: one colour, the average, opaque.
    view = ToView(target);
    MosaicPixels(view.view, from.view, 0, 0, 3, 2, 8, 0, 0, 0, 0);
    EXPECT_EQ(FromView(view, target).At(2, 1), 0xFF000038u);     // 0x150 / 6
    // Block size 0 and below, radius 0 and below: nothing.
    view = ToView(target);
    MosaicPixels(view.view, from.view, 0, 0, 3, 2, 0, 0, 0, 0, 0);
    MosaicPixels(view.view, from.view, 0, 0, 3, 2, -4, 0, 0, 0, 0);
    BlurPixels(view.view, from.view, 0, 0, 3, 2, -1, -1, 0, 0, 0, 0);
    BlurPixels(view.view, from.view, 0, 0, 3, 2, 0, 2, 0, 0, 0, 0);
    EXPECT_EQ(FromView(view, target).pixels, target.pixels);
}


using BothBackEndsBlurMosaic = OnBothBackEnds<DisplayTest>;

// Through real surfaces: the locks, the layouts the display gives and the
// upload of the drawn pixels, on both back ends.
TEST_P(BothBackEndsBlurMosaic, BlurAndMosaicOnSurfacesMatchTheReference)
{
    const int d3d = GetParam();
    WriteNoiseBmp("source.bmp", 12, 10, 5, 5, 2);
    ASSERT_TRUE(Up(d3d));
    const int kind = d3d ? PIXEL_D3D32 : PIXEL_DD32;
    Display.dwTransmit = 0;  // black, as the Direct3D loader keys it out
    DDSURFACEDATA source, target;
    ASSERT_EQ(DDCreateSurfaceFromFile(&source, "source.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&target, 10, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    const REFIMAGE from = ReadRef(&source, kind);
    for (const RECTCASE& c : kCases) {
        for (int blur : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "d3d " << d3d << (blur ? " blur" : " mosaic")
                                            << " rect " << c.x << "," << c.y << " from " << c.sx
                                            << "," << c.sy << " size " << c.size << " mode " << c.mode);
            DDFill(&target, d3d ? 0xFF203040 : 0x203040);
            REFIMAGE expected = ReadRef(&target, kind);
            if (blur) {
                ASSERT_TRUE(DDBlur(&target, c.x, c.y, c.width, c.height, c.size, c.size, &source,
                                   c.sx, c.sy, c.mode));
                RefBlur(expected, from, c.x, c.y, c.width, c.height, c.size, c.size, c.sx, c.sy,
                        c.mode, 0);
            } else {
                ASSERT_TRUE(DDMosaic(&target, c.x, c.y, c.width, c.height, c.size, &source, c.sx,
                                     c.sy, c.mode));
                RefMosaic(expected, from, c.x, c.y, c.width, c.height, c.size, c.sx, c.sy, c.mode,
                          0);
            }
            EXPECT_TRUE(SameImage(ReadRef(&target, kind), expected));
        }
    }
    // One surface as its own source: locked once; the blocks read
    // themselves before they are written.
    DDSURFACEDATA* const self = &target;
    DDBlur(self, 0, 0, 10, 8, 1, 1, &source, 0, 0, 0);
    REFIMAGE expected = ReadRef(self, kind);
    ASSERT_TRUE(DDMosaic(self, 1, 1, 9, 7, 3, self, 1, 1, 0));
    RefMosaic(expected, REFIMAGE(expected), 1, 1, 9, 7, 3, 1, 1, 0, 0);
    EXPECT_TRUE(SameImage(ReadRef(self, kind), expected));
    EXPECT_TRUE(DDBlur(self, 0, 0, 10, 8, 2, 2, self, 0, 0, 1));

    // The back buffer as target.
    DDFill(&Display.BackBuffer, d3d ? 0xFF000000 : 0);
    ASSERT_TRUE(DDMosaic(&Display.BackBuffer, 630, 470, 12, 10, 12, &source, 0, 0, 0));
    REFIMAGE whole = from;
    RefMosaic(whole, from, 0, 0, 12, 10, 12, 0, 0, 0, 0);
    const uint32_t block = whole.At(0, 0) & 0xFFFFFF;
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 630, 470) & 0xFFFFFF, block);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 639, 479) & 0xFFFFFF, block);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 629, 470) & 0xFFFFFF, 0u);

    // Failed locks: false, and nothing drawn.
    DDSURFACEDATA never;
    EXPECT_FALSE(DDBlur(&never, 0, 0, 4, 4, 1, 1, &source, 0, 0, 0));
    EXPECT_FALSE(DDMosaic(&target, 0, 0, 4, 4, 2, &never, 0, 0, 0));
    // Nothing to do is no failure, whatever the surfaces.
    EXPECT_TRUE(DDBlur(&never, 0, 0, 4, 4, 0, 1, &never, 0, 0, 0));
    EXPECT_TRUE(DDBlur(&never, 0, 0, 4, 4, -2, -2, &never, 0, 0, 0));
    EXPECT_TRUE(DDMosaic(&never, 0, 0, 4, 4, 0, &never, 0, 0, 0));
    EXPECT_TRUE(DDMosaic(&never, 0, 0, 4, 4, -3, &never, 0, 0, 0));
    DDReleaseSurface(&source);
    DDReleaseSurface(&target);
    DDUnInit();
}

TEST_F(DisplayTest, NoBlurAtEightBits)
{
    ASSERT_TRUE(Up(0, 8));
    EXPECT_TRUE(DDBlur(&Display.BackBuffer, 0, 0, 8, 8, 1, 1, &Display.BackBuffer, 0, 0, 0));
    EXPECT_EQ(TraceText(), "8ビットぼかしは不可能！\n");
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsBlurMosaic);
