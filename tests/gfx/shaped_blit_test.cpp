// The circle, lens and rotation blits: the pixel work against reference
// versions at every layout, then through real surfaces on both back ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/shaped_blit.h"
#include "gfx/surface.h"
#include "gfx/transparent_colour.h"
#include "tests/gfx/gfx_support.h"
#include "tests/gfx/pixel_reference.h"

namespace {

const LAYOUTPAIR kLayouts[] = {
    {"D3D 32", PIXEL_D3D32, PIXEL_D3D32, {}, 0},
    {"D3D 16 texture", PIXEL_D3D1555, PIXEL_D3D1555, {}, 0},
    {"D3D 16 into the full-screen back buffer", PIXEL_D3D1555, PIXEL_D3D565, {}, 0},
    {"DirectDraw 16", PIXEL_DD16, PIXEL_DD16, kRefFormat565, 0xF81F},
    {"DirectDraw 32", PIXEL_DD32, PIXEL_DD32, {}, 0x00FF00FF},
    {"DirectDraw 8", PIXEL_INDEX8, PIXEL_INDEX8, {}, 0x0F},
};

// {target centre, radius, depth, source centre, mode}
struct LENSCASE {
    int tcx, tcy, radius, depth, scx, scy, mode;
};

const LENSCASE kLensCases[] = {
    {12, 10, 6, 3, 12, 10, 1},
    {12, 10, 6, 3, 12, 10, 0},
    {3, 2, 7, 10, 9, 8, 1},     // disc past the target's top-left corner
    {20, 16, 5, 0, 4, 4, 0},    // depth 0: the centre pixel nearly everywhere
    {10, 8, 9, 2, 22, 17, 1},   // source centre at the source's corner
    {8, 9, 6, 12, 2, 15, 0},    // a deep sphere: hardly magnified
};

// {target position, rectangle, pivot, angle, source position, mode}
struct ROTATECASE {
    int x, y, width, height, pivotX, pivotY, angle, sx, sy, mode;
};

const ROTATECASE kRotateCases[] = {
    {12, 10, 9, 7, 4, 3, 0, 2, 1, 1},
    {12, 10, 9, 7, 4, 3, 90, 2, 1, 0},
    {12, 10, 10, 6, 5, 3, 30, 0, 0, 1},
    {12, 10, 10, 6, 5, 3, 135, 3, 2, 1},
    {12, 10, 8, 8, 4, 4, 180, 1, 1, 0},
    {12, 10, 11, 5, 5, 2, 270, 0, 3, 1},
    {12, 10, 7, 9, 3, 4, -45, 5, 0, 1},
    {2, 1, 12, 10, 6, 5, 377, 0, 0, 1},     // past the target's edges, beyond a full turn
    {12, 10, 12, 8, 6, 4, 60, 18, 14, 0},   // rectangle reaching past the source's right and bottom
    {12, 10, 12, 8, 6, 4, 20, -4, -3, 1},   // and starting left of and above it
    {12, 10, 9, 7, 0, 0, 45, 2, 1, 1},      // pivot at a corner
};

}  // namespace

TEST(ShapedPixels, LensMatchesTheReferenceAtEveryLayout)
{
    for (const LAYOUTPAIR& pair : kLayouts)
        for (const LENSCASE& c : kLensCases)
            for (int clear : {0, 1}) {
                SCOPED_TRACE(testing::Message() << pair.name << " at " << c.tcx << "," << c.tcy
                                                << " r " << c.radius << " d " << c.depth << " from "
                                                << c.scx << "," << c.scy << " mode " << c.mode
                                                << " clear " << clear);
                const REFIMAGE source = MakeRefImage(pair.sourceKind, 23, 18, 11, pair.transmit, pair.dd16);
                REFIMAGE expected = MakeRefImage(pair.targetKind, 26, 21, 5, pair.transmit, pair.dd16);
                VIEWBUFFER target = ToView(expected);
                const VIEWBUFFER from = ToView(source);
                LensPixels(target.view, from.view, c.tcx, c.tcy, c.radius, c.depth, c.scx, c.scy,
                           c.mode, clear, pair.transmit);
                RefLens(expected, source, c.tcx, c.tcy, c.radius, c.depth, c.scx, c.scy, c.mode,
                        clear, pair.transmit);
                EXPECT_TRUE(SameImage(FromView(target, expected), expected));
            }
}

