// The game and display commands on a stage in memory: what each changes, the
// waits they hold the game in (served here by a pause loop that draws the
// scene's messages, pictures and effects with the play frozen), and the
// inputs they refuse.
#include <string>
#include <vector>

#include "files/frame_tables.h"
#include "files/stage_file.h"
#include "files/world_map.h"
#include "records/command_data.h"
#include "records/palette_data.h"
#include "stage/script/flow_commands.h"
#include "stage/script/game_commands.h"
#include "stage/objects/stage_containers.h"
#include "tests/stage/stage_display_fixture.h"

namespace {

// What the window thread was asked for.
struct Requests {
    std::vector<int> se, userSe, bgm;
    struct Pause {
        int wait[5];
        int handshake;
        int frames;              // frames drawn while the game stood still
        size_t fewestMessages;   // the fewest messages a drawn frame showed
        size_t fewestPictures;
    };
    std::vector<Pause> pauses;
    std::vector<std::string> loaded;   // the picture surfaces, parallel to the list
    int imageW = 64, imageH = 40;
};
Requests* lpRequests = nullptr;

// The wait as the pause loop serves it, the confirm button pressed as soon
// as it counts; each frame it goes on draws the scene frozen.
void ServeWait(int handshake)
{
    cStageScene& scene = *lpStageScene;
    Requests::Pause p{{}, handshake, 0, 1000, 1000};
    std::copy(scene.m_Wait, scene.m_Wait + 5, p.wait);
    for (;;) {
        if (scene.m_Wait[1] > 0) {
            --scene.m_Wait[1];
        } else if (scene.m_Wait[2]) {
            break;
        } else if (--scene.m_Wait[3] < 0) {
            break;
        }
        for (auto it = scene.m_MessageList.begin(); it != scene.m_MessageList.end();)
            it = it->Step(*lpStageScene, 1) ? scene.m_MessageList.erase(it) : std::next(it);
        int index = 0;
        for (auto it = scene.m_PictureList.begin(); it != scene.m_PictureList.end();) {
            if (it->Step(1)) {
                it = scene.m_PictureList.erase(it);
                lpRequests->loaded.erase(lpRequests->loaded.begin() + index);
            } else {
                ++it;
                ++index;
            }
        }
        for (auto it = scene.m_EffectList.begin(); it != scene.m_EffectList.end();)
            it = it->Advance(1) < 0 ? scene.m_EffectList.erase(it) : std::next(it);
        ++p.frames;
        p.fewestMessages = std::min(p.fewestMessages, scene.m_MessageList.size());
        p.fewestPictures = std::min(p.fewestPictures, scene.m_PictureList.size());
    }
    lpRequests->pauses.push_back(p);
}

class GameCommandTest : public StageDisplayTest {
protected:
    void SetUp() override
    {
        StageDisplayTest::SetUp();
        lpRequests = &m_Requests;
        Host().onPlaySE = [](int n) { lpRequests->se.push_back(n); };
        Host().onPlayUserSE = [](int n) { lpRequests->userSe.push_back(n); };
        Host().onRequestBgm = [](int n, int loop) { lpRequests->bgm.insert(lpRequests->bgm.end(), {n, loop}); };
        Host().onRunPauseLoop = ServeWait;
        PictureGfx.lpLoad = [](const char* file, int index, int, int* w, int* h) {
            if (std::string(file) == "missing.bmp") return 0;
            lpRequests->loaded.insert(lpRequests->loaded.begin() + index, file);
            *w = lpRequests->imageW;
            *h = lpRequests->imageH;
            return 1;
        };
        PictureGfx.lpRemove = [](int index) { lpRequests->loaded.erase(lpRequests->loaded.begin() + index); };
        DataBase.m_Picture.resize(4);
        for (int i = 1; i < 4; ++i) DataBase.m_Picture[i].m_sFile = "pic" + std::to_string(i) + ".bmp";
        DataBase.m_Picture[3].m_sFile = "missing.bmp";
        DataBase.m_Effect.resize(2);
        DataBase.m_Effect[1].m_nCellWidth = 32;
        DataBase.m_Effect[1].m_nCellHeight = 32;
        DataBase.m_Effect[1].m_Frames.resize(3);
        for (auto& f : DataBase.m_Effect[1].m_Frames) f.m_nFrameTime = 2;
        BuildEffectFrameTable(FrameTables.EffectFrameTable);
        Player.resize(1);
        PlaceAt(Player[P1], 20, 10);
        Player[P1].m_nRef = 1;
        m_Npc.m_nRef = 7;
        PlaceAt(m_Npc, 5, 5);
        m_lpScene->m_Wait[4] = 9;
    }
    void TearDown() override
    {
        lpRequests = nullptr;
        FrameTables.EffectFrameTable.clear();
        StageData.m_Backgrounds.clear();
        StageDisplayTest::TearDown();
    }

