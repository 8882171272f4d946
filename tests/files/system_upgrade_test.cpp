// Settings files of older data versions, brought up to date step by step.
#include <cstdio>

#include "tests/files/system_file_fixture.h"

namespace {

// n list texts prefix0, prefix1, ... with their count.
std::string Texts(int n, const char* prefix)
{
    char head[16];
    std::snprintf(head, sizeof head, "%02X000000 ", n);
    std::string hex = head;
    for (int i = 0; i < n; ++i) hex += TextHex(prefix + std::to_string(i));
    return hex;
}

std::string MenuItemHex(const char* text) { return "01000000 01000000 01000000 " + TextHex(text); }

// An old "System.ini" key: kind, value, key, text.
std::string IniHex(int kind, int value, const char* key, const char* text)
{
    FixtureBytes b;
    b.u32(2).i32(kind).i32(value).u32(2);
    std::string hex;
    char byte[4];
    for (unsigned char c : b.get()) {
        std::snprintf(byte, sizeof byte, "%02X", c);
        hex += byte;
    }
    return hex + " " + TextHex(key) + TextHex(text);
}

std::vector<std::string> Strings(int from, int to, const char* prefix)
{
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i) out.push_back(prefix + std::to_string(i));
    return out;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

} // namespace

TEST_F(SystemDataTest, Version168FileGetsEveryLaterStepInOrder)
{
    SystemLists lists;
    // Carry-over groups stored as 10 + group, so inserted 0s and 1s stand out.
    lists.carryKeep = "19000000 0A0B0C0D0E0F10111213141516171819 1A1B1C1D1E1F2021 22";
    // Five status items of three ints each, as this version stored them.
    lists.status = "05000000";
    for (int i = 0; i < 5; ++i) lists.status += " 03000000 01000000 01000000 02000000 01000000 " + TextHex("s");
    lists.texts = Texts(28, "t");
    lists.worldMapMenu = "03000000 " + MenuItemHex("save") + MenuItemHex("back") + MenuItemHex("title");
    lists.iniOptions = "05000000 " + IniHex(0, 1, "WindowMode", "") + IniHex(0, 16, "Bpp", "") +
                       IniHex(0, 3, "VSync", "") + IniHex(0, 0, "ShowFps", "") + IniHex(1, 0, "FreeStage", "st");
    // Row 9 (title-menu image) is stored from 157: 0 stays 0.
    ASSERT_TRUE(WriteFileBytes("System.dat", SystemFile(168, {{2, 500}, {9, 0}}, "old", lists)));
    cSystemData s;
    ASSERT_EQ(s.LoadFile("System.dat"), 1);

    EXPECT_EQ(s.m_strTitle, "old");
    EXPECT_EQ(s.m_nExtraLifeScore, 500);
    // 201 puts a 0 at 14, then 210 one at 9 (168's own step is not for 168).
    EXPECT_EQ(s.m_CarryOverKeep, std::vector<unsigned char>({10, 11, 12, 13, 14, 15, 16, 17, 18, 0,  19, 20, 21,
                                                             22, 23, 0,  24, 25, 26, 27, 28, 29, 30, 31, 32}));
    EXPECT_EQ(s.m_CarryOverReset, std::vector<unsigned char>(25, 0));
    ASSERT_EQ(s.m_WorldMapMenu.size(), 4u);
    EXPECT_EQ(s.m_WorldMapMenu[0].m_strText, "save");
    EXPECT_EQ(s.m_WorldMapMenu[1].m_strText, "オートセーブ");
    EXPECT_EQ(s.m_WorldMapMenu[1].m_bVisible, 1);
    EXPECT_EQ(s.m_WorldMapMenu[2].m_strText, "back");
    EXPECT_EQ(s.m_WorldMapMenu[3].m_strText, "title");
    // 169 puts its three texts at 12 to 14, 181 two more at 8 and 9 (moving
    // them to 14 to 16), 193 two at 22 and 23; what is pushed past 27 is lost.
    EXPECT_EQ(s.m_TextList, Join({Strings(0, 7, "t"), {"残りHP", "残りSP"}, Strings(8, 11, "t"),
                                  {"オートセーブＯＮ", "オートセーブＯＦＦ", "保存先が不明です！一度は「セーブ」して下さい！"},
                                  Strings(12, 16, "t"), {"リトライ", "マップへ戻る"}, Strings(17, 20, "t")}));
    // No mode list in the file: the defaults, with the two genres of 181 off.
    ASSERT_EQ(s.m_ModeSettings.size(), 4u);
    for (int mode = 0; mode < 3; ++mode) EXPECT_EQ(s.CountModeGenres(mode), 3) << mode;
    EXPECT_EQ(s.m_ModeSettings[0].m_Genres, std::vector<unsigned char>({1, 1, 1, 0, 0}));
    EXPECT_EQ(s.m_InfiniteLives, std::vector<int32_t>({0, 0, 0, 1}));
    EXPECT_EQ(s.m_MenuBgmLoop, std::vector<unsigned char>({1, 1, 1, 1}));
    ASSERT_EQ(s.m_StatusItems.size(), 5u);
    for (int item = 0; item < 5; ++item) {
        EXPECT_EQ(s.m_StatusItems[item].m_bShowValue, 1) << item;
        EXPECT_EQ(s.m_StatusItems[item].m_nDigits, 2) << item;
        EXPECT_EQ(s.m_StatusItems[item].m_nLowLevel, item == 2 || item == 3 ? 33 : 0) << item;
        EXPECT_EQ(s.m_StatusItems[item].m_bLowPercent, item == 2 || item == 3 ? 1 : 0) << item;
    }
    // The old key list in the current order; VSync 3 now reads 2.
    const char* keys[] = {"Direct3D", "WindowMode", "Bpp", "VSync", "D3D_FontCache", "DD_FontCache",
                          "DD_VideoStretch", "ShowFps", "FreeStage", "English"};
    const int values[] = {1, 1, 16, 2, 0, 1, 0, 0, 0, 0};
    ASSERT_EQ(s.m_IniOptions.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(s.m_IniOptions[i].m_strKey, keys[i]) << i;
        EXPECT_EQ(s.m_IniOptions[i].m_nValue, values[i]) << i;
    }
    EXPECT_EQ(s.m_IniOptions[8].m_strValue, "st");
    // Switches of the fields this version lacks.
    EXPECT_EQ(s.m_nFontFace, 60);
    EXPECT_EQ(s.m_bCenterGlyphs, 0);
    EXPECT_EQ(s.m_bTitleMenuImage, 0);
    EXPECT_EQ(s.m_bReplay, 1);
    EXPECT_EQ(s.m_bExtraLifeByScore, 1);
    EXPECT_EQ(s.m_bFullColor, 0);
    EXPECT_EQ(s.m_TransparentColor[1], 177);
    EXPECT_EQ(s.m_bPaletteCycle, 1);
    EXPECT_EQ(s.m_bStoryRetryPrompt, 0);
    EXPECT_EQ(s.m_bMapShowLives, 0);
    EXPECT_EQ(s.m_bDirectRestoreVars, 1);
    EXPECT_EQ(s.m_bStoryRestartCleared, 0);
    EXPECT_EQ(s.m_bNoScrollCarry, 1);
    EXPECT_EQ(s.m_bPlaceIgnoresCond, 1);
    EXPECT_EQ(s.m_bLegacyStartTrigger, 1);
    EXPECT_EQ(s.m_nDDFullBpp, 2);
}