TEST(ShapedPixels, RotationMatchesTheReferenceAtEveryLayout)
{
    for (const LAYOUTPAIR& pair : kLayouts)
        for (const ROTATECASE& c : kRotateCases) {
            SCOPED_TRACE(testing::Message() << pair.name << " at " << c.x << "," << c.y << " "
                                            << c.width << "x" << c.height << " pivot " << c.pivotX
                                            << "," << c.pivotY << " angle " << c.angle << " from "
                                            << c.sx << "," << c.sy << " mode " << c.mode);
            const REFIMAGE source = MakeRefImage(pair.sourceKind, 20, 16, 3, pair.transmit, pair.dd16);
            REFIMAGE expected = MakeRefImage(pair.targetKind, 26, 22, 8, pair.transmit, pair.dd16);
            VIEWBUFFER target = ToView(expected);
            const VIEWBUFFER from = ToView(source);
            RotatePixels(target.view, from.view, c.x, c.y, c.width, c.height, c.pivotX, c.pivotY,
                         c.angle, c.sx, c.sy, c.mode, pair.transmit);
            RefRotate(expected, source, c.x, c.y, c.width, c.height, c.pivotX, c.pivotY, c.angle,
                      c.sx, c.sy, c.mode, pair.transmit);
            EXPECT_TRUE(SameImage(FromView(target, expected), expected));
        }
}

// The references themselves, on cases worked out by hand.
TEST(ShapedPixels, HandWorkedLensAndRotation)
{
    // A transparent colour that no pixel has.
    const DWORD none = 0xFFFFFFFF;
    REFIMAGE source = MakeRefImage(PIXEL_DD32, 16, 16, 21, 0xFF00FF);
    for (uint32_t& p : source.pixels) p &= 0xFFFFFF;
    const REFIMAGE blank = [] {
        REFIMAGE im = MakeRefImage(PIXEL_DD32, 16, 16, 1, 0);
        im.pixels.assign(im.pixels.size(), 0x01010101);
        return im;
    }();

    // Depth 0: the centre source pixel over the disc, except where the rim
    // meets the sphere (Z = 0), which shows its own place.
    VIEWBUFFER view = ToView(blank);
    LensPixels(view.view, ToView(source).view, 8, 8, 5, 0, 8, 8, 0, 0, none);
    REFIMAGE lens = FromView(view, blank);
    for (int j = -5; j <= 5; ++j)
        for (int i = -5; i <= 5; ++i) {
            const int n = i * i + j * j;
            const uint32_t want = n > 25 ? 0x01010101 : n == 25 ? source.At(8 + i, 8 + j) : source.At(8, 8);
            EXPECT_EQ(lens.At(8 + i, 8 + j), want) << i << "," << j;
        }

    // 0 degrees: the rectangle as it is, its pivot at (x, y).
    view = ToView(blank);
    RotatePixels(view.view, ToView(source).view, 8, 7, 5, 3, 2, 1, 0, 4, 6, 0, none);
    REFIMAGE turned = FromView(view, blank);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 6 && x < 11 && y >= 6 && y < 9;
            EXPECT_EQ(turned.At(x, y), inside ? source.At(x - 6 + 4, y - 6 + 6) : 0x01010101u)
                << x << "," << y;
        }
    // 90 degrees: the 5 x 3 rectangle stands 3 wide and 5 high.
    view = ToView(blank);
    RotatePixels(view.view, ToView(source).view, 8, 7, 5, 3, 2, 1, 90, 4, 6, 0, none);
    turned = FromView(view, blank);
    int left = 16, right = -1, top = 16, bottom = -1;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (turned.At(x, y) != 0x01010101u)
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                bottom = std::max(bottom, y);
    EXPECT_EQ(right - left + 1, 3);
    EXPECT_EQ(bottom - top + 1, 5);
}

