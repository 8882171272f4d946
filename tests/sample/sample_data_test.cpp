// The sample game's database and system settings as the game reads them at
// start-up: every file loads through the game's own loaders, writes back the
// same bytes (nothing was repaired) and names only pictures, sounds, tunes,
// effects and stages that exist.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "files/database.h"
#include "files/replay.h"
#include "files/system_data.h"
#include "files/system_defaults.h"
#include "records/palette_data.h"
#include "records/record_context.h"
#include "records/record_list.h"
#include "records/stage_data.h"
#include "tests/sample/sample_folder.h"
#include "tests/support/test_dir.h"
#include "tools/sample/definitions.h"
#include "tools/sample/dump.h"
#include "tools/sample/system_settings.h"

namespace {
uint32_t U32(const std::vector<unsigned char>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

struct cBmpSize {
    int w = 0, h = 0;
};

class SampleDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(folder.Write(), 1);
        RecordContext.nDataVersion = DATA_VERSION;
        ASSERT_EQ(db.LoadAll(folder.Path("default/database/")), 1);
    }

    // A file the game names (relative to the game folder, backslashes) in
    // the folder written.
    std::string GameFile(const std::string& name) const
    {
        std::string relative = name;
        for (char& c : relative)
            if (c == '\\') c = '/';
        return folder.Path(relative);
    }

    // The size of an 8-bit picture the game names; 0 by 0 when it is missing
    // or no BMP.
    cBmpSize Picture(const std::string& name) const
    {
        const std::vector<unsigned char> b = ReadFileBytes(GameFile(name));
        if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return {};
        return {static_cast<int>(U32(b, 18)), static_cast<int>(U32(b, 22))};
    }

    bool IsWav(const std::string& name) const
    {
        const std::vector<unsigned char> b = ReadFileBytes(GameFile(name));
        return b.size() > 44 && std::string(b.begin(), b.begin() + 4) == "RIFF";
    }

    // Writes the record again and compares the bytes with its file: the
    // same bytes mean that the loader took every value as it stood.
    template <class T>
    void ExpectWrittenBackUnchanged(T& record, const std::string& file)
    {
        const std::string again = folder.Path(file + ".again");
        ASSERT_EQ(record.SaveFile(again), 1) << file;
        EXPECT_EQ(ReadFileBytes(again), ReadFileBytes(folder.Path(file))) << file;
    }

    cSampleFolder folder;
    cDataBase db;
};

// The references of definitions into the database, through their flows and
// the commands' own flows.
void ExpectCommandsInRange(const std::vector<cCommandData>& commands, const std::string& where);

void ExpectFlowsInRange(const std::vector<cFlowData>& flows, const std::string& where)
{
    for (const cFlowData& f : flows) ExpectCommandsInRange(f.m_Commands, where);
}

void ExpectCommandsInRange(const std::vector<cCommandData>& commands, const std::string& where)
{
    const cRecordContext& c = RecordContext;
    for (const cCommandData& cmd : commands) {
        EXPECT_TRUE(IsInList(cmd.m_sSound, c.nSounds)) << where;
        EXPECT_TRUE(IsInList(cmd.m_sStartAnime, c.nAnimes)) << where;
        if (cmd.m_pShot) {
            EXPECT_TRUE(IsInList(cmd.m_pShot->m_sHitEffect, c.nEffects)) << where;
        }
        ExpectFlowsInRange(cmd.m_Flows, where);
    }
}

void ExpectDefinitionsInRange(const std::vector<cCharaData>& charas, const std::vector<cItemData>& items,
                              const std::string& where)
{
    const cRecordContext& c = RecordContext;
    for (const cCharaData& ch : charas) {
        EXPECT_TRUE(IsInList(ch.m_sAnimeSet, c.nAnimeSets)) << where;
        EXPECT_TRUE(IsInList(ch.m_sPlaceEffect, c.nCharaEffects)) << where;
        EXPECT_TRUE(IsInList(ch.m_sDeathEffect, c.nCharaEffects)) << where;
        EXPECT_TRUE(IsInList(ch.m_sDamageEffect, c.nEffects)) << where;
        ExpectFlowsInRange(ch.m_Flows, where);
    }
    for (const cItemData& it : items) {
        EXPECT_TRUE(IsInList(it.m_sSound, c.nSounds)) << where;
        ExpectCommandsInRange(it.m_Commands, where);
    }
}

