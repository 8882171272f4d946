#include "tools/sample/definitions.h"

#include "files/database_context.h"
#include "records/command_labels.h"
#include "records/flow_labels.h"
#include "records/key_cond_data.h"
#include "tools/sample/animations.h"
#include "tools/sample/sample_database.h"
#include "tools/sample/sprites.h"
#include "tools/sample/tiles.h"

namespace {
cBlockData Block(const char* name, int chip, int collision)
{
    cBlockData b;
    b.m_sName = name;
    b.m_sGraphic = static_cast<int16_t>(chip);
    b.m_cGraphicKind = GRAPHIC_BLOCK;
    b.m_cCollision = static_cast<int8_t>(collision);
    return b;
}

// A key step that holds while the keys of the given entries stay pressed.
cKeyCondData Keys(std::initializer_list<int> entries)
{
    cKeyCondData k;
    for (int e : entries) k.m_KeyStates[e] = KEYMARK_PRESSED;
    k.m_bAnyLength = 1;
    return k;
}

cCommandData Command(int kind, std::vector<int32_t> params = {})
{
    cCommandData c;
    c.m_cKind = static_cast<int8_t>(kind);
    c.m_Params = std::move(params);
    c.m_Params.resize(aCommandLabel[kind].nParams, 0);
    return c;
}

// A straight walk in a direction of the movement list for tenths of a second.
cCommandData Walk(int direction, int speed, int tenths)
{
    cCommandData c = Command(FLOWCMD_LINEAR_MOVE);
    NewEdMove(c.m_pMove);
    c.m_pMove->m_cDirection = static_cast<uint8_t>(direction);
    c.m_pMove->m_sSpeed = static_cast<int16_t>(speed);
    c.m_sTime = static_cast<int16_t>(tenths);
    return c;
}

// A walk that turns round at walls and ledges.
cCommandData Patrol(int speed, int tenths)
{
    cCommandData c = Command(FLOWCMD_GROUND_TURN_MOVE);
    NewEdMove(c.m_pMove);
    c.m_pMove->m_sSpeed = static_cast<int16_t>(speed);
    c.m_sTime = static_cast<int16_t>(tenths);
    return c;
}

// One shot straight ahead.
cCommandData Shot(int graphic, int speed, int power, int tenthsAlive, int sound, int startAnime)
{
    cCommandData c = Command(FLOWCMD_SHOT);
    NewEdShot(c.m_pShot);
    cEdShot& s = *c.m_pShot;
    s.m_cCount = 1;
    s.m_sGraphic = static_cast<int16_t>(graphic);
    s.m_sSpeed = static_cast<int16_t>(speed);
    s.m_nPower = power;
    s.m_bLifetime = 1;
    s.m_sLifetime = static_cast<int16_t>(tenthsAlive);
    s.m_sOffsetX = -12;
    s.m_sHitEffect = EFFECT_HIT;
    c.m_sSound = static_cast<int16_t>(sound);
    c.m_sTime = 3;
    c.m_sStartAnime = static_cast<int16_t>(startAnime);
    return c;
}

// "エフェクトの実行": an effect of the database at its full size, centred on
// the running character (placement 1) or on the hero (2), without waiting.
cCommandData PlayEffect(int effect, int placement)
{
    cCommandData c = Command(FLOWCMD_PLAY_EFFECT);
    c.m_Params[0] = effect;
    c.m_Params[1] = placement;
    c.m_Params[6] = 100;
    return c;
}

cFlowData Flow(std::vector<cKeyCondData> keys, std::vector<cCommandData> commands, int repeat = 0)
{
    cFlowData f = DefaultListFlow();
    f.m_cTrigger = TRIGGER_ALWAYS;
    f.m_KeyConds = std::move(keys);
    f.m_Commands = std::move(commands);
    f.m_bKeyRepeat = static_cast<uint8_t>(repeat);
    return f;
}

// A foe bursts apart when beaten and leaves a puff of smoke; its body
// flashes where it hurts the hero.
void Beatable(cCharaData& c)
{
    c.m_sDeathEffect = CHARA_EFFECT_DEFEAT;
    c.m_sDamageEffect = EFFECT_HIT;
    cFlowData puff = Flow({}, {PlayEffect(EFFECT_PUFF, 1)});
    puff.m_cTrigger = TRIGGER_DIED;
    c.m_Flows.push_back(puff);
}

cCharaData Chara(const char* name, int sheetRow, int animeSet, int control)
{
    cCharaData c;
    c.m_sName = name;
    c.m_sGraphic = static_cast<int16_t>(sheetRow);
    c.m_cGraphicKind = GRAPHIC_CHARA;
    c.m_sAnimeSet = static_cast<int16_t>(animeSet);
    c.m_cControl = static_cast<int8_t>(control);
    c.m_bFixedFacing = 0;
    // Carries no item: a link of 0 would hand it the stage's first placed
    // item, taken off the stage and given to the hero when it falls.
    c.m_nItemLink = -1;
    return c;
}

cCharaData Hero()
{
    enum { LEFT = 1, RIGHT = 2, BUTTON1 = KEYSTATE_FIRST_BUTTON + 1, BUTTON2 = KEYSTATE_FIRST_BUTTON + 2 };
    enum { DIR_LEFT = 2, DIR_RIGHT = 3 };
    cCharaData c = Chara("ヒーロー", 0, ANIMESET_HERO, CHARA_PLAYER);
    c.m_nMaxHp = 10;
    c.m_sStop = 20;
    c.m_cFacing = 1;
    // Objects of one hit layer never meet: the hero and its sparks take
    // layer 0, away from the foes and their shots on layer 1.
    c.m_cPass = 0;
    // The jump rises while button 1 is held, up to four blocks.
    cCommandData jump = Command(FLOWCMD_JUMP, {1, 0, 8, 0, 0});
    jump.m_sSound = SOUND_JUMP;
    c.m_Flows = {
        Flow({Keys({LEFT})}, {Walk(DIR_LEFT, 30, 1)}, 1),
        Flow({Keys({RIGHT})}, {Walk(DIR_RIGHT, 30, 1)}, 1),
        Flow({Keys({BUTTON1})}, {jump}),
        Flow({Keys({BUTTON2})}, {Shot(SHOT_CHIP_SPARK, 80, 1, 8, SOUND_SHOT, ANIME_SHOOT)}),
    };
    return c;
}

cCharaData Slime()
{
    cCharaData c = Chara("スライム", 1, ANIMESET_SLIME, CHARA_COMPUTER);
    c.m_nMaxHp = 1;
    c.m_nPower = 2;
    c.m_nScore = 100;
    c.m_Flows = {Flow({}, {Patrol(8, 100)})};
    Beatable(c);
    return c;
}

cCharaData Beetle()
{
    cCharaData c = Chara("カブトムシ", 2, ANIMESET_BEETLE, CHARA_COMPUTER);
    c.m_nMaxHp = 2;
    c.m_nPower = 3;
    c.m_nScore = 200;
    // It patrols and, every two seconds, spits a fan of three ahead, 20
    // degrees apart ("拡散").
    cCommandData spit = Shot(SHOT_CHIP_SPIT, 30, 2, 20, 0, 0);
    spit.m_pShot->m_cCount = 3;
    spit.m_pShot->m_cArrangement = 2;
    spit.m_pShot->m_sArrangeParam[0] = 20;
    c.m_Flows = {
        Flow({}, {Patrol(15, 100)}),
        Flow({}, {Command(FLOWCMD_WAIT), spit}),
    };
    c.m_Flows[1].m_Commands[0].m_sTime = 20;
    c.m_Flows[1].m_Commands[1].m_pShot->m_sHitEffect = EFFECT_HIT;
    Beatable(c);
    return c;
}

// A lift: a block that floats through the scenery, rides three seconds to
// the right and three back, over and over, and carries whoever stands on it.
// Shots pass it by.
cCharaData Lift()
{
    enum { DIR_LEFT = 2, DIR_RIGHT = 3 };
    cCharaData c = Chara("リフト", BLOCK_CHIP_LIFT, 0, CHARA_COMPUTER);
    c.m_cGraphicKind = GRAPHIC_BLOCK;
    c.m_bFullCellBoxes = 1;
    c.m_cFlying = 1;
    c.m_cInvincible = 2;
    c.m_nMaxHp = 1;
    c.m_Flows = {Flow({}, {Walk(DIR_RIGHT, 10, 30), Walk(DIR_LEFT, 10, 30)})};
    return c;
}

// An item command: its kind in the item vocabulary and the parameters of
// that kind.
cCommandData ItemCommand(int flowKind, std::vector<int32_t> params)
{
    cCommandData c = Command(flowKind, std::move(params));
    c.m_bItemCommand = 1;
    c.m_cKind = static_cast<int8_t>(flowKind - ITEMCMD_TO_FLOWCMD);
    return c;
}

// "ステータスの操作" adding a constant to a status of a subject (0 the
// taker, 2 the system).
cCommandData AddStatus(int subject, int status, int amount)
{
    std::vector<int32_t> p(18, 0);
    p[3] = subject;
    p[4] = status;
    p[5] = 1;           // add
    p[7] = amount;
    p[16] = 1;          // the gauge shows the change
    return ItemCommand(FLOWCMD_STATUS_OP, p);
}

cItemData Item(const char* name, int chip, int sound)
{
    cItemData i;
    i.m_sName = name;
    i.m_sGraphic = static_cast<int16_t>(chip);
    i.m_cGraphicKind = GRAPHIC_ITEM;
    i.m_sSound = static_cast<int16_t>(sound);
    return i;
}
}  // namespace

