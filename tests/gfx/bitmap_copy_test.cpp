// Bitmap copies: Direct3D images with mirror cells, pixel copies, the size
// check, what an 8-bit display accepts and how a 16-bit one reduces colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/bitmap_copy.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/mirror.h"
#include "gfx/palette_table.h"
#include "gfx/pixel_copy.h"
#include "gfx/surface.h"
#include "gfx/surface_lock.h"
#include "tests/gfx/gfx_support.h"

namespace {

// A 100 x 16 sheet: three whole 32-pixel cells and four columns left over.
constexpr int kRampW = 100, kRampH = 16;

uint32_t Ramp(int c, int r)
{
    return 0x010000 * (r + 1) + 0x000100 * (c / 32 + 1) + c + 1;
}

void WriteRamp()
{
    std::vector<uint32_t> pixels;
    for (int r = 0; r < kRampH; ++r)
        for (int c = 0; c < kRampW; ++c) pixels.push_back(Ramp(c, r));
    WriteBmp("ramp.bmp", kRampW, kRampH, 24, pixels);
}

// The picture expected after mirroring whole cells of mirrorWidth columns;
// columns of the last partial cell hold rest.
std::vector<uint32_t> MirroredRamp(int mirrorWidth, uint32_t rest)
{
    std::vector<uint32_t> out;
    const int whole = mirrorWidth ? kRampW / mirrorWidth * mirrorWidth : kRampW;
    for (int r = 0; r < kRampH; ++r)
        for (int c = 0; c < kRampW; ++c) {
            if (c >= whole) {
                out.push_back(rest);
                continue;
            }
            const int from =
                mirrorWidth ? mirrorWidth * (c / mirrorWidth + 1) - c % mirrorWidth - 1 : c;
            out.push_back(0xFF000000 | Ramp(from, r));
        }
    return out;
}

class BitmapCopyTest : public DisplayTest {};

}  // namespace

