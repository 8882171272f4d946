// Damaged and hostile BMP files offered to the picture loaders: each is
// refused with the load error and a report-log line naming the file, and
// none ends the game (the platform's loader would read past a cut file).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gfx/bitmap_copy.h"
#include "gfx/palette.h"
#include "gfx/surface.h"
#include "tests/gfx/gfx_support.h"
#include "tests/support/test_dir.h"

namespace {

using BothBackEndsDamagedBitmap = OnBothBackEnds<DisplayTest>;

// Offsets in a BMP: the file header (14 bytes), then the info header.
constexpr size_t kOffBits = 10, kWidth = 18, kHeight = 22, kBitCount = 28, kClrUsed = 46;

void Put32(std::vector<unsigned char>& bytes, size_t at, uint32_t v)
{
    std::memcpy(bytes.data() + at, &v, 4);
}

std::vector<unsigned char> Patched(std::vector<unsigned char> bytes, size_t at, uint32_t v, int size = 4)
{
    if (size == 2) std::memcpy(bytes.data() + at, &v, 2);
    else Put32(bytes, at, v);
    return bytes;
}

}  // namespace

TEST_P(BothBackEndsDamagedBitmap, EveryDamagedFileIsRefusedOrReadWhole)
{
    std::vector<uint32_t> indices(32 * 16), palette(256);
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = i % 256;
    for (int i = 0; i < 256; ++i) palette[i] = 0x010101u * i;
    WriteBmp("good.bmp", 32, 16, 8, indices, palette);
    const std::vector<unsigned char> good = ReadFileBytes("good.bmp");
    ASSERT_GT(good.size(), 1078u);

    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"empty", {}},
        {"cut in the file header", {good.begin(), good.begin() + 8}},
        {"cut in the info header", {good.begin(), good.begin() + 30}},
        {"cut in the colour table", {good.begin(), good.begin() + 300}},
        {"cut in the pixels", {good.begin(), good.end() - 100}},
        {"pixels start past the end", Patched(good, kOffBits, 0x7FFFFFF0)},
        {"a colour table of a million entries", Patched(good, kClrUsed, 1000000)},
        {"seven bits a pixel", Patched(good, kBitCount, 7, 2)},
        {"zero width", Patched(good, kWidth, 0)},
        {"a width of two thousand million", Patched(good, kWidth, 0x7FFFFFFF)},
        {"a height of minus two thousand million", Patched(good, kHeight, 0x80000001u)},
        {"garbage", std::vector<unsigned char>(2000, 0xA5)},
    };
    ASSERT_TRUE(Up(GetParam()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteFileBytes("bad.bmp", c.bytes));
        DDSURFACEDATA image;
        const int result = DDCreateSurfaceFromFile(&image, "bad.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0);
        EXPECT_EQ(result, SURFACE_LOADIMAGE_ERR);
        DDReleaseSurface(&image);
        int width = -1, height = -1;
        EXPECT_FALSE(DDReadBitmapSize("bad.bmp", &width, &height));
        PALETTEENTRY table[256] = {};
        EXPECT_FALSE(DDLoadPaletteFromFile(table, "bad.bmp", 1));
    }
    EXPECT_NE(ReportText().find("err picture file \"bad.bmp\""), std::string::npos);
    // The good file still loads after all of them.
    DDSURFACEDATA image;
    EXPECT_EQ(DDCreateSurfaceFromFile(&image, "good.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), SURFACE_OK);
    DDReleaseSurface(&image);
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsDamagedBitmap);