    // A 32 x 32 character with its top left at the stage cell.
    static void PlaceAt(cChara& c, int column, int row)
    {
        c.m_nHitW = c.m_nHitH = c.m_nDrawW = c.m_nDrawH = 32;
        c.SetPosition((column + 10) * 32, (row + 10) * 32);
        c.UpdateScreenPos();
    }

    static cCommandData Command(int kind, std::vector<int32_t> params, const std::string& text = "")
    {
        cCommandData c;
        c.m_cKind = static_cast<int8_t>(kind);
        c.m_Params = params;
        c.m_sText = text;
        return c;
    }

    // A message command: placement 0, the given display mode, time (tenths),
    // wait, ID switch, ID and erase flag.
    static cCommandData Message(const std::string& text, int mode, int time, int wait, int useId = 0,
                                int id = 0, int erase = 0)
    {
        std::vector<int32_t> p(17, 0);
        p[6] = mode;
        p[7] = time;
        p[8] = wait;
        p[12] = useId;
        p[13] = id;
        p[15] = erase;
        return Command(19, p, text);
    }

    // A picture command at the screen centre, 100 %.
    static cCommandData Picture(int picture, int mode, int time, int wait, int useId = 0, int id = 0, int percent = 100)
    {
        std::vector<int32_t> p(14, 0);
        p[0] = picture;
        p[7] = percent;
        p[8] = mode;
        p[9] = time;
        p[10] = wait;
        p[12] = useId;
        p[13] = id;
        return Command(31, p);
    }