namespace {

constexpr uint32_t kBack = 0x102030;

// Every pixel its own colour, none of them the background or the transparent colour.
uint32_t PictureColour(int c, int r)
{
    return static_cast<uint32_t>(4 * c + 3) << 16 | static_cast<uint32_t>(5 * r + 7) << 8 | 0x99;
}

void WritePicture(const char* name, int width, int height, bool keyed)
{
    std::vector<uint32_t> pixels;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            pixels.push_back(keyed && (c + 3 * r) % 5 == 0 ? 0xFF00FF : PictureColour(c, r));
    WriteBmp(name, width, height, 24, pixels);
}

struct Surfaces {
    DDSURFACEDATA target, source, keyed;
    ~Surfaces()
    {
        DDReleaseSurface(&target);
        DDReleaseSurface(&source);
        DDReleaseSurface(&keyed);
    }
};

class ShapedBlitTest : public DisplayTest {};

}  // namespace

using BothBackEndsShapedBlitTest = OnBothBackEnds<ShapedBlitTest>;

// Band height 1: 2r rows, the widest 2(r - 1), none at the row -r; bands
// of several rows take their width from their middle row; the half extents
// cut the disc to a box.
TEST_P(BothBackEndsShapedBlitTest, CircleBandsOnBothBackEnds)
{
    const int d3d = GetParam();
    WritePicture("picture.bmp", 40, 40, false);
    // {radius, band, half width, half height, row widths from centre row -r .. r - 1}
    struct CIRCLECASE {
        int radius, band, halfWidth, halfHeight;
        std::vector<int> widths;
    };
    const CIRCLECASE cases[] = {
        {6, 1, 99, 99, {0, 6, 8, 10, 10, 10, 10, 10, 10, 10, 8, 6}},
        {10, 3, 99, 99, {0, 0, 14, 14, 14, 18, 18, 18, 18, 18, 18, 18, 18, 18, 16, 16, 16, 12, 12, 12}},
        // Cut to 4 either side across and 5 up and down: the top band is moved
        // down to end at row 4 and the bottom one up to start at row -5.
        {10, 4, 4, 5, {0, 0, 0, 0, 0, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 0, 0, 0, 0, 0}},
    };
    ASSERT_TRUE(Up(d3d));
    Surfaces s;
    ASSERT_EQ(DDCreateSurfaceFromFile(&s.source, "picture.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    for (const CIRCLECASE& c : cases) {
        SCOPED_TRACE(testing::Message() << "r " << c.radius << " band " << c.band);
        DDFill(&Display.BackBuffer, d3d ? 0xFF000000 | kBack : kBack);
        const int tcx = 100, tcy = 60, scx = 20, scy = 20;
        DDBltCircle(&Display.BackBuffer, tcx, tcy, c.halfWidth, c.halfHeight, c.radius, c.band,
                    &s.source, scx, scy, 0);
        const int r = c.radius;
        const std::vector<uint32_t> frame = ReadPixels(&Display.BackBuffer, tcx - 20, tcy - 20, 40, 40);
        for (int dy = -20; dy < 20; ++dy) {
            const int want = dy >= -r && dy < r ? c.widths[dy + r] : 0;
            int drawn = 0;
            for (int dx = -20; dx < 20; ++dx) {
                const uint32_t p = frame[(dy + 20) * 40 + dx + 20] & 0xFFFFFF;
                if (p == kBack) continue;
                ++drawn;
                // Centred, and copied from the same place of the source.
                EXPECT_TRUE(dx >= -want / 2 && dx < want / 2) << dx << "," << dy;
                EXPECT_EQ(p, PictureColour(scx + dx, scy + dy)) << dx << "," << dy;
            }
            EXPECT_EQ(drawn, want) << "row " << dy;
        }
    }
    // Nothing without a radius or a band height.
    DDFill(&Display.BackBuffer, d3d ? 0xFF000000 | kBack : kBack);
    EXPECT_EQ(DDBltCircle(&Display.BackBuffer, 100, 60, 99, 99, 0, 1, &s.source, 20, 20, 0), 0);
    EXPECT_EQ(DDBltCircle(&Display.BackBuffer, 100, 60, 99, 99, 5, 0, &s.source, 20, 20, 0), 0);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 100, 60) & 0xFFFFFF, kBack);
}