TEST_F(BitmapCopyTest, Direct3DImagesWithMirrorCellsAreMirroredWhenLoaded)
{
    WriteRamp();
    ASSERT_TRUE(UpWithKey(1));
    for (int memoryType : {DTMEMORYTYPE_VIDEO_RT, DTMEMORYTYPE_SYSTEM}) {
        SCOPED_TRACE(memoryType);
        DDSURFACEDATA sheet;
        const size_t listed = Display.RestoreList.size();
        ASSERT_EQ(DDCreateSurfaceFromFile(&sheet, "ramp.bmp", 1, 32, 0, memoryType, 0, 0, 32, 0, 0),
                  SURFACE_OK);
        EXPECT_EQ(sheet.nMirrorWidth, 32);
        // The temporary second load is gone again; the sheet is listed once.
        ASSERT_EQ(Display.RestoreList.size(), listed + 1);
        EXPECT_EQ(Display.RestoreList.back(), &sheet);
        // The columns of the partial cell keep the image as loaded.
        std::vector<uint32_t> want = MirroredRamp(32, 0);
        for (int r = 0; r < kRampH; ++r)
            for (int c = 96; c < kRampW; ++c) want[r * kRampW + c] = 0xFF000000 | Ramp(c, r);
        EXPECT_EQ(ReadPixels(&sheet, 0, 0, kRampW, kRampH), want);
        DDReleaseSurface(&sheet);
    }
    // Vertical cells alone are not mirrored at load.
    DDSURFACEDATA rows;
    ASSERT_EQ(DDCreateSurfaceFromFile(&rows, "ramp.bmp", 1, 32, 0, 0, 0, 0, 0, 8, 0), SURFACE_OK);
    EXPECT_EQ(ReadPixels(&rows, 0, 0, kRampW, kRampH), MirroredRamp(0, 0));
    EXPECT_EQ(rows.nMirrorHeight, 8);

    // A render-target target is cleared first, so a partial cell is left
    // transparent black.
    DDSURFACEDATA target;
    ASSERT_TRUE(DDCreateSurface(&target, kRampW, kRampH, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFill(&target, 0xFFFF0000);
    EXPECT_TRUE(CreateMirror(&target, &rows, 32, 0));
    EXPECT_EQ(ReadPixels(&target, 0, 0, kRampW, kRampH), MirroredRamp(32, 0));
    EXPECT_TRUE(CreateMirror(&target, &rows, 0, 0));
    EXPECT_TRUE(CreateMirror(&target, &rows, 32, 8));  // nothing: vertical is not built
    EXPECT_EQ(ReadPixels(&target, 0, 0, kRampW, kRampH), MirroredRamp(32, 0));
    DDReleaseSurface(&target);
    DDReleaseSurface(&rows);
}

using BothBackEndsBitmapCopyTest = OnBothBackEnds<BitmapCopyTest>;

TEST_P(BothBackEndsBitmapCopyTest, PixelCopiesNameTheFirstMatchingPaletteEntryOnBothBackEnds)
{
    const int d3d = GetParam();
    const uint32_t a = 0x0A141E, b = 0x28323C, none = 0x010203;
    WriteBmp("pc.bmp", 5, 2, 24, {a, b, a, none, b, b, none, a, a, b});
    auto setPalette = [&](int aIndex) {
        for (int k = 0; k < 256; ++k) Display.Palette[k] = {200, static_cast<BYTE>(k), 200, 0};
        Display.Palette[aIndex] = {0x0A, 0x14, 0x1E, 0};
        Display.Palette[7] = Display.Palette[9] = {0x28, 0x32, 0x3C, 0};  // the first of two equal entries counts
    };
    // The copy as entries of the picture, read with the locked pitch.
    auto copyOf = [](DDSURFACEDATA* record, const BYTE* copy) {
        cSurfaceLock lock(record);
        std::vector<int> out;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 5; ++x) out.push_back(copy ? copy[y * lock.m_nPitch + x] : -1);
        return out;
    };
    ASSERT_TRUE(UpWithKey(d3d));
    setPalette(3);
    DDSURFACEDATA with, without;
    ASSERT_EQ(DDCreateSurfaceFromFile(&with, "pc.bmp", 0, 32, 0, 0, 0, 1, 0, 0, 0), SURFACE_OK);
    ASSERT_EQ(DDCreateSurfaceFromFile(&without, "pc.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0),
              SURFACE_OK);
    std::unique_ptr<BYTE[]>& copy = d3d ? with.lpDT->lpPixelCopy : with.lpDD->lpPixelCopy;
    std::unique_ptr<BYTE[]>& none_ = d3d ? without.lpDT->lpPixelCopy : without.lpDD->lpPixelCopy;
    EXPECT_EQ(copyOf(&with, copy.get()), (std::vector<int>{3, 7, 3, 0, 7, 7, 0, 3, 3, 7}));
    EXPECT_EQ(none_, nullptr);

    // A reload rebuilds a copy that exists (DirectDraw) and makes none
    // where there was none; Direct3D keeps its textures and copies.
    setPalette(5);
    EXPECT_TRUE(DDReloadBitmap(&with, 32));
    EXPECT_TRUE(DDReloadBitmap(&without, 32));
    EXPECT_EQ(copyOf(&with, copy.get()), (std::vector<int>{d3d ? 3 : 5, 7, d3d ? 3 : 5, 0, 7, 7, 0,
                                                     d3d ? 3 : 5, d3d ? 3 : 5, 7}));
    EXPECT_EQ(none_, nullptr);

    // A render target's pixels are read back for its copy.
    if (d3d) {
        DDSURFACEDATA target;
        ASSERT_TRUE(DDCreateSurface(&target, 4, 4, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        DDFill(&target, 0xFF000000 | b);
        std::unique_ptr<BYTE[]> targetCopy;
        ASSERT_EQ(DDMakePixelCopy(&targetCopy, &target), 1);
        cSurfaceLock lock(&target);
        EXPECT_EQ(targetCopy[3 * lock.m_nPitch + 3], 7);
        lock.Unlock();
        DDReleaseSurface(&target);
    }
    DDReleaseSurface(&with);
    DDReleaseSurface(&without);
    DDUnInit();
}

TEST_P(BothBackEndsBitmapCopyTest, BitmapSizeCheckTable)
{
    const int d3d = GetParam();
    WriteBmp("big.bmp", 100, 50, 24, std::vector<uint32_t>(100 * 50, 0x102030));
    const struct {
        const char* file;
        int width, height, result, larger;
    } rows[] = {
        {"big.bmp", 100, 50, 1, 0},
        {"big.bmp", 99, 50, 1, 1},
        {"big.bmp", 100, 49, 1, 1},
        {"big.bmp", 640, 480, 1, 0},
        {"missing.bmp", 640, 480, 0, 0},
    };
    ASSERT_TRUE(Up(d3d));
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << d3d << " " << row.file << " " << row.width << "x"
                                        << row.height);
        int larger = -7;
        EXPECT_EQ(DDCheckBitmapSize(&larger, row.file, row.width, row.height),
                  d3d ? 1 : row.result);
        EXPECT_EQ(larger, d3d ? -7 : row.larger);  // Direct3D leaves it as it was
    }
    DDUnInit();
}

TEST_F(BitmapCopyTest, EightBitColourTakesIndicesOnlyFromEightBitImages)
{
    // 30 columns: each row of the file is padded to 32 bytes.
    std::vector<uint32_t> indices, palette(256);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 30; ++c) indices.push_back(1 + r * 40 + c);
    for (int k = 0; k < 256; ++k) palette[k] = 0x010101 * k;
    WriteBmp("i8.bmp", 30, 4, 8, indices, palette);
    std::vector<uint32_t> nibbles(30 * 4, 5), bits(30 * 4, 1);
    WriteBmp("i4.bmp", 30, 4, 4, nibbles, {0, 0x112233, 0, 0, 0, 0x445566});
    WriteBmp("i1.bmp", 30, 4, 1, bits, {0, 0x778899});

    ASSERT_TRUE(Up(0));
    // The test display shows no 8-bit mode; surfaces of its own depth stand
    // in, locked byte by byte as an 8-bit display's would be.
    DDSURFACEDATA surface;
    ASSERT_TRUE(DDCreateSurface(&surface, 30, 4, 0, 0, 0, 0, 0));
    auto bytesOf = [&] {
        std::vector<int> out;
        for (int r = 0; r < 4; ++r) {
            const std::vector<uint32_t> words = ReadPixels(&surface, 0, r, 8, 1);
            for (int c = 0; c < 30; ++c) out.push_back(words[c / 4] >> (8 * (c % 4)) & 255);
        }
        return out;
    };
    const std::vector<int> created = bytesOf();
    const int depth = Display.nBpp;
    Display.nBpp = 8;
    const bool copied = CopyBitmap(&surface, "i8.bmp", 8, 0, 8, 0);
    const bool refused4 = !CopyBitmap(&surface, "i4.bmp", 8, 0, 0, 0);
    const bool refused1 = !CopyBitmap(&surface, "i1.bmp", 8, 0, 0, 0);
    Display.nBpp = depth;
    EXPECT_TRUE(copied);
    EXPECT_TRUE(refused4);
    EXPECT_TRUE(refused1);
    // Mirror cells of 8 columns: three whole cells; the last six columns stay
    // as created. The refused images changed nothing.
    std::vector<int> want;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 30; ++c)
            want.push_back(c < 24 ? 1 + r * 40 + (8 * (c / 8 + 1) - c % 8 - 1)
                                  : created[r * 30 + c]);
    EXPECT_EQ(bytesOf(), want);
    EXPECT_TRUE(Has(ReportText(), "CopyBitmap Err i4.bmp Bpp(4)\n"));
    EXPECT_TRUE(Has(ReportText(), "CopyBitmap Err i1.bmp Bpp(1)\n"));
    DDReleaseSurface(&surface);

    // At other depths such images load through GDI with their colours.
    ASSERT_TRUE(UpWithKey(0));
    DDSURFACEDATA four, one;
    ASSERT_EQ(DDCreateSurfaceFromFile(&four, "i4.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), SURFACE_OK);
    ASSERT_EQ(DDCreateSurfaceFromFile(&one, "i1.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), SURFACE_OK);
    EXPECT_EQ(ReadPixel(&four, 29, 3) & 0xFFFFFF, 0x445566u);
    EXPECT_EQ(ReadPixel(&one, 29, 3) & 0xFFFFFF, 0x778899u);
    DDReleaseSurface(&four);
    DDReleaseSurface(&one);
}

// At 16 bits a 24- or 32-bit image is reduced pixel by pixel: the key colour
// becomes exactly the transparent pixel, every other colour is scaled into
// the display's channels and never lands on the transparent pixel by
// accident (it is moved one blue step, down at the top of the scale). Its
// pixel copy looks the words up among the palette's packed entries.
TEST_F(BitmapCopyTest, SixteenBitColourReducesTrueColourImagesKeepingTheKeyApart)
{
    const std::vector<uint32_t> row = {0xFF00FF, 0x000084, 0xFFFFFF, 0x808080,
                                       0x0000FF, 0x102030, 0xFF0000, 0x00FF00};
    std::vector<uint32_t> pixels(row);
    pixels.insert(pixels.end(), row.begin(), row.end());
    WriteBmp("rgb24.bmp", 8, 2, 24, pixels);
    WriteBmp("rgb32.bmp", 8, 2, 32, pixels);
    // {image, transparent pixel, the words expected in a row: source columns
    // 3, 2, 1, 0, 7, 6, 5, 4, as cells of 4 columns mirrored}.
    const struct {
        const char* file;
        uint32_t transmit;
        uint16_t words[8];
    } rows[] = {
        {"rgb24.bmp", 0x0010, {0x7BEF, 0xFFFF, 0x0011, 0x0010, 0x07E0, 0xF800, 0x08E5, 0x001F}},
        {"rgb24.bmp", 0x001F, {0x7BEF, 0xFFFF, 0x0010, 0x001F, 0x07E0, 0xF800, 0x08E5, 0x001E}},
        {"rgb32.bmp", 0x0010, {0x7BEF, 0xFFFF, 0x0011, 0x0010, 0x07E0, 0xF800, 0x08E5, 0x001F}},
    };

    ASSERT_TRUE(Up(0));
    // The test display shows no 16-bit mode; a surface of its own depth
    // stands in, locked word by word as a 5-6-5 display's would be.
    DDSURFACEDATA surface;
    ASSERT_TRUE(DDCreateSurface(&surface, 8, 2, 0, 0, 0, 0, 0));
    const int depth = Display.nBpp;
    const COLORSHIFTS format = Display.SurfaceFormat;
    const DWORD transmit = Display.dwTransmit;
    Display.lpDDCon->rgbKey_16 = {255, 0, 255};
    // At 16 bits the palette holds the display's own channel values; the
    // pixel copy names the first entry that packs to a pixel's word.
    PALETTEENTRY palette[256];
    std::copy(Display.Palette, Display.Palette + 256, palette);
    std::fill(Display.Palette, Display.Palette + 256, PALETTEENTRY{1, 1, 1, 0});
    Display.Palette[4] = {15, 31, 15, 0};                  // 0x7BEF
    Display.Palette[6] = Display.Palette[8] = {31, 63, 31, 0};     // 0xFFFF: the first counts
    Display.nBpp = 16;
    Display.SurfaceFormat = {11, 5, 0, 0, 31, 63, 31, 0};
    std::vector<std::vector<uint16_t>> copied;
    std::vector<std::vector<int>> indices;
    for (const auto& r : rows) {
        Display.dwTransmit = r.transmit;
        EXPECT_TRUE(CopyBitmap(&surface, r.file, 16, 1, 4, 0)) << r.file;
        std::vector<uint16_t> words;
        for (int y = 0; y < 2; ++y)
            for (uint32_t pair : ReadPixels(&surface, 0, y, 4, 1)) {
                words.push_back(static_cast<uint16_t>(pair));
                words.push_back(static_cast<uint16_t>(pair >> 16));
            }
        copied.push_back(words);
        cSurfaceLock lock(&surface);
        std::vector<int> index;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 8; ++x)
                index.push_back(surface.lpDD->lpPixelCopy[y * lock.m_nPitch + x]);
        indices.push_back(index);
    }
    Display.nBpp = depth;
    Display.SurfaceFormat = format;
    Display.dwTransmit = transmit;
    std::copy(palette, palette + 256, Display.Palette);
    for (size_t k = 0; k < copied.size(); ++k) {
        SCOPED_TRACE(testing::Message() << rows[k].file << " transparent " << rows[k].transmit);
        std::vector<uint16_t> want(rows[k].words, rows[k].words + 8);
        want.insert(want.end(), rows[k].words, rows[k].words + 8);
        EXPECT_EQ(copied[k], want);
        std::vector<int> wantIndex;
        for (uint16_t w : want) wantIndex.push_back(w == 0x7BEF ? 4 : w == 0xFFFF ? 6 : 0);
        EXPECT_EQ(indices[k], wantIndex);
    }
    DDReleaseSurface(&surface);
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsBitmapCopyTest);
