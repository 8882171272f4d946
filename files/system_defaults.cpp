// The system settings of a new project, and the face names they choose from.
#include "files/system_defaults.h"

#include "files/system_data.h"

const char* const FontFaceNames[FONT_FACES] = {
    "System", "Terminal", "FixedSys", "Roman", "Script", "Modern", "Small Fonts", "MS Serif",
    "WST_Czec", "WST_Engl", "WST_Fren", "WST_Germ", "WST_Ital", "WST_Span", "WST_Swed", "Courier",
    "MS Sans Serif", "Marlett", "Arial", "Arial CE", "Arial CYR", "Arial Greek", "Arial TUR", "Arial Baltic",
    "Courier New", "Courier New CE", "Courier New CYR", "Courier New Greek", "Courier New TUR",
    "Courier New Baltic", "Lucida Console", "Lucida Sans Unicode", "Times New Roman", "Times New Roman CE",
    "Times New Roman CYR", "Times New Roman Greek", "Times New Roman TUR", "Times New Roman Baltic",
    "Wingdings", "Symbol", "Verdana", "Arial Black", "Comic Sans MS", "Impact", "Georgia",
    "Franklin Gothic Medium", "Palatino Linotype", "Tahoma", "Trebuchet MS", "Webdings", "Estrangelo Edessa",
    "Gautami", "Latha", "Mangal", "MV Boli", "Raavi", "Shruti", "Tunga", "Sylfaen",
    "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS UI Gothic", "ＭＳ 明朝", "ＭＳ Ｐ明朝", "Microsoft Sans Serif",
    "Gulim", "GulimChe", "Dotum", "DotumChe", "Batang", "BatangChe", "Gungsuh", "GungsuhChe",
    "SimSun", "NSimSun", "SimSun-PUA", "SimHei", "MingLiU", "PMingLiU", "Arial Narrow", "Book Antiqua",
    "Bookman Old Style", "Century", "Century Gothic", "Garamond", "MS Outlook",
    "HGｺﾞｼｯｸE", "HGPｺﾞｼｯｸE", "HGSｺﾞｼｯｸE", "HG丸ｺﾞｼｯｸM-PRO", "HG創英角ｺﾞｼｯｸUB", "HGP創英角ｺﾞｼｯｸUB",
    "HGS創英角ｺﾞｼｯｸUB", "HG創英角ﾎﾟｯﾌﾟ体", "HGP創英角ﾎﾟｯﾌﾟ体", "HGS創英角ﾎﾟｯﾌﾟ体", "HG正楷書体-PRO",
    "InMusicSym", "Kartika", "Vrinda", "メイリオ", "MT Extra", "HGｺﾞｼｯｸM", "HGPｺﾞｼｯｸM", "HGSｺﾞｼｯｸM",
    "HG行書体", "HGP行書体", "HGS行書体", "HG教科書体", "HGP教科書体", "HGS教科書体", "HG明朝B", "HGP明朝B",
    "HGS明朝B", "HG明朝E", "HGP明朝E", "HGS明朝E", "HG創英ﾌﾟﾚｾﾞﾝｽEB", "HGP創英ﾌﾟﾚｾﾞﾝｽEB",
    "HGS創英ﾌﾟﾚｾﾞﾝｽEB", "OCRB", "Sydnie", "",
};

const char* const ColorModeLabels[3] = {"256色(8bit) カラーパレットあり", "1677万色(24bit) カラーパレットなし", ""};
const char* const DDFullBppLabels[4] = {"32bit(1677万色)", "16bit(32768色)", "8bit(256色)", ""};
const char* const D3DFullBppLabels[3] = {"32bit(1677万色)", "16bit(32768色)", ""};

namespace {

cStatusItem StatusItem(const char* label, int digits)
{
    cStatusItem item;
    item.m_bVisible = 1;
    item.m_bIcon = 1;
    item.m_nDigits = digits;
    item.m_strLabel = label;
    return item;
}

cModeSetting ModeSetting(int ranking)
{
    cModeSetting setting;
    setting.m_bRanking = ranking;
    setting.m_Genres.assign(RANKING_GENRES, static_cast<unsigned char>(ranking));
    return setting;
}

std::vector<cMenuItem> Menu(std::initializer_list<const char*> texts)
{
    std::vector<cMenuItem> menu;
    for (const char* text : texts) menu.emplace_back(1, text);
    return menu;
}

} // namespace