    Requests m_Requests;
    cNpc m_Npc;
};

TEST_F(GameCommandTest, AWaitingTimedMessageFreezesPlayForExactlyItsFramesThenGoes)
{
    cCommandData c = Message("wait", SHOW_TIMED, 20, 1);
    CmdMessage(*lpStageScene, &m_Npc, &c, 0);
    ASSERT_EQ(m_Requests.pauses.size(), 1u);
    const Requests::Pause& p = m_Requests.pauses[0];
    EXPECT_EQ(p.frames, 120);
    EXPECT_EQ(p.fewestMessages, 1u);   // shown on every frame of the wait
    EXPECT_EQ(p.handshake, 1);
    EXPECT_EQ(std::vector<int>(p.wait, p.wait + 5), (std::vector<int>{1, 0, 0, 120, 0}));
    EXPECT_TRUE(m_lpScene->m_MessageList.empty());
    EXPECT_TRUE(m_Requests.se.empty());
}

TEST_F(GameCommandTest, AWaitingPictureFreezesPlayForExactlyItsFramesThenGoes)
{
    cCommandData keep = Picture(1, SHOW_UNTIL_STAGE_END, 0, 0);
    CmdShowPicture(*lpStageScene, &m_Npc, &keep);
    cCommandData wait = Picture(2, SHOW_TIMED, 20, 1);
    CmdShowPicture(*lpStageScene, &m_Npc, &wait);
    ASSERT_EQ(m_Requests.pauses.size(), 1u);
    const Requests::Pause& p = m_Requests.pauses[0];
    EXPECT_EQ(p.frames, 120);
    EXPECT_EQ(p.fewestPictures, 2u);
    EXPECT_EQ(std::vector<int>(p.wait, p.wait + 5), (std::vector<int>{3, 0, 0, 120, 0}));
    ASSERT_EQ(m_lpScene->m_PictureList.size(), 1u);
    EXPECT_EQ(m_lpScene->m_PictureList.front().m_nPicture, 1);
    EXPECT_EQ(m_Requests.loaded, std::vector<std::string>{"pic1.bmp"});
}

TEST_F(GameCommandTest, KeyWaitsDelayTheFirstMessageAndSoundItsOpening)
{
    cCommandData c = Message("one", SHOW_UNTIL_KEY, 0, 1);
    CmdMessage(*lpStageScene, &m_Npc, &c, 0);
    CmdMessage(*lpStageScene, &m_Npc, &c, 1);   // the flow's previous command was a key-wait message
    ASSERT_EQ(m_Requests.pauses.size(), 2u);
    EXPECT_EQ(std::vector<int>(m_Requests.pauses[0].wait, m_Requests.pauses[0].wait + 5), (std::vector<int>{1, 10, 1, 0, 0}));
    EXPECT_EQ(m_Requests.pauses[0].frames, 10);
    EXPECT_EQ(std::vector<int>(m_Requests.pauses[1].wait, m_Requests.pauses[1].wait + 5), (std::vector<int>{1, 0, 1, 0, 0}));
    EXPECT_EQ(m_Requests.se, std::vector<int>{11});
    EXPECT_TRUE(m_lpScene->m_MessageList.empty());

    // A waiting picture has no delay before the key.
    cCommandData pic = Picture(1, SHOW_UNTIL_KEY, 0, 1);
    CmdShowPicture(*lpStageScene, &m_Npc, &pic);
    EXPECT_EQ(std::vector<int>(m_Requests.pauses[2].wait, m_Requests.pauses[2].wait + 5), (std::vector<int>{3, 0, 1, 0, 0}));
    EXPECT_TRUE(m_lpScene->m_PictureList.empty());
}

TEST_F(GameCommandTest, WaitingForTheStageEndHoldsNothing)
{
    cCommandData c = Message("until the end", SHOW_UNTIL_STAGE_END, 0, 1);
    CmdMessage(*lpStageScene, &m_Npc, &c, 0);
    cCommandData p = Picture(1, SHOW_UNTIL_STAGE_END, 0, 1);
    CmdShowPicture(*lpStageScene, &m_Npc, &p);
    EXPECT_TRUE(m_Requests.pauses.empty());
    EXPECT_EQ(m_lpScene->m_MessageList.size(), 1u);
    EXPECT_EQ(m_lpScene->m_PictureList.size(), 1u);
    EXPECT_EQ(m_lpScene->m_Wait[4], 9);   // the wait request untouched
}

TEST_F(GameCommandTest, MessagesWithAnIdAreReplacedInPlaceOrErased)
{
    cCommandData first = Message("aaaa", SHOW_UNTIL_STAGE_END, 0, 0, 1, 5);
    cCommandData other = Message("other", SHOW_UNTIL_STAGE_END, 0, 0, 1, 6);
    CmdMessage(*lpStageScene, &m_Npc, &first, 0);
    CmdMessage(*lpStageScene, &m_Npc, &other, 0);
    auto& list = m_lpScene->m_MessageList;
    cCommandData same = Message("bbbb", SHOW_UNTIL_STAGE_END, 0, 0, 1, 5);
    CmdMessage(*lpStageScene, &m_Npc, &same, 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.front().m_strText, "bbbb");
    cCommandData longer = Message("cccccc", SHOW_UNTIL_STAGE_END, 0, 0, 1, 5);
    CmdMessage(*lpStageScene, &m_Npc, &longer, 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.front().m_strText, "cccccc");   // a new message at the old one's place
    EXPECT_EQ(list.back().m_strText, "other");

    cCommandData erase = Message("", SHOW_UNTIL_STAGE_END, 0, 0, 1, 5, 1);
    CmdMessage(*lpStageScene, &m_Npc, &erase, 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.front().m_strText, "other");
    CmdMessage(*lpStageScene, &m_Npc, &erase, 0);   // no message carries the ID: nothing shown
    cCommandData eraseNoId = Message("x", SHOW_UNTIL_STAGE_END, 0, 0, 0, 0, 1);
    CmdMessage(*lpStageScene, &m_Npc, &eraseNoId, 0);
    EXPECT_EQ(list.size(), 1u);

    m_lpScene->m_bQuit = 1;
    CmdMessage(*lpStageScene, &m_Npc, &first, 0);
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(GameCommandTest, MessagesAtACharacterFollowItAndEndWithIt)
{
    std::vector<int32_t> p(17, 0);
    p[0] = MSGPLACE_ABOVE_SELF;
    p[6] = SHOW_UNTIL_STAGE_END;
    cCommandData above = Command(19, p, "ab");
    CharaList.push_back(m_Npc);
    CmdMessage(*lpStageScene, &CharaList.back(), &above, 0);
    cMessage& m = m_lpScene->m_MessageList.back();
    EXPECT_EQ(m.m_nAnchor, 7);
    int x, y;
    ASSERT_EQ(m.Place(*lpStageScene, &x, &y), 1);
    EXPECT_EQ(x, 5 * 32 + 16 - 9);
    EXPECT_EQ(y, 5 * 32 - 18);
    CharaList.clear();
    EXPECT_EQ(m.Place(*lpStageScene, &x, &y), 0);
}

TEST_F(GameCommandTest, AGameWaitStandsStillForItsTimeAndLeavesNoMessage)
{
    cCommandData c = Command(18, {5});
    CmdGameWait(*lpStageScene, &m_Npc, &c);
    ASSERT_EQ(m_Requests.pauses.size(), 1u);
    EXPECT_EQ(m_Requests.pauses[0].frames, 30);
    EXPECT_EQ(m_Requests.pauses[0].fewestMessages, 1u);
    EXPECT_EQ(m_Requests.pauses[0].handshake, 0);
    EXPECT_EQ(std::vector<int>(m_Requests.pauses[0].wait, m_Requests.pauses[0].wait + 5), (std::vector<int>{0, 0, 0, 30, 0}));
    EXPECT_TRUE(m_lpScene->m_MessageList.empty());
}

TEST_F(GameCommandTest, PictureCommandsClearReplaceAndSkipMissingImages)
{
    cCommandData a = Picture(1, SHOW_UNTIL_STAGE_END, 0, 0, 1, 4);
    cCommandData b = Picture(2, SHOW_UNTIL_STAGE_END, 0, 0, 0, 0, 50);
    CmdShowPicture(*lpStageScene, &m_Npc, &a);
    CmdShowPicture(*lpStageScene, &m_Npc, &b);
    auto& list = m_lpScene->m_PictureList;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.back().m_nWidth, 32);
    EXPECT_EQ(list.back().m_nHeight, 20);
    EXPECT_EQ(list.back().m_bScaled, 1);
    EXPECT_DOUBLE_EQ(list.back().m_dX, 320 + 320 - 16);
    EXPECT_DOUBLE_EQ(list.back().m_dY, 320 + 240 - 10);

    // A new picture with a carried ID takes the old one's place.
    cCommandData replace = Picture(2, SHOW_UNTIL_STAGE_END, 0, 0, 1, 4);
    CmdShowPicture(*lpStageScene, &m_Npc, &replace);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.front().m_nPicture, 2);
    EXPECT_EQ(m_Requests.loaded, (std::vector<std::string>{"pic2.bmp", "pic2.bmp"}));