std::string ChallengeFile(int n)
{
    char name[40];
    std::snprintf(name, sizeof name, "default/stg4/c%02d-1.stg4_000", n);
    return name;
}
}  // namespace

TEST_F(SampleDataTest, TheDatabaseLoadsWholeWithTheListsTheDefinitionsCountOn)
{
    // LoadAll leaves the record context with the lists' lengths.
    EXPECT_EQ(RecordContext.nAnimeSets, ANIMESETS);
    EXPECT_EQ(RecordContext.nCharaImages, CHARA_IMAGES);
    EXPECT_EQ(RecordContext.SwordTypes(), SWORD_TYPES);
    EXPECT_EQ(RecordContext.nEffects, EFFECTS);
    EXPECT_EQ(RecordContext.nCharaEffects, CHARA_EFFECTS);
    EXPECT_EQ(RecordContext.nScrEffects, SCREEN_EFFECTS);
    EXPECT_EQ(RecordContext.nPictures, PICTURES);
    EXPECT_EQ(RecordContext.nSounds, SOUNDS);
    EXPECT_EQ(RecordContext.nBgms, BGMS);

    // Each file holds its records of the current version and nothing after them.
    int index = 0;
    auto whole = [&](auto list) {
        const std::string name = cDataBase::FileNames[index++];
        std::unique_ptr<cDataReader> in = DataFileOpenRead(folder.Path("default/database/" + name));
        ASSERT_TRUE(in) << name;
        EXPECT_EQ(nFileVersion, DATA_VERSION) << name;
        EXPECT_TRUE(ReadRecords(list, *in)) << name;
        EXPECT_EQ(in->Remaining(), 0u) << name;
        EXPECT_EQ(DataFileClose(in), 1) << name;
    };
    whole(db.m_AnimeSet), whole(db.m_Anime), whole(db.m_BmpCharaExc), whole(db.m_SwordType), whole(db.m_Effect);
    whole(db.m_CharaEffect), whole(db.m_ScrEffect), whole(db.m_Picture), whole(db.m_Sound), whole(db.m_Bgm);

    // Entry 0 stands for none: no file behind it.
    EXPECT_TRUE(db.m_Effect[0].m_sFile.empty());
    EXPECT_TRUE(db.m_BmpCharaExc[0].m_sFile.empty());
    EXPECT_TRUE(db.m_Picture[0].m_sFile.empty());
    EXPECT_TRUE(db.m_Sound[0].m_sFile.empty());
    EXPECT_TRUE(db.m_Bgm[0].m_sFile.empty());
    EXPECT_EQ(db.m_CharaEffect[0].m_nKind, 0);
    EXPECT_EQ(db.m_ScrEffect[0].m_nKind, 0);
}