void cSystemData::SetDefault()
{
    Clear();
    m_nExtraLifeScore = 100;
    m_bPauseHidesStage = 1;
    m_nFontFace = DEFAULT_FONT_FACE;
    m_bReplay = 1;
    m_bTitleMenuImage = 1;
    m_bStoryRestoreVars = m_bChallengeRestoreVars = m_bFreeRestoreVars = 1;
    m_bStoryRestartCleared = m_bChallengeRestartCleared = 1;
    m_nColorCycleStep = 16;
    m_bStoryKeepLives = m_bStoryRetryPrompt = m_bMapShowLives = 1;
    m_nChallengeCount = 40;
    m_bChallengeAllOpen = 1;
    m_bMapShowBest = m_bMenuShowTotal = m_bChallengeShowBest = m_bChallengeShowTotal = 1;
    m_nDDFullBpp = 2;

    m_CarryOverKeep.assign(CARRYOVER_GROUPS, 0);
    for (int group : {0, 1, 13, 14, 16, 17, 19, 20, 21}) m_CarryOverKeep[group] = 1;
    m_CarryOverReset.assign(CARRYOVER_GROUPS, 0);
    m_CarryOverReset[11] = m_CarryOverReset[12] = 1;

    m_StatusItems = {StatusItem("スコア", 4), StatusItem("スコア", 3), StatusItem("HP", 0), StatusItem("SP", 0),
                     StatusItem("人", 2)};
    m_ModeSettings = {ModeSetting(1), ModeSetting(1), ModeSetting(1), ModeSetting(0)};

    m_TitleMenu = Menu({"はじめから", "つづきから", "チャレンジ", "フリー", "リプレイ", "オプション", "しゅうりょう"});
    m_WorldMapMenu = Menu({"セーブ", "オートセーブ", "もどる", "タイトルへ"});
    // One text per item kind, in the order of the kinds: palette, music,
    // sound-effect volume, ranking entry, ranking name, back.
    m_OptionMenu = Menu({"パレット", "BGM", "SE", "ランキング登録", "ランキング登録名", "もどる"});
    m_RankingModeNames = {"手動登録（登録名入力）", "手動登録（登録名固定）", "自動登録（登録名入力）",
                          "自動登録（登録名固定）"};

    m_DefaultLives = {5, 5, 5, 99};
    m_InfiniteLives = {1, 1, 1, 1};
    m_TextList = {
        "ワールド", "ステージ", "スコア", "ハイスコア", "トータルスコア", "スコア", "残り時間", "クリア時間",
        "残りHP", "残りSP", "ステージに挑む", "やっぱりやめる", "セーブする", "やっぱりやめる",
        "オートセーブＯＮ", "オートセーブＯＦＦ", "保存先が不明です！一度は「セーブ」して下さい！",
        "タイトルへ戻る", "やっぱりやめる", "しゅうりょう", "つづける", "リトライ", "リトライ", "マップへ戻る",
        "Vキーでジャンルの切り替え", "スペースキーでタイトルへ戻る", "スペースキーで終了",
        "F3キーでランキングへ登録",
    };
    m_SoundFiles.assign(SYSTEM_SOUNDS, std::string());
    m_MenuBgm.assign(MENU_BGM_SLOTS, 0);
    m_MenuBgmLoop.assign(MENU_BGM_SLOTS, 1);

    m_IniOptions.assign(INI_OPTIONS, cIniOption());
    m_IniOptions[0].SetInt("Direct3D", 2);
    m_IniOptions[1].SetInt("WindowMode", 0);
    m_IniOptions[2].SetInt("Bpp", 0);
    m_IniOptions[3].SetInt("VSync", 2);
    m_IniOptions[4].SetInt("D3D_FontCache", 0);
    m_IniOptions[5].SetInt("DD_FontCache", 1);
    m_IniOptions[6].SetInt("DD_VideoStretch", 0);
    m_IniOptions[7].SetInt("ShowFps", 1);
    m_IniOptions[8].SetString("FreeStage", "");
    m_IniOptions[9].SetInt("English", 0);
}