TEST_F(SystemDataTest, Version180FileKeepsTheDefaultModesWithTheNewGenresOff)
{
    SystemLists lists;
    lists.texts = Texts(28, "t");
    ASSERT_TRUE(WriteFileBytes("System.dat", SystemFile(180, {}, "", lists)));
    cSystemData s;
    ASSERT_EQ(s.LoadFile("System.dat"), 1);
    for (int mode = 0; mode < 4; ++mode) EXPECT_EQ(s.CountModeGenres(mode), mode < 3 ? 3 : 0) << mode;
    EXPECT_EQ(s.m_TextList, Join({Strings(0, 7, "t"), {"残りHP", "残りSP"}, Strings(8, 19, "t"),
                                  {"リトライ", "マップへ戻る"}, Strings(20, 23, "t")}));
}

TEST_F(SystemDataTest, ValueOfVersions221To259AfterTheScrollSwitchIsSkipped)
{
    for (int version : {220, 221, 240, 259, 260}) {
        // Row 29 is the scroll switch, row 30 the value that is dropped.
        ASSERT_TRUE(WriteFileBytes("System.dat", SystemFile(version, {{29, 0}, {30, 12345}}, "after", {})));
        cSystemData s;
        ASSERT_EQ(s.LoadFile("System.dat"), 1) << version;
        EXPECT_EQ(s.m_bNoScrollCarry, 0) << version;
        EXPECT_EQ(s.m_strTitle, "after") << version;
        EXPECT_EQ(s.m_bRescaleByHitHeight, 1) << version;
        EXPECT_EQ(s.m_bKeepDefeatedChara, 0) << version;
    }
}