TEST_F(SampleDataTest, EveryPictureTheDatabaseNamesHoldsTheCellsItIsCutInto)
{
    // The animations show cells of the 20-column character sheet.
    for (const cAnimeData& a : db.m_Anime)
        for (const cAnimeFrameData& f : a.m_Frames) EXPECT_TRUE(IsInList(f.m_nCell, 20)) << a.m_sName;

    // Extra character images: cells of 32n pixels, 16 / n to a row.
    for (size_t i = 1; i < db.m_BmpCharaExc.size(); ++i) {
        const cBmpCharaExcData& e = db.m_BmpCharaExc[i];
        const int cell = 32 * (e.m_bOwnCellSize ? e.m_nCellSize : 1);
        const cBmpSize size = Picture(e.m_sFile);
        EXPECT_EQ(size.w, 512) << e.m_sFile;
        EXPECT_GE(size.h, cell) << e.m_sFile;
        EXPECT_EQ(size.h % cell, 0) << e.m_sFile;
    }

    // Swords: both images alike, every part inside them, every part timed.
    for (const cSwordTypeData& s : db.m_SwordType) {
        const cBmpSize a = Picture(s.m_sFileA), b = Picture(s.m_sFileB);
        EXPECT_GT(a.w, 0) << s.m_sFileA;
        EXPECT_EQ(a.w, b.w);
        EXPECT_EQ(a.h, b.h);
        ASSERT_FALSE(s.m_Parts.empty());
        for (const cSwordPartData& p : s.m_Parts) {
            EXPECT_GE(p.m_nSrcX, 0);
            EXPECT_GE(p.m_nSrcY, 0);
            EXPECT_LE(p.m_nSrcX + p.m_nWidth, a.w);
            EXPECT_LE(p.m_nSrcY + p.m_nHeight, a.h);
            EXPECT_GT(p.m_nPartTime, 0);
            EXPECT_TRUE(IsInList(p.m_nPosition, 4));
        }
    }

    // Effects from entry 1: every frame's cell inside the picture's one row.
    for (size_t i = 1; i < db.m_Effect.size(); ++i) {
        const cEffectData& e = db.m_Effect[i];
        const cBmpSize size = Picture(e.m_sFile);
        EXPECT_GE(size.h, e.m_nCellHeight) << e.m_sFile;
        ASSERT_FALSE(e.m_Frames.empty()) << e.m_sFile;
        for (const cEffectFrameData& f : e.m_Frames) {
            EXPECT_GE(f.m_nCell, 0) << e.m_sFile;
            EXPECT_LE((f.m_nCell + 1) * e.m_nCellWidth, size.w) << e.m_sFile;
            EXPECT_GT(f.m_nFrameTime, 0) << e.m_sFile;
        }
    }

    for (size_t i = 1; i < db.m_Picture.size(); ++i) EXPECT_GT(Picture(db.m_Picture[i].m_sFile).w, 0) << db.m_Picture[i].m_sFile;
}

TEST_F(SampleDataTest, SoundsAndTunesNameFilesTheGameCanPlay)
{
    for (size_t i = 1; i < db.m_Sound.size(); ++i) EXPECT_TRUE(IsWav(db.m_Sound[i].m_sFile)) << db.m_Sound[i].m_sFile;
    // Tunes play as Ogg Vorbis from "bgm\"; the build encodes each from the
    // WAV written beside it.
    for (size_t i = 1; i < db.m_Bgm.size(); ++i) {
        const std::string& file = db.m_Bgm[i].m_sFile;
        ASSERT_GT(file.size(), 8u);
        EXPECT_EQ(file.substr(0, 4), "bgm\\") << file;
        EXPECT_EQ(file.substr(file.size() - 4), ".ogg") << file;
        EXPECT_TRUE(IsWav(file.substr(0, file.size() - 4) + ".wav")) << file;
    }
}

TEST_F(SampleDataTest, TheEffectKindsAndTheirRunTimesAreOnesTheGamePlays)
{
    // Kinds 1 to 16 for characters, 1 to 13 for the screen; the run time,
    // parameter 0, is 1 to 9999 tenths.
    for (size_t i = 1; i < db.m_CharaEffect.size(); ++i) {
        EXPECT_GE(db.m_CharaEffect[i].m_nKind, 1);
        EXPECT_LE(db.m_CharaEffect[i].m_nKind, 16);
        EXPECT_GE(db.m_CharaEffect[i].m_Param[0], 1);
        EXPECT_LE(db.m_CharaEffect[i].m_Param[0], 9999);
    }
    for (size_t i = 1; i < db.m_ScrEffect.size(); ++i) {
        EXPECT_GE(db.m_ScrEffect[i].m_nKind, 1);
        EXPECT_LE(db.m_ScrEffect[i].m_nKind, 13);
        EXPECT_GE(db.m_ScrEffect[i].m_Param[0], 1);
        EXPECT_LE(db.m_ScrEffect[i].m_Param[0], 9999);
    }
}

