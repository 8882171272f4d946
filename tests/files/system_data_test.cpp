// The system settings: a new project's defaults, the current file form byte
// for byte, and the questions the screens ask of the settings.
#include "files/system_defaults.h"
#include "tests/files/system_file_fixture.h"

namespace {

// A small file of the current version: scalar row n holds n (rows 26 to 28,
// the colour bytes, 1A 1B 1C), the title "Ab", one or two entries a list.
const char* const kSmallFile =
    "C4020000 2C000000"
    "01000000 02000000 03000000 04000000 05000000 06000000 07000000 08000000 09000000 0A000000"
    "0B000000 0C000000 0D000000 0E000000 0F000000 10000000 11000000 12000000 13000000 14000000"
    "15000000 16000000 17000000 18000000 19000000 1A 1B 1C 1D000000"
    "1F000000 20000000 21000000 22000000 23000000 24000000 25000000 26000000 27000000 28000000"
    "29000000 2A000000 2B000000 2C000000 2D000000"
    "01000000 03000000 416200"                                   // title
    "02000000 01 00"                                             // carry-over keep
    "01000000 01"                                                // carry-over reset
    "01000000 06000000 01000000 00000000 03000000 01000000 0A000000 00000000 01000000 03000000 485000"
    "01000000 03000000"                                          // default lives
    "01000000 00000000"                                          // infinite lives
    "01000000 01000000 01000000 00000000 02000000 01 00"         // one mode, genres 1 0
    "02000000 02000000 7800 01000000"                            // texts "x", ""
    "01000000 06000000 732E77617600"                             // sounds "s.wav"
    "01000000 02000000"                                          // menu music
    "01000000 00"                                                // menu music loop
    "01000000 01000000 00000000 01000000 03000000 676F00"        // title menu: hidden "go"
    "00000000"                                                   // world-map menu
    "00000000"                                                   // options menu
    "01000000 02000000 7200"                                     // ranking-mode names "r"
    "01000000 02000000 01000000 00000000 02000000 0A000000 46726565537461676500 02000000 6100";

// Every scalar of the settings record in file order (row 30, the dropped one, left out).
std::vector<int32_t*> ScalarsInFileOrder(cSystemData& s)
{
    return {&s.m_bExtraLifeByScore, &s.m_nExtraLifeScore, &s.m_bPauseHidesStage, &s.m_bIconLetters,
            &s.m_nFontFace, &s.m_bCenterGlyphs, &s.m_bKeepFlaggedFlows, &s.m_bReplay, &s.m_bTitleMenuImage,
            &s.m_bStoryKeepLives, &s.m_bStoryRetryPrompt, &s.m_bMapShowLives, &s.m_nChallengeCount,
            &s.m_bChallengeAllOpen, &s.m_bMapShowBest, &s.m_bMenuShowTotal, &s.m_bStoryRestoreVars,
            &s.m_bStoryRestartCleared, &s.m_bChallengeShowBest, &s.m_bChallengeShowTotal,
            &s.m_bChallengeRestoreVars, &s.m_bChallengeRestartCleared, &s.m_bFreeRestoreVars,
            &s.m_bDirectRestoreVars, &s.m_bFullColor, nullptr, nullptr, nullptr, &s.m_bNoScrollCarry, nullptr,
            &s.m_bRescaleByHitHeight, &s.m_bKeepDefeatedChara, &s.m_bD3DCharaColor, &s.m_nColorCycleStep,
            &s.m_bPaletteCycle, &s.m_bFlowRefire, &s.m_bThunderNoGap, &s.m_bPlaceIgnoresCond, &s.m_bKeyOverlap,
            &s.m_bRisingLands, &s.m_bKeepNegativeTime, &s.m_bReserved696, &s.m_bLegacyStartTrigger,
            &s.m_nD3DFullBpp, &s.m_nDDFullBpp};
}

} // namespace