    // An image that cannot be loaded changes nothing.
    cCommandData missing = Picture(3, SHOW_UNTIL_STAGE_END, 0, 0, 1, 4);
    CmdShowPicture(*lpStageScene, &m_Npc, &missing);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.front().m_nPicture, 2);

    cCommandData noSuchId = Picture(0, SHOW_UNTIL_STAGE_END, 0, 0, 1, 99);
    CmdShowPicture(*lpStageScene, &m_Npc, &noSuchId);
    EXPECT_EQ(list.size(), 2u);
    cCommandData removeId = Picture(0, SHOW_UNTIL_STAGE_END, 0, 0, 1, 4);
    CmdShowPicture(*lpStageScene, &m_Npc, &removeId);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(m_Requests.loaded.size(), 1u);
    cCommandData clear = Picture(0, SHOW_UNTIL_STAGE_END, 0, 0);
    CmdShowPicture(*lpStageScene, &m_Npc, &clear);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(m_Requests.loaded.empty());
}

TEST_F(GameCommandTest, EffectCommandsPlaceWaitAndClear)
{
    // Effect 1 at 200 % centred on the running character.
    cCommandData c = Command(28, {1, PLACE_CHARA_CENTRE, 0, 0, 3, -2, 200, 0});
    CmdPlayEffect(*lpStageScene, &m_Npc, &c);
    ASSERT_EQ(m_lpScene->m_EffectList.size(), 1u);
    const cEffect& e = m_lpScene->m_EffectList.front();
    EXPECT_EQ(e.m_nWidth, 64);
    EXPECT_EQ(e.m_bStretch, 1);
    EXPECT_DOUBLE_EQ(e.m_dX, (5 + 10) * 32 + 16 - 32 + 3);
    EXPECT_DOUBLE_EQ(e.m_dY, (5 + 10) * 32 + 16 - 32 - 2);

    cCommandData waited = Command(28, {1, PLACE_STAGE_CELLS, 2, 3, 0, 0, 100, 1});
    CmdPlayEffect(*lpStageScene, &m_Npc, &waited);
    ASSERT_EQ(m_Requests.pauses.size(), 1u);
    EXPECT_EQ(std::vector<int>(m_Requests.pauses[0].wait, m_Requests.pauses[0].wait + 5), (std::vector<int>{2, 0, 0, 36, 0}));
    EXPECT_EQ(m_lpScene->m_EffectList.size(), 1u);   // the waited one played out; the other stood still
    EXPECT_DOUBLE_EQ(m_lpScene->m_EffectList.front().m_dX, e.m_dX);

    cCommandData clear = Command(28, {0});
    CmdPlayEffect(*lpStageScene, &m_Npc, &clear);
    EXPECT_TRUE(m_lpScene->m_EffectList.empty());
}

