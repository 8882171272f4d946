#include "tools/sample/sample_database.h"

#include <string>

#include "tools/sample/animations.h"
#include "tools/sample/database_art.h"
#include "tools/sample/definitions.h"
#include "tools/sample/sounds.h"

namespace {
template <class T>
T Media(const char* name, const std::string& file)
{
    T entry;
    entry.m_sName = name;
    entry.m_sFile = file.empty() ? file : GamePath(file);
    return entry;
}

cEffectData Effect(const char* name, const char* file, int frames, int tenths)
{
    cEffectData e;
    e.Reset();
    e.m_sName = name;
    e.m_sFile = GamePath(file);
    e.m_nCellWidth = EFFECT_CELL;
    e.m_nCellHeight = EFFECT_CELL;
    for (int f = 0; f < frames; ++f) {
        cEffectFrameData frame;
        frame.m_nCell = f;
        frame.m_nFrameTime = tenths;
        e.m_Frames.push_back(frame);
    }
    return e;
}

template <class T>
T EffectKind(const char* name, int kind, std::initializer_list<int32_t> params)
{
    T e;
    e.m_sName = name;
    e.m_nKind = kind;
    int i = 0;
    for (int32_t p : params) e.m_Param[i++] = p;
    return e;
}

cSwordPartData SwordPart(int pose, int offsetY, int tenths)
{
    cSwordPartData part;
    part.m_nOffsetX = 0;
    part.m_nOffsetY = offsetY;
    part.m_bMirrorX = 1;
    part.m_nPosition = 0;   // in front of its owner
    part.m_nSrcX = pose * 32;
    part.m_nSrcY = 0;
    part.m_nWidth = 32;
    part.m_nHeight = 32;
    part.m_nPartTime = tenths;
    return part;
}

// The character-effect and screen-effect kinds the entries use.
enum { CHARA_BURST = 1, CHARA_BLINK = 6, CHARA_ROTATE_A = 7 };
enum { SCREEN_SHAKE_H = 2, SCREEN_BLINK = 8 };
}  // namespace

void MakeSampleDatabase(cDataBase& db)
{
    db.m_AnimeSet = MakeAnimeSets();
    db.m_Anime = MakeAnimes();

    db.m_BmpCharaExc.assign(1, cBmpCharaExcData());
    db.m_BmpCharaExc[0].m_sName = "なし";
    cBmpCharaExcData king;
    king.m_sName = "キングスライム";
    king.m_sFile = GamePath(KING_SLIME_FILE);
    king.m_bOwnCellSize = 1;
    king.m_nCellSize = 2;
    db.m_BmpCharaExc.push_back(king);

    // A swing from overhead to straight ahead, in front of its owner.
    cSwordTypeData sword;
    sword.m_sName = "つるぎ";
    sword.m_sFileA = GamePath(SWORD_LEFT_FILE);
    sword.m_sFileB = GamePath(SWORD_RIGHT_FILE);
    sword.m_Parts = {SwordPart(0, -12, 1), SwordPart(1, -6, 1), SwordPart(2, 0, 2)};
    db.m_SwordType = {sword};

    db.m_Effect.assign(1, cEffectData());
    db.m_Effect[0].Reset();
    db.m_Effect[0].m_sName = "なし";
    db.m_Effect.push_back(Effect("ヒット", EFFECT_HIT_FILE, HIT_FRAMES, 1));
    db.m_Effect.push_back(Effect("けむり", EFFECT_PUFF_FILE, PUFF_FRAMES, 1));
    db.m_Effect.push_back(Effect("キラキラ", EFFECT_SPARKLE_FILE, SPARKLE_FRAMES, 1));

    db.m_CharaEffect = {
        EffectKind<cCharaEffectData>("なし", 0, {}),
        EffectKind<cCharaEffectData>("やられ", CHARA_BURST, {5, 0, 32}),
        EffectKind<cCharaEffectData>("点滅", CHARA_BLINK, {10, 2}),
        EffectKind<cCharaEffectData>("回転", CHARA_ROTATE_A, {10, 0, 720}),
    };
    db.m_ScrEffect = {
        EffectKind<cScrEffectData>("なし", 0, {}),
        EffectKind<cScrEffectData>("ゆれ", SCREEN_SHAKE_H, {5, 6, 4}),
        EffectKind<cScrEffectData>("点滅", SCREEN_BLINK, {6, 3}),
    };

    db.m_Picture = {Media<cPictureData>("なし", ""), Media<cPictureData>("ようこそ", WELCOME_PICTURE_FILE)};

    static const char* const SOUND_TITLES[] = {"コイン", "ショット", "ジャンプ"};
    db.m_Sound = {Media<cSoundData>("なし", "")};
    for (int i = 0; i < SOUNDS - 1; ++i)
        db.m_Sound.push_back(Media<cSoundData>(SOUND_TITLES[i], std::string("wave/") + ACTION_SOUND_NAMES[i] + ".wav"));

    db.m_Bgm = {Media<cBgmData>("なし", ""), Media<cBgmData>("サニーヒルズのテーマ", TUNE_FILE)};
}
