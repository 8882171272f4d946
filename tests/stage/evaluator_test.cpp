// The code command's evaluator: values of texts, what they store, and the
// boxes and errors of texts that go wrong, each checked against the game's
// own storage rather than through the evaluator.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/command_data.h"
#include "stage/objects/chara.h"
#include "stage/script/evaluator.h"
#include "stage/script/flow_commands.h"
#include "stage/objects/play_links.h"
#include "stage/objects/random.h"
#include "stage/scene/stage_boxes.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

namespace {

std::vector<std::string> Boxes;
void CatchBox(const char* text, int) { Boxes.push_back(text); }

// The world a text runs in: the running character, its target, player 1,
// the scene and the progress, all with known values.
struct World {
    cStageScene scene;
    cChara me, foe;
    cScrollAxis axisX;
    cStageScene* savedScene = nullptr;
    cScrollAxis* savedAxisX = nullptr;

    World()
    {
        savedScene = lpStageScene;
        savedAxisX = lpScrollX;
        lpStageScene = &scene;
        lpScrollX = &axisX;
        lpStageBoxSink = CatchBox;
        Boxes.clear();
        GameSrand(1);
        scene.m_StageVars.assign(STAGE_VAR_COUNT, 0);
        scene.m_nTime = 321;
        GameProgress.m_CommonVars.assign(COMMON_VAR_COUNT, 0);
        GameProgress.m_CommonVars[1] = 9;
        GameProgress.m_CommonVars[5] = 7;
        GameProgress.m_CommonVars[12] = 120;
        GameProgress.m_nScore = 100;
        GameProgress.m_nLives = 3;
        StageData.m_nAutoScrollSpeedX = 0;
        StageData.m_dSpeedScale = 1;
        me.m_Def.m_nMaxHp = 50;
        me.m_nHp = 40;
        me.m_Def.m_nMaxSp = 20;
        me.m_nSp = 20;
        me.m_Vars[1] = 4;
        me.m_Def.m_nPower = 6;
        foe.m_Def.m_nMaxHp = 30;
        foe.m_nHp = 30;
        foe.m_Def.m_nDefence = 2;
        foe.m_nSide = 1;
        me.m_lpTarget = &foe;
        Player.assign(1, cPlayer{});
        Player[P1].m_Def.m_nMaxHp = 100;
        Player[P1].m_nHp = 77;
        Player[P1].m_Def.m_nPower = 5;
    }
    ~World()
    {
        Player.clear();
        lpStageScene = savedScene;
        lpScrollX = savedAxisX;
        lpStageBoxSink = nullptr;
    }
    World(const World&) = delete;
    World& operator=(const World&) = delete;
};

// The text shows exactly this box ("" none).
void ExpectBoxes(const char* box, const char* text)
{
    std::vector<std::string> expected;
    if (*box) expected.push_back(box);
    EXPECT_EQ(Boxes, expected) << text;
}

int& Common(int i) { return GameProgress.m_CommonVars[static_cast<size_t>(i)]; }

// A text and its value; low..high for texts that draw a random number.
struct ValueRow {
    const char* text;
    int low, high;
    int error;
    const char* box;   // the box shown, "" none
};

const ValueRow kValueRows[] = {
    // Precedence and grouping from the left.
    {"1 + 2 * 3", 7, 7, 0, ""},
    {"10 - 3 - 2", 5, 5, 0, ""},
    {"100 / 10 / 5", 2, 2, 0, ""},
    {"2 * 3 + 4 * 5", 26, 26, 0, ""},
    {"7 / 2", 3, 3, 0, ""},
    {"-7 / 2", -3, -3, 0, ""},
    {"-7 % 3", -1, -1, 0, ""},
    {"7 % -3", 1, 1, 0, ""},
    {"-7 % -3", -1, -1, 0, ""},
    // Brackets: a bracket that starts a word is a sub-text.
    {"( 1 + 2 ) * 3", 9, 9, 0, ""},
    {"(1 + 2) * 3", 9, 9, 0, ""},
    {"2 * ( 3 + ( 4 - 1 ) )", 12, 12, 0, ""},
    {"( 1 + 2", 0, 0, 1, "\")\"が見つかりません！"},
    {"3 + ( 1 / 0 )", 3, 3, 1, "0除算が行われました！( 1 / 0 )"},
    // Words: an operator must stand alone; unknown words read as numbers.
    {"1+2", 1, 1, 0, ""},
    {"12abc", 12, 12, 0, ""},
    {"foo", 0, 0, 0, ""},
    {"foo(3)", 0, 0, 0, ""},
    {"3   4", 4, 4, 0, ""},
    {"1 + 2 5", 3, 3, 0, ""},
    {"", 0, 0, 0, ""},
    {"   ", 0, 0, 0, ""},
    // Missing operands end the text at its level.
    {"- 5", 0, 0, 1, ""},
    {"5 +", 0, 0, 1, ""},
    {"1 + + 2", 0, 0, 1, ""},
    {"=", 0, 0, 1, ""},
    {"4 + ( 5 * )", 4, 4, 1, ""},
    // rand: two arguments, either order, empty ones dropped.
    {"rand(3,1)", 1, 3, 0, ""},
    {"rand(1,,3)", 1, 3, 0, ""},
    {"rand(5,5)", 5, 5, 0, ""},
    {"rand(( 2 * 3 ),6)", 6, 6, 0, ""},
    {"rand(rand(1,1),1) * 10", 10, 10, 0, ""},
    {"rand(-2147483648,2147483647)", INT_MIN, INT_MAX, 0, ""},
    {"rand(1)", 0, 0, 1, "関数 rand の引数が不正です！"},
    {"rand()", 0, 0, 1, "関数 rand の引数が不正です！"},
    {"rand(1,2,3)", 0, 0, 1, "関数 rand の引数が不正です！"},
    {"1 + rand(1", 0, 0, 1, "\")\"が見つかりません！"},
    // Division.
    {"1 / 0", 0, 0, 1, "0除算が行われました！(1 / 0)"},
    {"5 % 0", 0, 0, 1, "0除算が行われました！(5 % 0)"},
    // 32-bit arithmetic wraps; long numbers saturate.
    {"2147483647 + 1", INT_MIN, INT_MIN, 0, ""},
    {"-2147483648 - 1", INT_MAX, INT_MAX, 0, ""},
    {"65536 * 65536", 0, 0, 0, ""},
    {"-2147483648 / -1", INT_MIN, INT_MIN, 0, ""},
    {"-2147483648 % -1", 0, 0, 0, ""},
    {"99999999999999999999", INT_MAX, INT_MAX, 0, ""},
    {"-99999999999999999999", INT_MIN, INT_MIN, 0, ""},
    // Objects, statuses and variables.
    {"hp", 40, 40, 0, ""},
    {"my.hp + tg.hp + pl.hp", 147, 147, 0, ""},
    {"tg.def", 2, 2, 0, ""},
    {"my.v1", 4, 4, 0, ""},
    {"sys.hp", 0, 0, 0, ""},
    {"my.time", 321, 321, 0, ""},
    {"score", 100, 100, 0, ""},
    {"life", 3, 3, 0, ""},
    {"C12 + C1", 129, 129, 0, ""},
    {"C", 0, 0, 0, ""},
    {"S255", 0, 0, 0, ""},
    {"S256", 0, 0, 1, ""},
    {"C-1", 0, 0, 1, ""},
    {"C99999999999", 0, 0, 1, ""},
    {"xx.hp", 0, 0, 1, "オブジェクト \"xx.\" が認識できません！"},
    {"1.5", 0, 0, 1, "オブジェクト \"1.\" が認識できません！"},
};

TEST(Evaluator, ValuesOfTexts)
{
    for (const ValueRow& row : kValueRows) {
        World world;
        bCodeError = 0;
        int value = CodeReduce(row.text, &world.me);
        EXPECT_GE(value, row.low) << row.text;
        EXPECT_LE(value, row.high) << row.text;
        EXPECT_EQ(bCodeError, row.error) << row.text;
        ExpectBoxes(row.box, row.text);
    }
}

// A text that stores, with what it must leave behind.
struct StoreRow {
    const char* text;
    int runResult;          // CodeRun: 1 success, 0 error
    int (*read)(World& w);  // the storage the row checks
    int stored;
    const char* box;
};

const StoreRow kStoreRows[] = {
    {"my.hp = 999999", 1, [](World& w) { return w.me.m_nHp; }, 50, ""},
    {"hp = -5", 1, [](World& w) { return w.me.m_nHp; }, 0, ""},
    {"my.cid = 300", 1, [](World& w) { return int{w.me.m_Def.m_cCharaId}; }, 99, ""},
    {"my.imp = -100", 1, [](World& w) { return int{w.me.m_Def.m_cImpact}; }, -20, ""},
    {"my.stop = 5000", 1, [](World& w) { return int{w.me.m_Def.m_sStop}; }, 200, ""},
    {"my.mark = 1000", 1, [](World& w) { return int{w.me.m_Def.m_sMark}; }, 119, ""},
    {"my.z = 8", 1, [](World& w) { return int{w.me.m_Def.m_cZOrder}; }, 7, ""},
    {"my.v1 = my.v1 + 1", 1, [](World& w) { return w.me.m_Vars[1]; }, 5, ""},
    {"my.v8 = -2000000", 1, [](World& w) { return w.me.m_Vars[8]; }, -999999, ""},
    {"my.mhp = 30", 1, [](World& w) { return w.me.m_nHp; }, 30, ""},
    {"my.mhp = 0", 1, [](World& w) { return w.me.m_Def.m_nMaxHp * 100 + w.me.m_nHp; }, 101, ""},
    {"my.msp = 5", 1, [](World& w) { return w.me.m_nSp; }, 5, ""},
    {"my.sight = 3", 1, [](World& w) { return w.me.m_nSightDots; }, 48, ""},
    {"tg.sight = 3", 1, [](World& w) { return w.foe.m_nSightDots * 100 + w.foe.m_Def.m_cSightRange; }, 3, ""},
    {"tg.hp = tg.hp - ( pl.power * 2 )", 1, [](World& w) { return w.foe.m_nHp; }, 20, ""},
    {"tg.hp = 0", 1, [](World& w) { return w.scene.m_bStatusChanged * 100 + w.foe.m_nHp; }, 100, ""},
    {"my.hp = 0", 1, [](World& w) { return w.scene.m_bStatusChanged; }, 0, ""},
    {"C1 = 10 - 3 - 2", 1, [](World&) { return Common(1); }, 5, ""},
    {"C1 = 2000000", 1, [](World&) { return Common(1); }, 999999, ""},
    {"S3 = rand(1,6) * 10", 1, [](World& w) { return w.scene.m_StageVars[3] % 10 + (w.scene.m_StageVars[3] >= 10); }, 1, ""},
    {"S255 = 3", 1, [](World& w) { return w.scene.m_StageVars[255]; }, 3, ""},
    {"score = -5", 1, [](World&) { return GameProgress.m_nScore; }, 0, ""},
    {"life = 500", 1, [](World&) { return GameProgress.m_nLives; }, 99, ""},
    {"scrlx = 1000", 1, [](World&) { return StageData.m_nAutoScrollSpeedX; }, 480, ""},
    {"time = -1", 1, [](World& w) { return w.scene.m_nTime; }, 0, ""},
    // Two assignments; every value is read when its word is read.
    {"C1 = 5 C2 = C1", 1, [](World&) { return Common(1) * 100 + Common(2); }, 509, ""},
    // The first "=" binds first; its result has no storage for the second.
    {"C2 = C1 = 4", 0, [](World&) { return Common(1) * 100 + Common(2); }, 909, ""},
    // Failures keep the stores already made and make no more.
    {"C5 = 1 / 0", 0, [](World&) { return Common(5); }, 7, "0除算が行われました！(C5 = 1 / 0)"},
    {"C1 = ( 1 / 0 )", 0, [](World&) { return Common(1); }, 0, "0除算が行われました！( 1 / 0 )"},
    {"C1 = rand(1)", 0, [](World&) { return Common(1); }, 9, "関数 rand の引数が不正です！"},
    {"C1 = ( rand(1) )", 0, [](World&) { return Common(1); }, 0, "関数 rand の引数が不正です！"},
    {"C2 = 3 C5 = 1 / 0", 0, [](World&) { return Common(2) * 100 + Common(5); }, 7, "0除算が行われました！(C2 = 3 C5 = 1 / 0)"},
    {"C2 = 3 1 = 2", 0, [](World&) { return Common(2); }, 3, ""},
    {"1 = 2", 0, [](World&) { return Common(1); }, 9, ""},
    {"sys.hp = 1", 0, [](World& w) { return w.me.m_nHp; }, 40, ""},
    {"C1 + C5 = 3", 0, [](World&) { return Common(1) * 100 + Common(5); }, 907, ""},
    {"S256 = 3", 0, [](World& w) { return w.scene.m_StageVars[0]; }, 0, ""},
    {"C1 = S300", 0, [](World&) { return Common(1); }, 9, ""},
    {"C1 = xx.hp", 0, [](World&) { return Common(1); }, 9, "オブジェクト \"xx.\" が認識できません！"},
};

TEST(Evaluator, StoresAndFailures)
{
    for (const StoreRow& row : kStoreRows) {
        World world;
        EXPECT_EQ(CodeRun(row.text, &world.me), row.runResult) << row.text;
        EXPECT_EQ(row.read(world), row.stored) << row.text;
        ExpectBoxes(row.box, row.text);
    }
}

TEST(Evaluator, MissingTargetEndsSilently)
{
    World world;
    world.me.m_lpTarget = nullptr;
    EXPECT_EQ(CodeRun("tg.hp = 0", &world.me), 0);
    EXPECT_EQ(CodeRun("C1 = 2 tg.5", &world.me), 0);
    EXPECT_EQ(world.foe.m_nHp, 30);
    EXPECT_EQ(Common(1), 9);   // the text ended while its words were read
    EXPECT_TRUE(Boxes.empty());
}

TEST(Evaluator, UnlimitedLivesReadZeroAndStayUnlimited)
{
    World world;
    GameProgress.m_nLives = INFINITE_LIVES;
    EXPECT_EQ(CodeReduce("life", &world.me), 0);
    EXPECT_EQ(CodeRun("life = 5", &world.me), 1);
    EXPECT_EQ(GameProgress.m_nLives, INFINITE_LIVES);
}

TEST(Evaluator, ScrollSpeedReachesTheAxis)
{
    World world;
    world.axisX.m_bAutoScroll = 1;
    StageData.m_dSpeedScale = 2;
    EXPECT_EQ(CodeRun("scrlx = 30", &world.me), 1);
    EXPECT_DOUBLE_EQ(world.axisX.m_dAutoSpeed, 1.5);
}

TEST(Evaluator, RandDrawsFromTheGameSequence)
{
    World world;
    GameSrand(77);
    int expected[4];
    for (int& e : expected) e = 10 + GameRand() % 6;
    GameSrand(77);
    for (int e : expected) EXPECT_EQ(CodeReduce("rand(10,15)", &world.me), e);
}

TEST(Evaluator, HostileTextsEndWithoutHarm)
{
    World world;
    const std::string deep = std::string(5000, '(') + "1" + std::string(5000, ')');
    const std::string hostile[] = {
        deep,
        "rand(" + deep + ",1)",
        std::string(3000, '(') + std::string(3000, ')'),
        std::string(4000, ')') + " = ( ( (",
        "rand(,,,,)", ". . . .", "my.", ".hp", "..", "tg..", "\t= \t",
        std::string("\xff\x28\x81\x29 = 1", 8), std::string("C1 \0 = 3", 8),
    };
    for (const std::string& text : hostile) {
        CodeRun(text, &world.me);
        CodeRun(text, nullptr);
    }
    // Nesting beyond what the stack may hold is refused, not followed.
    EXPECT_EQ(CodeRun(deep, &world.me), 0);
    EXPECT_EQ(CodeRun("C1 = " + deep, &world.me), 0);
    EXPECT_EQ(Common(1), 0);
}

TEST(Evaluator, WithoutARunningCharacterOnlyItsStatusesAreMissing)
{
    World world;
    EXPECT_EQ(CodeRun("C1 = pl.hp + 1", nullptr), 1);
    EXPECT_EQ(Common(1), 78);
    EXPECT_EQ(CodeRun("hp = 3", nullptr), 0);
    EXPECT_EQ(CodeRun("tg.hp = 3", nullptr), 0);
}

// The guards behind the object table and the bracket matching, which no
// text reaches, met directly: each shows its box and fails the run.
TEST(Evaluator, GuardsBehindTheObjectTableAndTheBracketMatching)
{
    struct CallRow {
        const char* text;   // a call whose "(" stands at 4
        bool found;
        std::vector<std::string> args;
        size_t close;
        const char* box;
    };
    const CallRow calls[] = {
        {"rand(1,,3) + 2", true, {"1", "3"}, 9, ""},
        {"rand(( 1 , 2 ),3)", true, {"( 1 , 2 )", "3"}, 16, ""},
        {"rand(1,(2)", false, {}, 0, "関数 rand で\")\"が見つかりません！"},
        {"rand(", false, {}, 0, "関数 rand で\")\"が見つかりません！"},
    };
    for (const CallRow& row : calls) {
        World world;
        bCodeError = 0;
        std::vector<std::string> args;
        size_t close = 0;
        EXPECT_EQ(CodeCallArguments(row.text, 4, "rand", args, close), row.found) << row.text;
        EXPECT_EQ(args, row.args) << row.text;
        EXPECT_EQ(close, row.close) << row.text;
        EXPECT_EQ(bCodeError, row.found ? 0 : 1) << row.text;
        ExpectBoxes(row.box, row.text);
    }

    struct ObjectRow {
        int object;
        bool found;
        int who;            // 0 none, 1 me, 2 foe, 3 player 1
        const char* box;
    };
    const ObjectRow objects[] = {
        {0, true, 1, ""}, {1, true, 2, ""}, {2, true, 3, ""}, {3, true, 0, ""},
        {4, false, 0, "オブジェクトの設定エラー!"}, {-1, false, 0, "オブジェクトの設定エラー!"},
    };
    for (const ObjectRow& row : objects) {
        World world;
        bCodeError = 0;
        cChara* out = &world.me;
        EXPECT_EQ(CodeObjectCharacter(row.object, &world.me, out), row.found) << row.object;
        const cChara* who[] = {nullptr, &world.me, &world.foe, &Player[P1]};
        EXPECT_EQ(out, who[row.who]) << row.object;
        EXPECT_EQ(bCodeError, row.found ? 0 : 1) << row.object;
        ExpectBoxes(row.box, std::to_string(row.object).c_str());
    }
}

TEST(Evaluator, CodeCommandRunsItsText)
{
    World world;
    cCommandData def;
    def.m_sText = "C3 = C12 / 2";
    EXPECT_EQ(CmdRunCode(*lpStageScene, &world.me, &def), 0);
    EXPECT_EQ(Common(3), 60);
    def.m_sText = "C3 = 1 / 0";
    EXPECT_EQ(CmdRunCode(*lpStageScene, &world.me, &def), 0);
    EXPECT_EQ(bCodeError, 1);
}

} // namespace