TEST_F(GameCommandTest, StageClearNamesTheNextStageAndTheMapPosition)
{
    WorldMap.m_nWidth = 20;
    WorldMap.m_nHeight = 15;
    Player[P1].m_nFacing = 1;
    GameProgress.m_nArea = 2;
    struct Row {
        std::vector<int32_t> params;
        int next, mapX, mapY, nextStart, dir;
    } rows[] = {
        {{0}, 3, 0, 0, 0, 0},
        {{1, 7}, 7, 0, 0, 0, 0},
        {{2}, 0, 0, 0, 0, 0},
        {{0, 0, 1, 25, 4}, 3, 19, 4, 0, 0},
        {{0, 0, 1, -3, -1}, 3, 0, 0, 0, 0},     // left of the map: its first cell
        {{0, 0, 0, 0, 0, 1, 4, 5, 0}, 3, 0, 0, 1, 0},
        {{0, 0, 0, 0, 0, 1, 4, 5, 2}, 3, 0, 0, 1, 1},
    };
    for (const Row& r : rows) {
        GameProgress.m_nMapX = GameProgress.m_nMapY = 0;
        cCommandData c = Command(17, r.params);
        EXPECT_EQ(CmdStageClear(*lpStageScene, &m_Npc, &c), 1);
        EXPECT_EQ(m_lpScene->m_nNextLinkedStage, r.next);
        EXPECT_EQ(GameProgress.m_nMapX, r.mapX);
        EXPECT_EQ(GameProgress.m_nMapY, r.mapY);
        EXPECT_EQ(GameProgress.m_bNextStart, r.nextStart);
        if (r.nextStart) {
            EXPECT_EQ(GameProgress.m_nNextStartDir, r.dir);
        }
    }
    WorldMap = cWorldMap();
}

TEST_F(GameCommandTest, CommandsGivenNumbersOutsideTheirListsDoNothing)
{
    StageData.m_Backgrounds.resize(2);
    StageData.m_Backgrounds[0].m_bShown = 1;
    for (std::vector<int32_t> p : {std::vector<int32_t>{0, 1}, {-1, 1}, {3, 1}}) {
        cCommandData c = Command(33, p);
        CmdChangeBg(*lpStageScene, &m_Npc, &c);
    }
    EXPECT_EQ(StageData.m_Backgrounds[0].m_bShown, 1);
    cCommandData toggle = Command(33, {1, 2});
    CmdChangeBg(*lpStageScene, &m_Npc, &toggle);
    EXPECT_EQ(StageData.m_Backgrounds[0].m_bShown, 0);

    // A search over a hit layer outside the eight keeps the target.
    m_Npc.m_lpTarget = &Player[P1];
    Player[P1].m_Followers = {&m_Npc};
    for (int layer : {-1, 8}) {
        cCommandData c = Command(21, {3, layer, 0, 0, 0, 0, 0, 0, 0, 0});
        CmdSetTarget(*lpStageScene, &m_Npc, &c);
        EXPECT_EQ(m_Npc.m_lpTarget, &Player[P1]);
        EXPECT_EQ(Player[P1].m_Followers.size(), 1u);
    }

    m_lpScene->m_nStageRequest = 0;
    cCommandData item = Command(24, {2, 0});
    CmdGetItem(*lpStageScene, &m_Npc, &item);
    EXPECT_EQ(m_lpScene->m_nStageRequest, 0);
}

