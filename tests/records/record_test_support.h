#pragma once
// Shared by the record tests: a fresh folder with a report log per test, and
// the data version set as start-up sets it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/log.h"
#include "records/data_record.h"
#include "records/record_list.h"
#include "tests/records/sample_records.h"
#include "tests/support/test_dir.h"

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        nDataVersion = DATA_VERSION;
        nFileVersion = 0;
        bStripCR = 0;
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override { bStripCR = 0; }

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
