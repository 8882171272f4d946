#pragma once
// Shared by the record tests: a fresh folder with a report log per test, the
// data version set as start-up sets it, and a small byte builder for fixtures
// typed field by field.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/base/log.h"
#include "records/data_record.h"
#include "records/record_list.h"
#include "tests/records/sample_records.h"
#include "tests/support/test_dir.h"

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

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RecordContext.nDataVersion = DATA_VERSION;
        nFileVersion = 0;
        RecordContext.bStripCR = 0;
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override { RecordContext.bStripCR = 0; }

    // How many damage reports the report log holds.
    int DamageReports() const
    {
        std::string log = ReadFileText("Report_Game.txt");
        int n = 0;
        for (size_t at = log.find("err data file"); at != std::string::npos; at = log.find("err data file", at + 1))
            ++n;
        return n;
    }

    // The bytes of a file after its four-byte head, which must be 708.
    std::vector<unsigned char> BodyOf(const std::string& path) const
    {
        std::vector<unsigned char> bytes = ReadFileBytes(path);
        EXPECT_GE(bytes.size(), 4u);
        if (bytes.size() < 4) return {};
        EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4), HexBytes("C4020000"));
        return std::vector<unsigned char>(bytes.begin() + 4, bytes.end());
    }

    ScopedTestDir dir;
};

// One int and one string, in that order.
class cIntTextData : public cDataRecord {
public:
    int m_nValue = 0;
    std::string m_sText;
    cIntTextData() { RegisterFields(DATA_VERSION); Clear(); }
    void RegisterFields(int version) override
    {
        ClearFieldTables();
        RegisterInt(&m_nValue);
        RegisterString(&m_sText);
    }
};

// Nothing registered.
class cEmptyData : public cDataRecord {
public:
    cEmptyData() { RegisterFields(DATA_VERSION); Clear(); }
    void RegisterFields(int version) override { ClearFieldTables(); }
};