TEST_F(GameCommandTest, TargetChoiceMovesTheCharacterBetweenFollowerLists)
{
    cNpc other;
    other.m_nRef = 9;
    other.m_bActive = 1;
    other.m_Def.m_cCharaId = 4;
    m_lpScene->m_CharaLayers[2] = {&other};
    m_Npc.m_lpTarget = &Player[P1];
    Player[P1].m_Followers = {&m_Npc};
    cCommandData first = Command(21, {3, 0, 1, 0, 0, 0, 0, 0, 1, 4});
    CmdSetTarget(*lpStageScene, &m_Npc, &first);
    EXPECT_EQ(m_Npc.m_lpTarget, &other);
    EXPECT_TRUE(Player[P1].m_Followers.empty());
    EXPECT_EQ(other.m_Followers, std::vector<cChara*>{&m_Npc});
    CmdSetTarget(*lpStageScene, &m_Npc, &first);
    EXPECT_EQ(other.m_Followers.size(), 1u);
    cCommandData self = Command(21, {1});
    CmdSetTarget(*lpStageScene, &m_Npc, &self);
    EXPECT_EQ(m_Npc.m_lpTarget, &m_Npc);
    EXPECT_TRUE(other.m_Followers.empty());
}

TEST_F(GameCommandTest, SoundsMusicAndRunsGoWhereTheyBelong)
{
    cCommandData se = Command(34, {5});
    m_Npc.m_bOnScreen = 0;
    CmdPlaySe(*lpStageScene, &m_Npc, &se);
    se.m_bSoundOnScreen = 0;
    CmdPlaySe(*lpStageScene, &m_Npc, &se);
    EXPECT_EQ(m_Requests.userSe, std::vector<int>{5});
    cCommandData bgm = Command(35, {3, 1});
    CmdPlayBgm(*lpStageScene, &m_Npc, &bgm);
    EXPECT_EQ(m_Requests.bgm, (std::vector<int>{3, 1}));

    DataBase.m_CharaEffect.resize(2);
    DataBase.m_CharaEffect[1].m_nKind = 1;
    DataBase.m_CharaEffect[1].m_Param[0] = 5;
    DataBase.m_CharaEffect[1].m_Param[2] = 32;
    BuildCharaEffectTemplates(CharaEffectTemplates, CharaEffectTemplatesRev);
    cCommandData chara = Command(29, {1, 1, 0});
    CmdCharaEffect(*lpStageScene, &m_Npc, &chara);
    EXPECT_EQ(m_Npc.m_CharaEffect.m_sEffect, 1);
    EXPECT_DOUBLE_EQ(m_Npc.m_CharaEffect.m_dValue, 32);

    cCommandData graphic = Command(25, {2, 300, 12});
    CmdChangeGraphic(*lpStageScene, &m_Npc, &graphic);
    EXPECT_EQ(m_Npc.m_Def.m_cGraphicKind, 2);
    EXPECT_EQ(m_Npc.m_Def.m_sGraphic, 300);
    EXPECT_EQ(m_Npc.m_nGraphic, 300);
    EXPECT_EQ(m_Npc.m_Def.m_sChipOffset, 12);
    CharaEffectTemplates.clear();
    CharaEffectTemplatesRev.clear();
}

TEST_F(GameCommandTest, AWarpOutOfTheStageLeavesTheCharacterWhereItWas)
{
    cEdMove move;
    move.m_cMode = 2;
    move.m_cCoordKind = 0;
    move.m_sTargetX = 3;
    move.m_bMirrorX = 1;
    cCommandData c = Command(20, {});
    c.m_pMove.reset(new cEdMove(move));
    m_Npc.m_nFacing = 0;
    m_Npc.m_dVy = 2;
    CmdWarp(*lpStageScene, &m_Npc, &c);
    EXPECT_DOUBLE_EQ(m_Npc.m_dLeft, (5 + 10 + 3) * 32);
    EXPECT_DOUBLE_EQ(m_Npc.m_dVy, 0);
    m_Npc.m_nFacing = 1;   // facing right: the offset turns round
    CmdWarp(*lpStageScene, &m_Npc, &c);
    EXPECT_DOUBLE_EQ(m_Npc.m_dLeft, (5 + 10) * 32);

    move.m_sTargetX = -100;
    c.m_pMove.reset(new cEdMove(move));
    m_Npc.m_nFacing = 0;
    CmdWarp(*lpStageScene, &m_Npc, &c);
    EXPECT_DOUBLE_EQ(m_Npc.m_dLeft, (5 + 10) * 32);
}

} // namespace
