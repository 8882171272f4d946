#pragma once
// System settings files typed by hand: the scalar fields of the settings
// record in file order with the versions that hold them, and the fifteen
// lists with the versions they appeared in, so a test can write the file an
// older editor wrote.
#include <map>
#include <string>
#include <vector>

#include "files/system_data.h"
#include "records/record_context.h"
#include "tests/records/record_test_support.h"

// Scalar row n (1 to 45) of the settings record: present from `from` up to
// and including `until`, `width` bytes.
struct SystemScalarRow {
    int from;
    int until;
    int width;
};

inline const SystemScalarRow kSystemScalars[45] = {
    {185, 9999, 4}, {0, 9999, 4},   {0, 9999, 4},   {0, 9999, 4},   {205, 9999, 4}, {170, 9999, 4},
    {113, 9999, 4}, {184, 9999, 4}, {157, 9999, 4}, {0, 9999, 4},   {191, 9999, 4}, {191, 9999, 4},
    {0, 9999, 4},   {0, 9999, 4},   {167, 9999, 4}, {167, 9999, 4}, {188, 9999, 4}, {224, 9999, 4},
    {167, 9999, 4}, {167, 9999, 4}, {188, 9999, 4}, {224, 9999, 4}, {188, 9999, 4}, {192, 9999, 4},
    {187, 9999, 4}, {187, 9999, 1}, {187, 9999, 1}, {187, 9999, 1}, {214, 9999, 4}, {221, 259, 4},
    {261, 9999, 4}, {272, 9999, 4}, {287, 9999, 4}, {515, 9999, 4}, {289, 9999, 4}, {525, 9999, 4},
    {555, 9999, 4}, {637, 9999, 4}, {669, 9999, 4}, {677, 9999, 4}, {695, 9999, 4}, {696, 9999, 4},
    {697, 9999, 4}, {670, 9999, 4}, {670, 9999, 4},
};

// The lists of a file as hex, each with its count; an empty list by default.
struct SystemLists {
    std::string carryKeep = "00000000";
    std::string carryReset = "00000000";     // from 501
    std::string status = "00000000";
    std::string lives = "00000000";
    std::string infinite = "00000000";       // from 191
    std::string modes = "00000000";          // from 186
    std::string texts = "00000000";
    std::string sounds = "00000000";
    std::string menuBgm = "00000000";
    std::string menuBgmLoop = "00000000";    // from 202
    std::string titleMenu = "00000000";
    std::string worldMapMenu = "00000000";
    std::string optionMenu = "00000000";
    std::string rankingNames = "00000000";   // from 674
    std::string iniOptions = "00000000";
};

// A file of the given version: the scalar rows it holds (values by row
// number, 0 where not given), the title, then the lists it holds.
inline std::vector<unsigned char> SystemFile(int version, const std::map<int, int64_t>& values,
                                             const std::string& title, const SystemLists& lists)
{
    FixtureBytes b;
    b.u32(static_cast<uint32_t>(version));
    int present = 0;
    for (const SystemScalarRow& row : kSystemScalars)
        if (version >= row.from && version <= row.until) ++present;
    b.u32(present);
    for (int n = 1; n <= 45; ++n) {
        const SystemScalarRow& row = kSystemScalars[n - 1];
        if (version < row.from || version > row.until) continue;
        auto it = values.find(n);
        b.sized(row.width, it == values.end() ? 0 : static_cast<double>(it->second));
    }
    b.u32(1).u32(static_cast<uint32_t>(title.size() + 1));
    if (!title.empty()) {
        for (char c : title) b.u8(static_cast<unsigned char>(c));
        b.u8(0);
    }
    auto add = [&](int from, const std::string& hex) {
        if (version >= from) b.hex(hex.c_str());
    };
    add(0, lists.carryKeep);
    add(501, lists.carryReset);
    add(0, lists.status);
    add(0, lists.lives);
    add(191, lists.infinite);
    add(186, lists.modes);
    add(0, lists.texts);
    add(0, lists.sounds);
    add(0, lists.menuBgm);
    add(202, lists.menuBgmLoop);
    add(0, lists.titleMenu);
    add(0, lists.worldMapMenu);
    add(0, lists.optionMenu);
    add(674, lists.rankingNames);
    add(0, lists.iniOptions);
    return b.get();
}

// A list text as hex: u32 length + 1, the bytes and a NUL (nothing after 1).
inline std::string TextHex(const std::string& text)
{
    FixtureBytes b;
    b.u32(static_cast<uint32_t>(text.size() + 1));
    std::string hex;
    static const char digits[] = "0123456789ABCDEF";
    std::vector<unsigned char> bytes = b.get();
    if (!text.empty()) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    }
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex + " ";
}

class SystemDataTest : public RecordTest {
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        RecordContext.nBgms = 3;
    }
    void TearDown() override
    {
        RecordContext.nBgms = 0;
        RecordTest::TearDown();
    }
};