TEST_P(BothBackEndsShapedBlitTest, LensAndSoftwareRotationOnSurfacesMatchTheReference)
{
    const int d3d = GetParam();
    WritePicture("keyed.bmp", 30, 24, true);
    ASSERT_TRUE(UpWithKey(d3d));
    const int kind = d3d ? PIXEL_D3D32 : PIXEL_DD32;
    // Direct3D: a source in system memory takes the software rotation.
    {
    Surfaces s;
    ASSERT_EQ(DDCreateSurfaceFromFile(&s.keyed, "keyed.bmp", 1, 32, 0,
                                      d3d ? DTMEMORYTYPE_SYSTEM : 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&s.target, 40, 32, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    const REFIMAGE from = ReadRef(&s.keyed, kind);
    for (const LENSCASE& c : kLensCases)
        for (int clear : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "lens r " << c.radius << " d " << c.depth
                                            << " clear " << clear);
            DDFill(&s.target, d3d ? 0xFF000000 | kBack : kBack);
            REFIMAGE expected = ReadRef(&s.target, kind);
            ASSERT_TRUE(DDBltLens(&s.target, c.tcx + 8, c.tcy + 6, c.radius, c.depth, &s.keyed,
                                  c.scx, c.scy, c.mode, clear));
            RefLens(expected, from, c.tcx + 8, c.tcy + 6, c.radius, c.depth, c.scx, c.scy, c.mode,
                    clear, Display.dwTransmit);
            EXPECT_TRUE(SameImage(ReadRef(&s.target, kind), expected));
        }
    for (const ROTATECASE& c : kRotateCases) {
        SCOPED_TRACE(testing::Message() << "rotation " << c.angle << " mode " << c.mode);
        DDFill(&s.target, d3d ? 0xFF000000 | kBack : kBack);
        REFIMAGE expected = ReadRef(&s.target, kind);
        ASSERT_TRUE(DDBltRotate(&s.target, c.x + 6, c.y + 4, c.width, c.height, c.pivotX,
                                c.pivotY, c.angle, &s.keyed, c.sx, c.sy, c.mode));
        RefRotate(expected, from, c.x + 6, c.y + 4, c.width, c.height, c.pivotX, c.pivotY,
                  c.angle, c.sx, c.sy, c.mode, Display.dwTransmit);
        EXPECT_TRUE(SameImage(ReadRef(&s.target, kind), expected));
    }
    // Invalid lens shapes lock nothing; failed locks are failures.
    DDSURFACEDATA never;
    EXPECT_FALSE(DDBltLens(&s.target, 10, 10, 0, 0, &s.keyed, 5, 5, 0, 0));
    EXPECT_FALSE(DDBltLens(&s.target, 10, 10, 5, -1, &s.keyed, 5, 5, 0, 0));
    EXPECT_FALSE(DDBltLens(&s.target, 10, 10, -5, 2, &s.keyed, 5, 5, 0, 0));
    EXPECT_FALSE(DDBltLens(&never, 10, 10, 5, 2, &s.keyed, 5, 5, 0, 0));
    EXPECT_FALSE(DDBltLens(&s.target, 10, 10, 5, 2, &never, 5, 5, 0, 0));
    EXPECT_FALSE(DDBltRotate(&s.target, 10, 10, 8, 8, 4, 4, 30, &never, 0, 0, 0));
    if (d3d) {
        EXPECT_TRUE(DDBltRotate(nullptr, 10, 10, 8, 8, 4, 4, 30, &s.keyed, 0, 0, 0));
    } else {
        EXPECT_FALSE(DDBltRotate(&never, 10, 10, 8, 8, 4, 4, 30, &s.keyed, 0, 0, 0));
    }
    }
    DDUnInit();
}

namespace {

// The pixels that differ between two pictures when the second is moved by
// (ox, oy), over the part where both exist.
int DifferingWhenMoved(const REFIMAGE& a, const REFIMAGE& b, int ox, int oy)
{
    int differ = 0;
    for (int y = 0; y < a.nHeight; ++y)
        for (int x = 0; x < a.nWidth; ++x)
            if (b.Inside(x - ox, y - oy)) differ += a.At(x, y) != b.At(x - ox, y - oy);
    return differ;
}

struct DRAWNAREA {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1, count = 0;
};

// Where a picture differs from the background.
DRAWNAREA Drawn(const REFIMAGE& im)
{
    DRAWNAREA area;
    for (int y = 0; y < im.nHeight; ++y)
        for (int x = 0; x < im.nWidth; ++x)
            if ((im.At(x, y) & 0xFFFFFF) != kBack) {
                area.left = std::min(area.left, x), area.right = std::max(area.right, x);
                area.top = std::min(area.top, y), area.bottom = std::max(area.bottom, y);
                ++area.count;
            }
    return area;
}

}  // namespace

// The rotated quad of Direct3D turns the picture about the corner between
// the middle pixels, the fixed-point path about the middle pixel itself: the
// two pictures agree but for a move of at most one pixel each way.
TEST_F(ShapedBlitTest, Direct3DQuadRotationPlacesThePictureAsTheSoftwarePath)
{
    WritePicture("keyed.bmp", 30, 24, true);
    ASSERT_TRUE(UpWithKey(1));
    Surfaces s;
    ASSERT_EQ(DDCreateSurfaceFromFile(&s.keyed, "keyed.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&s.source, "keyed.bmp", 1, 32, 0, DTMEMORYTYPE_SYSTEM, 0, 0,
                                      0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&s.target, 48, 40, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    for (int angle : {0, 90, 180, 270, 33}) {
        SCOPED_TRACE(testing::Message() << "angle " << angle);
        DDFill(&s.target, 0xFF000000 | kBack);
        ASSERT_TRUE(DDBltRotate(&s.target, 24, 20, 16, 12, 8, 6, angle, &s.keyed, 3, 4, 1));
        const REFIMAGE quad = ReadRef(&s.target, PIXEL_D3D32);
        DDFill(&s.target, 0xFF000000 | kBack);
        ASSERT_TRUE(DDBltRotate(&s.target, 24, 20, 16, 12, 8, 6, angle, &s.source, 3, 4, 1));
        const REFIMAGE soft = ReadRef(&s.target, PIXEL_D3D32);
        if (angle % 90 == 0) {
            int best = 1 << 30;
            for (int oy = -1; oy <= 1; ++oy)
                for (int ox = -1; ox <= 1; ++ox)
                    best = std::min(best, DifferingWhenMoved(quad, soft, ox, oy));
            EXPECT_EQ(best, 0);
            if (angle == 0) {
                EXPECT_EQ(DifferingWhenMoved(quad, soft, 0, 0), 0);
            }
            continue;
        }
        // Between right angles the two sample their own ways: the same area
        // is covered, within a pixel at every edge.
        const DRAWNAREA a = Drawn(quad), b = Drawn(soft);
        EXPECT_NEAR(a.left, b.left, 1);
        EXPECT_NEAR(a.right, b.right, 1);
        EXPECT_NEAR(a.top, b.top, 1);
        EXPECT_NEAR(a.bottom, b.bottom, 1);
        EXPECT_NEAR(a.count, b.count, b.count / 6);
    }
}

// Under 16-bit Direct3D the software rotation leaves the source's
// transparent texels out by the texture's own transparency test.
TEST_F(ShapedBlitTest, SixteenBitDirect3DRotationSkipsTransparentTexels)
{
    WritePicture("keyed.bmp", 30, 24, true);
    if (!Up(1, 16)) GTEST_SKIP() << "no 16-bit window on this display";
    DDSetTransmit(0xFF, 0x00, 0xFF);
    Surfaces s;
    ASSERT_EQ(DDCreateSurfaceFromFile(&s.keyed, "keyed.bmp", 1, 16, 0, DTMEMORYTYPE_SYSTEM, 0, 0,
                                      0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&s.target, 40, 32, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    const REFIMAGE from = ReadRef(&s.keyed, PIXEL_D3D1555);
    ASSERT_EQ(from.At(0, 0) & 0xA000, 0u);  // the transparent colour became a transparent texel
    DDFill(&s.target, 0xFF000000 | kBack);
    REFIMAGE expected = ReadRef(&s.target, PIXEL_D3D1555);
    const REFIMAGE before = expected;
    ASSERT_TRUE(DDBltRotate(&s.target, 20, 16, 12, 10, 6, 5, 0, &s.keyed, 0, 0, 1));
    RefRotate(expected, from, 20, 16, 12, 10, 6, 5, 0, 0, 0, 1, Display.dwTransmit);
    const REFIMAGE got = ReadRef(&s.target, PIXEL_D3D1555);
    EXPECT_TRUE(SameImage(got, expected));
    EXPECT_EQ(got.At(14, 11), before.At(14, 11));  // source (0, 0): transparent, not drawn
    EXPECT_NE(got.At(15, 11), before.At(15, 11));
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsShapedBlitTest);