TEST_F(SampleDataTest, TheSystemSettingsLoadUnchangedAndNameWhatTheGameHas)
{
    cSystemData settings;
    ASSERT_EQ(settings.LoadFile(folder.Path("default/System.dat")), 1);
    ExpectWrittenBackUnchanged(settings, "default/System.dat");

    EXPECT_EQ(settings.m_strTitle, "Sunny Hills");
    EXPECT_TRUE(IsInList(settings.m_nFontFace, FONT_FACES));
    ASSERT_EQ(settings.m_SoundFiles.size(), static_cast<size_t>(SYSTEM_SOUNDS));
    for (const std::string& file : settings.m_SoundFiles) EXPECT_TRUE(IsWav(file)) << file;
    // Every menu has a tune of the music list.
    ASSERT_EQ(settings.m_MenuBgm.size(), static_cast<size_t>(MENU_BGM_SLOTS));
    for (int32_t tune : settings.m_MenuBgm) {
        EXPECT_GE(tune, 1);
        EXPECT_LT(tune, static_cast<int32_t>(db.m_Bgm.size()));
    }
    // The menu picture holds a 32-pixel row for every title item.
    EXPECT_EQ(settings.m_bTitleMenuImage, 1);
    EXPECT_GE(Picture("bmp\\GameMode.bmp").h, 32 * static_cast<int>(settings.m_TitleMenu.size()));
    // The story's lives run out; each ranked mode ranks something.
    EXPECT_EQ(settings.m_InfiniteLives[PLAYMODE_STORY], 0);
    EXPECT_GT(settings.m_DefaultLives[PLAYMODE_STORY], 0);
    for (int mode : {PLAYMODE_STORY, PLAYMODE_CHALLENGE, PLAYMODE_FREE}) EXPECT_GT(settings.CountModeGenres(mode), 0);
    EXPECT_EQ(settings.CountModeGenres(PLAYMODE_REPLAY), 0);
    // The options screen labels its rows as a new project does, one label
    // per item kind (the screen's own tests hold each label to its row).
    const cSystemData fresh;
    ASSERT_EQ(settings.m_OptionMenu.size(), fresh.m_OptionMenu.size());
    for (size_t kind = 0; kind < fresh.m_OptionMenu.size(); ++kind) {
        EXPECT_EQ(settings.m_OptionMenu[kind].m_strText, fresh.m_OptionMenu[kind].m_strText) << kind;
        EXPECT_EQ(settings.m_OptionMenu[kind].m_bVisible, 1) << kind;
    }
}

TEST_F(SampleDataTest, EveryChallengeTheSettingsCountIsAStageFileThatLoads)
{
    cSystemData settings;
    ASSERT_EQ(settings.LoadFile(folder.Path("default/System.dat")), 1);
    EXPECT_EQ(settings.m_nChallengeCount, SAMPLE_CHALLENGES);
    ASSERT_EQ(ReadCommonPalette(folder.Path("default/CommonPalette.cplt4")), 1);
    for (int n = 1; n <= settings.m_nChallengeCount; ++n) {
        cStageData stage;
        RegisterPalette(PALETTE_STAGE, stage.Lists());
        EXPECT_EQ(stage.LoadFile(folder.Path(ChallengeFile(n))), 1) << n;
        EXPECT_TRUE(stage.HasHero()) << n;
        RegisterPalette(PALETTE_STAGE, {});
    }
    // The next number has no stage: the list ends where the count says.
    EXPECT_FALSE(FileExists(folder.Path(ChallengeFile(settings.m_nChallengeCount + 1))));
}

TEST_F(SampleDataTest, EveryDefinitionOfThePalettesAndStagesNamesEntriesOfTheDatabase)
{
    ASSERT_EQ(ReadCommonPalette(folder.Path("default/CommonPalette.cplt4")), 1);
    ExpectDefinitionsInRange(CommonPalette.m_Charas, CommonPalette.m_Items, "common palette");
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path("default/stg4"))) {
        const std::string file = "default/stg4/" + entry.path().filename().string();
        cStageData stage;
        RegisterPalette(PALETTE_STAGE, stage.Lists());
        ASSERT_EQ(stage.LoadFile(folder.Path(file)), 1) << file;
        ExpectWrittenBackUnchanged(stage, file);
        ExpectDefinitionsInRange(stage.m_Charas, stage.m_Items, file);
        ExpectDefinitionsInRange(stage.m_PlacedCharas, stage.m_PlacedItems, file);
        EXPECT_TRUE(IsInList(stage.m_nBgm, RecordContext.nBgms)) << file;
        for (const cBackgroundData& b : stage.m_Backgrounds)
            if (!b.m_bFill) {
                EXPECT_GT(Picture(b.m_sImage).w, 0) << file;
            }
        RegisterPalette(PALETTE_STAGE, {});
    }
}

