#pragma once
// Shared by the tests of the flow-side records: a known database and palette
// context, files of any data version built from hand-typed bytes, and a small
// byte builder for fixtures typed field by field.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "records/record_context.h"
#include "tests/records/record_test_support.h"

// Little-endian bytes typed one field at a time.
class FixtureBytes {
public:
    FixtureBytes& u8(int v) { return Put(static_cast<uint32_t>(v), 1); }
    FixtureBytes& i16(int v) { return Put(static_cast<uint32_t>(v), 2); }
    FixtureBytes& i32(int64_t v) { return Put(static_cast<uint32_t>(v), 4); }
    FixtureBytes& u32(uint32_t v) { return Put(v, 4); }
    FixtureBytes& f64(double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i) m_Bytes.push_back(static_cast<unsigned char>(bits >> (8 * i)));
        return *this;
    }
    FixtureBytes& hex(const char* text)
    {
        std::vector<unsigned char> b = HexBytes(text);
        m_Bytes.insert(m_Bytes.end(), b.begin(), b.end());
        return *this;
    }
    FixtureBytes& bytes(const std::vector<unsigned char>& b)
    {
        m_Bytes.insert(m_Bytes.end(), b.begin(), b.end());
        return *this;
    }
    // A value of size bytes: 8 is a double, the others little-endian integers.
    FixtureBytes& sized(int size, double v)
    {
        return size == 8 ? f64(v) : Put(static_cast<uint32_t>(static_cast<int64_t>(v)), size);
    }
    const std::vector<unsigned char>& get() const { return m_Bytes; }

private:
    FixtureBytes& Put(uint32_t v, int size)
    {
        for (int i = 0; i < size; ++i) m_Bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
        return *this;
    }
    std::vector<unsigned char> m_Bytes;
};

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
