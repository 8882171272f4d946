#pragma once
// Shared by the tests of the flow-side records: a known database and palette
// context, and files of any data version built from hand-typed bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "records/record_context.h"
#include "tests/records/record_test_support.h"

class FlowRecordTest : public RecordTest {
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        RecordContext = cRecordContext();
        RecordContext.nAnimeSets = 10;
        RecordContext.nAnimes = 20;
        RecordContext.nEffects = 30;
        RecordContext.nCharaEffects = 12;
        RecordContext.nScrEffects = 13;
        RecordContext.nPictures = 14;
        RecordContext.nSounds = 40;
        RecordContext.nBgms = 15;
        RecordContext.SwordFrames = {{2, 3}, {10, 20, 30}};
        for (int p : {PALETTE_COMMON, PALETTE_STAGE}) {
            RecordContext.nPaletteBlocks[p] = 50 + p;
            RecordContext.nPaletteCharas[p] = 60 + p;
            RecordContext.nPaletteItems[p] = 70 + p;
        }
    }
    void TearDown() override
    {
        RecordContext = cRecordContext();
        RecordTest::TearDown();
    }

    // A data file of the given version holding body.
    static std::vector<unsigned char> FileOf(int version, const std::vector<unsigned char>& body)
    {
        FixtureBytes file;
        file.u32(static_cast<uint32_t>(version)).bytes(body);
        return file.get();
    }

    // Loads record from a file of the given version holding body; the result
    // of LoadFile.
    template <class T>
    int LoadAt(T& record, int version, const std::vector<unsigned char>& body)
    {
        EXPECT_TRUE(WriteFileBytes("in.dat", FileOf(version, body)));
        return record.LoadFile("in.dat");
    }
    template <class T>
    int LoadAt(T& record, int version, const char* hexBody)
    {
        return LoadAt(record, version, HexBytes(hexBody));
    }

    // What saving record writes after the file's head.
    template <class T>
    std::vector<unsigned char> SavedBody(T& record)
    {
        EXPECT_EQ(record.SaveFile("out.dat"), 1);
        return BodyOf("out.dat");
    }
};