TEST_F(SystemDataTest, NewProjectDefaults)
{
    cSystemData s;
    EXPECT_EQ(s.m_CarryOverKeep,
              std::vector<unsigned char>({1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(s.m_CarryOverReset,
              std::vector<unsigned char>({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(s.m_StatusItems.size(), 5u);
    EXPECT_EQ(s.m_StatusItems[4].m_strLabel, "人");
    EXPECT_EQ(s.m_StatusItems[0].m_nDigits, 4);
    EXPECT_EQ(s.m_TitleMenu.size(), 7u);
    EXPECT_EQ(s.m_TitleMenu[6].m_strText, "しゅうりょう");
    EXPECT_EQ(s.m_WorldMapMenu.size(), 4u);
    // One label per option kind: palette, music, volume, ranking entry, name, back.
    const char* const optionLabels[] = {"パレット", "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる"};
    ASSERT_EQ(s.m_OptionMenu.size(), 6u);
    for (int kind = 0; kind < 6; ++kind) {
        EXPECT_EQ(s.m_OptionMenu[kind].m_strText, optionLabels[kind]) << kind;
        EXPECT_EQ(s.m_OptionMenu[kind].m_bVisible, 1) << kind;
    }
    EXPECT_EQ(s.m_RankingModeNames.size(), 4u);
    ASSERT_EQ(s.m_TextList.size(), 28u);
    EXPECT_EQ(s.m_TextList[16], "保存先が不明です！一度は「セーブ」して下さい！");
    EXPECT_EQ(s.m_TextList[27], "F3キーでランキングへ登録");
    EXPECT_EQ(s.m_SoundFiles, std::vector<std::string>(17));
    EXPECT_EQ(s.m_MenuBgm, std::vector<int32_t>({0, 0, 0, 0}));
    EXPECT_EQ(s.m_MenuBgmLoop, std::vector<unsigned char>({1, 1, 1, 1}));
    EXPECT_EQ(s.m_DefaultLives, std::vector<int32_t>({5, 5, 5, 99}));
    ASSERT_EQ(s.m_IniOptions.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(s.m_IniOptions[i].m_nKind, i == 8 ? 1 : 0) << i;
    EXPECT_EQ(s.m_IniOptions[3].m_strKey, "VSync");
    EXPECT_EQ(s.m_IniOptions[3].m_nValue, 2);
    for (int mode = 0; mode < 4; ++mode) EXPECT_EQ(s.CountModeGenres(mode), mode < 3 ? 5 : 0) << mode;
    EXPECT_EQ(std::string(FontFaceNames[s.m_nFontFace]), "ＭＳ Ｐゴシック");
    EXPECT_EQ(std::string(FontFaceNames[122]), "");
    EXPECT_EQ(s.m_nDDFullBpp, 2);
    EXPECT_EQ(s.m_nChallengeCount, 40);
    EXPECT_EQ(s.m_bLegacyStartTrigger, 0);
    EXPECT_EQ(s.m_strTitle, "");
}

TEST_F(SystemDataTest, SmallFileOfTheCurrentVersionIsWrittenByteForByte)
{
    cSystemData s;
    std::vector<int32_t*> scalars = ScalarsInFileOrder(s);
    for (int n = 1; n <= 45; ++n)
        if (scalars[n - 1]) *scalars[n - 1] = n;
    s.m_TransparentColor[0] = 0x1A;
    s.m_TransparentColor[1] = 0x1B;
    s.m_TransparentColor[2] = 0x1C;
    s.m_strTitle = "Ab";
    s.m_CarryOverKeep = {1, 0};
    s.m_CarryOverReset = {1};
    s.m_StatusItems.assign(1, cStatusItem());
    s.m_StatusItems[0].m_bVisible = 1;
    s.m_StatusItems[0].m_nDigits = 3;
    s.m_StatusItems[0].m_bShowValue = 1;
    s.m_StatusItems[0].m_nLowLevel = 10;
    s.m_StatusItems[0].m_strLabel = "HP";
    s.m_DefaultLives = {3};
    s.m_InfiniteLives = {0};
    s.m_ModeSettings.assign(1, cModeSetting());
    s.m_ModeSettings[0].m_bRanking = 1;
    s.m_ModeSettings[0].m_Genres = {1, 0};
    s.m_TextList = {"x", ""};
    s.m_SoundFiles = {"s.wav"};
    s.m_MenuBgm = {2};
    s.m_MenuBgmLoop = {0};
    s.m_TitleMenu = {cMenuItem(0, "go")};
    s.m_WorldMapMenu.clear();
    s.m_OptionMenu.clear();
    s.m_RankingModeNames = {"r"};
    s.m_IniOptions.assign(1, cIniOption());
    s.m_IniOptions[0].SetString("FreeStage", "a");
    ASSERT_EQ(s.SaveFile("System.dat"), 1);
    EXPECT_EQ(ReadFileBytes("System.dat"), HexBytes(kSmallFile));
}

TEST_F(SystemDataTest, SmallFileOfTheCurrentVersionReadsWithoutUpgradesAndShortListsCompleted)
{
    ASSERT_TRUE(WriteFileBytes("System.dat", HexBytes(kSmallFile)));
    cSystemData s;
    const cSystemData defaults;
    ASSERT_EQ(s.LoadFile("System.dat"), 1);
    std::vector<int32_t*> scalars = ScalarsInFileOrder(s);
    for (int n = 1; n <= 45; ++n)
        if (scalars[n - 1]) {
            EXPECT_EQ(*scalars[n - 1], n) << "row " << n;
        }
    EXPECT_EQ(s.m_TransparentColor[0], 0x1A);
    EXPECT_EQ(s.m_TransparentColor[2], 0x1C);
    EXPECT_EQ(s.m_strTitle, "Ab");
    // The stored entries first, then the defaults of the positions the file lacks.
    std::vector<unsigned char> keep = defaults.m_CarryOverKeep;
    keep[0] = 1;
    keep[1] = 0;
    EXPECT_EQ(s.m_CarryOverKeep, keep);
    ASSERT_EQ(s.m_StatusItems.size(), 5u);
    EXPECT_EQ(s.m_StatusItems[0].m_strLabel, "HP");
    EXPECT_EQ(s.m_StatusItems[0].m_nLowLevel, 10);
    EXPECT_EQ(s.m_StatusItems[1].m_strLabel, "スコア");
    EXPECT_EQ(s.m_DefaultLives, std::vector<int32_t>({3, 5, 5, 99}));
    EXPECT_EQ(s.m_InfiniteLives, std::vector<int32_t>({0, 1, 1, 1}));
    ASSERT_EQ(s.m_ModeSettings.size(), 4u);
    EXPECT_EQ(s.m_ModeSettings[0].m_Genres, std::vector<unsigned char>({1, 0, 0, 0, 0}));
    EXPECT_EQ(s.CountModeGenres(0), 1);
    EXPECT_EQ(s.CountModeGenres(3), 0);
    ASSERT_EQ(s.m_TextList.size(), 28u);
    EXPECT_EQ(s.m_TextList[0], "x");
    EXPECT_EQ(s.m_TextList[1], "");
    EXPECT_EQ(s.m_TextList[2], "スコア");
    ASSERT_EQ(s.m_SoundFiles.size(), 17u);
    EXPECT_EQ(s.m_SoundFiles[0], "s.wav");
    EXPECT_EQ(s.m_MenuBgm, std::vector<int32_t>({2, 0, 0, 0}));
    EXPECT_EQ(s.m_MenuBgmLoop, std::vector<unsigned char>({0, 1, 1, 1}));
    ASSERT_EQ(s.m_TitleMenu.size(), 7u);
    EXPECT_EQ(s.m_TitleMenu[0].m_bVisible, 0);
    EXPECT_EQ(s.m_TitleMenu[0].m_strText, "go");
    EXPECT_EQ(s.m_TitleMenu[1].m_strText, "つづきから");
    EXPECT_EQ(s.m_WorldMapMenu.size(), 4u);
    EXPECT_EQ(s.m_OptionMenu.size(), 6u);
    ASSERT_EQ(s.m_RankingModeNames.size(), 4u);
    EXPECT_EQ(s.m_RankingModeNames[0], "r");
    ASSERT_EQ(s.m_IniOptions.size(), 10u);
    EXPECT_EQ(s.m_IniOptions[0].m_strKey, "FreeStage");
    EXPECT_EQ(s.m_IniOptions[0].m_strValue, "a");
    EXPECT_EQ(s.m_IniOptions[9].m_strKey, "English");
}

TEST_F(SystemDataTest, ValuesTheGameIndexesWithAreKeptInRange)
{
    struct Row {
        int64_t fontFace, challenges;
        int wantFace, wantChallenges;
    };
    const Row rows[] = {
        {0, 0, 0, 0},          {122, 99, 122, 99},   {123, 100, 60, 99},
        {-1, -1, 60, 0},       {0x7FFFFFFF, 0x7FFFFFFF, 60, 99},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(WriteFileBytes("System.dat", SystemFile(708, {{5, row.fontFace}, {13, row.challenges}}, "", {})));
        cSystemData s;
        ASSERT_EQ(s.LoadFile("System.dat"), 1);
        EXPECT_EQ(s.m_nFontFace, row.wantFace) << row.fontFace;
        EXPECT_EQ(s.m_nChallengeCount, row.wantChallenges) << row.challenges;
    }
}

TEST_F(SystemDataTest, MenuMusicOutsideTheMusicListBecomesNone)
{
    // The music list holds 3 entries (0 is none): 1 and 2 are tunes.
    SystemLists lists;
    lists.menuBgm = "05000000 FFFFFFFF 00000000 02000000 03000000 01000000";
    ASSERT_TRUE(WriteFileBytes("System.dat", SystemFile(708, {}, "", lists)));
    cSystemData s;
    ASSERT_EQ(s.LoadFile("System.dat"), 1);
    EXPECT_EQ(s.m_MenuBgm, std::vector<int32_t>({0, 0, 2, 0, 1}));
}

TEST_F(SystemDataTest, GaugeLowByPercentageOrByPoints)
{
    struct Row {
        int level, percent, value, max, low;
    };
    const Row rows[] = {
        {33, 1, 33, 100, 1}, {33, 1, 34, 100, 0}, {33, 1, 1, 3, 0},  {50, 1, 1, 2, 1},
        {10, 0, 10, 100, 1}, {10, 0, 11, 100, 0}, {10, 0, -5, 0, 1},
        {33, 1, 0, 0, 0},    {33, 1, 5, 0, 0},    {33, 1, -1, 0, 1},
    };
    const cSystemData saved = SystemData;
    for (const Row& row : rows) {
        SystemData.m_StatusItems[2].m_nLowLevel = row.level;
        SystemData.m_StatusItems[2].m_bLowPercent = row.percent;
        EXPECT_EQ(IsGaugeLow(2, row.value, row.max), row.low)
            << row.level << (row.percent ? "%" : "") << " " << row.value << "/" << row.max;
    }
    SystemData = saved;
}

TEST_F(SystemDataTest, MenuLeftEdgeFromTheWidestText)
{
    // Defaults: 19 "しゅうりょう" (6), 20 "つづける" (4), 21 "リトライ" (4),
    // 24 "Vキーでジャンルの切り替え" (13).
    struct Row {
        int centre, first, count, cursor, left;
    };
    const Row rows[] = {
        {320, 19, 3, 1, 264}, {320, 19, 3, 0, 272}, {320, 20, 2, 0, 288}, {320, 24, 1, 1, 208}, {100, 20, 0, 1, 92},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetMenuLeft(row.centre, row.first, row.count, row.cursor), row.left) << row.first << "+" << row.count;
}

TEST_F(SystemDataTest, MenuWindowTextOneLinePerText)
{
    EXPECT_EQ(MenuWindowText(19, 3, 1), " しゅうりょう\n つづける\n リトライ\n");
    EXPECT_EQ(MenuWindowText(22, 2, 0), "リトライ\nマップへ戻る\n");
    EXPECT_EQ(MenuWindowText(22, 0, 1), "");
}