void UseSampleDatabaseCounts()
{
    cDataBase db;
    MakeSampleDatabase(db);
    SetRecordContext(db, RecordContext);
}

cPaletteData MakeCommonPalette()
{
    enum { SYSTEM_SCORE = 3 };
    enum { STATUS_HP = 1 };
    cPaletteData p;
    p.m_Blocks.resize(1);
    p.m_Blocks.push_back(Block("草地", BLOCK_CHIP_GRASS, BLOCK_SOLID));
    p.m_Blocks.push_back(Block("土", BLOCK_CHIP_DIRT, BLOCK_SOLID));
    p.m_Blocks.push_back(Block("レンガ", BLOCK_CHIP_BRICK, BLOCK_SOLID));
    p.m_Blocks.push_back(Block("石", BLOCK_CHIP_STONE, BLOCK_SOLID));
    p.m_Blocks.push_back(Block("コイン箱", BLOCK_CHIP_BOX, BLOCK_SOLID));
    p.m_Blocks.push_back(Block("トゲ", BLOCK_CHIP_SPIKES, BLOCK_DEADLY));
    p.m_Blocks.push_back(Block("雲", BLOCK_CHIP_CLOUD, BLOCK_SOLID));

    p.m_Charas.resize(1);
    p.m_Charas.push_back(Hero());
    p.m_Charas.push_back(Slime());
    p.m_Charas.push_back(Beetle());
    p.m_Charas.push_back(Lift());

    p.m_Items.resize(1);
    cItemData coin = Item("コイン", ITEM_CHIP_COIN, SOUND_COIN);
    coin.m_bPopUp = 0;
    // Taking a coin leaves gold twinkles round the hero.
    cCommandData sparkle = PlayEffect(EFFECT_SPARKLE, 2);
    sparkle = ItemCommand(FLOWCMD_PLAY_EFFECT, sparkle.m_Params);
    coin.m_Commands = {AddStatus(2, SYSTEM_SCORE, 10), sparkle};
    p.m_Items.push_back(coin);
    cItemData heart = Item("ハート", ITEM_CHIP_HEART, SOUND_COIN);
    heart.m_Commands = {AddStatus(0, STATUS_HP, 3)};
    p.m_Items.push_back(heart);
    cItemData goal = Item("ゴール", ITEM_CHIP_FLAG, 0);
    goal.m_Commands = {ItemCommand(FLOWCMD_STAGE_CLEAR, {})};
    p.m_Items.push_back(goal);
    p.m_Items.push_back(MakeSign(Item("看板", ITEM_CHIP_SIGN, 0), "やあ！"));
    return p;
}

cItemData MakeSign(const cItemData& base, const std::string& text, int picture)
{
    // The message waits in the middle of the screen for the advance key.
    cItemData sign = base;
    sign.m_Commands.clear();
    if (picture) {
        // The picture stands above the message, in front of the stage, and
        // goes four seconds after the message has been read.
        std::vector<int32_t> q(14, 0);
        q[0] = picture;
        q[5] = -120;   // pixels above the centre
        q[6] = 1;      // the front layer
        q[7] = 100;    // its own size
        q[8] = 2;      // timed
        q[9] = 40;
        sign.m_Commands.push_back(ItemCommand(FLOWCMD_SHOW_PICTURE, q));
    }
    std::vector<int32_t> p(17, 0);
    p[5] = 1;   // kept on screen
    p[8] = 1;   // the game waits while it shows
    p[14] = 1;  // in a window
    cCommandData message = ItemCommand(FLOWCMD_MESSAGE, p);
    message.m_sText = text;
    sign.m_Commands.push_back(message);
    sign.m_bPopUp = 0;
    return sign;
}
