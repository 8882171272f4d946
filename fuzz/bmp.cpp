// BMP headers and colour tables, checked as every picture is before the
// platform's loader reads it.
#include "fuzz/fuzz_target.h"
#include "gfx/bmp_header.h"

void FuzzOne(const uint8_t* data, size_t size) { CheckBmpImage(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    // A 2 x 2 picture of 8 bits with a colour table of four entries.
    FuzzBytes bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 70, 0, 0, 0,   // file header
                     40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0,  // info header
                     0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                     4, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) bmp.insert(bmp.end(), {uint8_t(i * 60), uint8_t(i * 60), uint8_t(i * 60), 0});
    bmp.insert(bmp.end(), {0, 1, 0, 0, 2, 3, 0, 0});
    bmp[2] = static_cast<uint8_t>(bmp.size());
    return {{"grey.bmp", bmp}};
}