TEST_F(SystemDataTest, PlacementSwitchByVersion)
{
    struct Row {
        int version;
        int64_t stored;
        int want;
    };
    const Row rows[] = {{600, 0, 1}, {616, 0, 1}, {617, 0, 0}, {636, 0, 0}, {637, 0, 0}, {637, 1, 1}};
    for (const Row& row : rows) {
        ASSERT_TRUE(WriteFileBytes("System.dat", SystemFile(row.version, {{38, row.stored}}, "", {})));
        cSystemData s;
        ASSERT_EQ(s.LoadFile("System.dat"), 1) << row.version;
        EXPECT_EQ(s.m_bPlaceIgnoresCond, row.want) << row.version;
    }
}

TEST_F(SystemDataTest, SwitchesOfNewerVersionsAreStoredAsTheFileSays)
{
    // Older than each switch: the old behaviour; from it on: the stored 0.
    struct Row {
        int version;
        int32_t cSystemData::*member;
        int want;
    };
    const Row rows[] = {
        {260, &cSystemData::m_bRescaleByHitHeight, 1}, {261, &cSystemData::m_bRescaleByHitHeight, 0},
        {288, &cSystemData::m_bPaletteCycle, 1},     {289, &cSystemData::m_bPaletteCycle, 0},
        {524, &cSystemData::m_bFlowRefire, 1},       {525, &cSystemData::m_bFlowRefire, 0},
        {554, &cSystemData::m_bThunderNoGap, 1},     {668, &cSystemData::m_bKeyOverlap, 1},
        {669, &cSystemData::m_bKeyOverlap, 0},       {676, &cSystemData::m_bRisingLands, 1},
        {694, &cSystemData::m_bKeepNegativeTime, 1}, {695, &cSystemData::m_bReserved696, 1},
        {696, &cSystemData::m_bLegacyStartTrigger, 1}, {697, &cSystemData::m_bLegacyStartTrigger, 0},
        {514, &cSystemData::m_nColorCycleStep, 16},  {515, &cSystemData::m_nColorCycleStep, 0},
        {669, &cSystemData::m_nDDFullBpp, 2},        {670, &cSystemData::m_nDDFullBpp, 0},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(WriteFileBytes("System.dat", SystemFile(row.version, {}, "", {})));
        cSystemData s;
        ASSERT_EQ(s.LoadFile("System.dat"), 1) << row.version;
        EXPECT_EQ(s.*row.member, row.want) << row.version;
    }
}