TEST_F(SampleDataTest, TheDumpReadsEverySettingsAndDatabaseFile)
{
    // The settings' menu tunes are read against the music list of the
    // database beside them, whatever lists the game held before.
    RecordContext = cRecordContext();
    bool ok = false;
    const std::string system = DumpFile(folder.Path("default/System.dat"), ok);
    EXPECT_TRUE(ok);
    EXPECT_NE(system.find("ChallengeCount=2 "), std::string::npos) << system;
    EXPECT_NE(system.find("\"Sunny Hills\"\n"), std::string::npos);
    EXPECT_NE(system.find("  0 \"wave\\Cursor.wav\"\n"), std::string::npos);
    EXPECT_NE(system.find("menu tunes: 1 1 1 1 | loop 1111\n"), std::string::npos);

    for (const char* name : cDataBase::FileNames) {
        const std::string text = DumpFile(folder.Path(std::string("default/database/") + name), ok);
        EXPECT_TRUE(ok) << name << "\n" << text;
        EXPECT_EQ(text.rfind("data version 708\n", 0), 0u) << name;
    }
    EXPECT_NE(DumpFile(folder.Path("default/database/Effect.dat"), ok).find(
                  "\"bmp\\effect\\Hit.bmp\" | cell/time 0/1 1/1 2/1 3/1\n"),
              std::string::npos);
    EXPECT_NE(DumpFile(folder.Path("default/database/Bgm.dat"), ok).find("\"bgm\\Theme.ogg\"\n"), std::string::npos);

    // A database file cut short is said to be damaged.
    std::vector<unsigned char> bytes = ReadFileBytes(folder.Path("default/database/SwordType.dat"));
    bytes.resize(bytes.size() - 6);
    std::filesystem::create_directories(folder.Path("cut"));
    ASSERT_TRUE(WriteFileBytes(folder.Path("cut/SwordType.dat"), bytes));
    EXPECT_NE(DumpFile(folder.Path("cut/SwordType.dat"), ok).find("(damaged or unreadable)"), std::string::npos);
    EXPECT_FALSE(ok);
}

TEST_F(SampleDataTest, TheDumpShowsAReplayAsItsInputRuns)
{
    ASSERT_EQ(ReadCommonPalette(folder.Path("default/CommonPalette.cplt4")), 1);
    cStageData stage, play;
    RegisterPalette(PALETTE_STAGE, stage.Lists());
    ASSERT_EQ(stage.LoadFile(folder.Path("default/stg4/Meadow.stg4_001")), 1);
    play.AssignSettings(stage);
    cReplay replay;
    replay.m_nSeed = 4242;
    for (int i = 0; i < 30; ++i) replay.RecordFrame(2, 0);   // right
    for (int i = 0; i < 5; ++i) replay.RecordFrame(2, 1);    // right and jump
    cGameProgress progress;
    progress.m_nLives = 4;
    ASSERT_EQ(SaveReplayFile(replay, folder.Path("Meadow.rpl4_708"), stage, play, progress), 1);
    RegisterPalette(PALETTE_STAGE, {});

    bool ok = false;
    const std::string text = DumpFile(folder.Path("Meadow.rpl4_708"), ok);
    EXPECT_TRUE(ok) << text;
    EXPECT_NE(text.find("seed 4242\n"), std::string::npos) << text;
    EXPECT_NE(text.find("directions (1 runs, 35 frames):\n  0002 x 35\n"), std::string::npos) << text;
    EXPECT_NE(text.find("buttons (2 runs, 35 frames):\n  0000 x 30\n  0001 x 5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("progress:"), std::string::npos);
}
