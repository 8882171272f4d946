// Where the chip of a graphic lies, for each graphic kind.
#include <gtest/gtest.h>

#include "records/media_data.h"
#include "stage/objects/chip_source.h"
#include "stage/objects/stage_object.h"

TEST(ChipSource, SurfacesAndPositionsByKind)
{
    cStageObject right;
    right.m_nFacing = 1;
    struct Case {
        const char* what;
        int use, kind, chip, offset, frame;
        const cStageObject* obj;
        int own0, other0, own1, other1, x, y;
    };
    const Case cases[] = {
        {"block sheet", 0, 0, 31, 0, 0, nullptr, 2, 2, 3, 3, 64, 32},
        {"character facing right", CHIPUSE_CHARA, 1, 47, 3, 2, &right, 11, 10, 29, 28, 160, 64},
        {"character sheet without one, left half", 0, 1, 16, 5, 9, nullptr, 6, 7, 24, 25, 160, 32},
        {"character sheet without one, right half", 0, 1, 16, 25, 9, nullptr, 7, 6, 25, 24, 160, 32},
        {"character sheet past the eighth", CHIPUSE_CHARA, 1, 125, 0, 0, &right, 4, 4, 22, 22, 0, 0},
        {"item with its frame", CHIPUSE_ITEM, 2, 16, 0, 1, nullptr, 40, 40, 41, 41, 96, 32},
        {"work surface, character facing right", CHIPUSE_CHARA, 3, 31, 0, 0, &right, 64, 63, 64, 63, 64, 32},
        {"work surface without one", 0, 3, 31, 0, 0, nullptr, 63, 63, 63, 63, 64, 32},
        {"extra image 2, one-block cells", CHIPUSE_CHARA, 4, 2, 17, 1, &right, 5, 4, 7, 6, 64, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CHIPCELL cell = LocateChip(c.use, c.kind, c.chip, c.offset, c.obj, c.frame, nullptr);
        EXPECT_EQ(cell.nOwn[0], c.own0);
        EXPECT_EQ(cell.nOther[0], c.other0);
        EXPECT_EQ(cell.nOwn[1], c.own1);
        EXPECT_EQ(cell.nOther[1], c.other1);
        EXPECT_EQ(cell.nSrcX, c.x);
        EXPECT_EQ(cell.nSrcY, c.y);
    }
}

TEST(ChipSource, ExtraImageCellSizesOutsideTheRowReadAsOneBlock)
{
    struct Case {
        int size;
        int factor, x, y;
    };
    // Cell 9 of the image.
    const Case cases[] = {{2, 2, 64, 64}, {4, 4, 128, 256}, {16, 16, 0, 4608}, {0, 1, 288, 0}, {17, 1, 288, 0},
                          {-3, 1, 288, 0}};
    for (const Case& c : cases) {
        cBmpCharaExcData extra;
        extra.m_bOwnCellSize = 1;
        extra.m_nCellSize = c.size;
        CHIPCELL cell = LocateChip(0, 4, 1, 9, nullptr, 0, &extra);
        EXPECT_EQ(cell.nCellFactor, c.factor) << c.size;
        EXPECT_EQ(cell.nSrcX, c.x) << c.size;
        EXPECT_EQ(cell.nSrcY, c.y) << c.size;
    }
}
