#include "tests/stage/sample_plays.h"

#include <cctype>
#include <map>
#include <memory>

#include "app/system/input_runs.h"
#include "app/shell/scene.h"
#include "files/database.h"
#include "files/frame_tables.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "stage/objects/effect.h"
#include "stage/script/key_input.h"
#include "stage/objects/play_links.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tools/sample/definitions.h"
#include "tools/sample/sample_database.h"
#include "tools/sample/stages.h"
#include "tools/sample/system_settings.h"
#include "tools/sample/world.h"

// Found with tools/play_search.cpp (the caves' wait for the lift by hand).
const SamplePlayScript SAMPLE_PLAYS[5] = {
    {"Meadow.stg4_001",
     "R40 F3 .30 RJ20 R34 RJ12 R30 RJ20 R34 RJ20 R34 RJ20 R34 RJ20 R34 R32 RJ20 R34 RJ20 R34 RJ20 R34 RJ20 R34"},
    {"Caves.stg4_000", "R1 RJ16 .30 RJ20 R34 R32 RJ20 R34 R32 RJ20 R34 R8 L8 F3 .30 R12 .186 RJ6 R10 R20 .150 "
                       "RJ20 R40 F3 .20 RJ20 R34 RJ20 R34 RJ20 R34 R32"},
    {"Castle.stg4_000", "R3 J8 .25 F3 .30 RJ20 R34 RJ20 R34 RJ20 R34 RJ20 .40 RJ20 R34 RJ20 R34 RJ20 R34 RJ20 R34 "
                        "RJ20 R34 RJ12 R30 RJ20 R34"},
    {"c01-1.stg4_000", "R1 F4 .4 R32 R8 RJ12 R30 RJ12 R30 RJ4 R20 RJ16 .30 R8 .40 R8 L8 L8 R16 RJ20 R34 RJ12 R30 "
                       "RJ20 R34 RJ12 R30"},
    {"c02-1.stg4_000", "R1 RJ12 R30 RJ20 R34 RJ16 .30 RJ20 R34 RJ12 R30 RJ12 R30 RJ20 R34 RJ20 R34 R32"},
};

std::vector<std::pair<uint16_t, uint16_t>> ExpandPlayScript(const std::string& script)
{
    std::vector<std::pair<uint16_t, uint16_t>> frames;
    size_t i = 0;
    while (i < script.size()) {
        if (script[i] == ' ') {
            ++i;
            continue;
        }
        uint16_t direction = 0, buttons = 0;
        for (; i < script.size() && !std::isdigit(static_cast<unsigned char>(script[i])); ++i) {
            switch (script[i]) {
            case 'L': direction |= 1; break;
            case 'R': direction |= 2; break;
            case 'U': direction |= 4; break;
            case 'D': direction |= 8; break;
            case 'J': buttons |= 1; break;
            case 'F': buttons |= 2; break;
            case '.': break;
            default: return {};
            }
        }
        int n = 0;
        size_t digits = 0;
        for (; i < script.size() && std::isdigit(static_cast<unsigned char>(script[i])); ++i, ++digits) {
            n = n * 10 + (script[i] - '0');
            if (n > 100000) return {};
        }
        if (digits == 0) return {};
        frames.insert(frames.end(), static_cast<size_t>(n), {direction, buttons});
    }
    return frames;
}

namespace {

STAGEMODES Modes(int playMode, int startKind, int previousScene)
{
    STAGEMODES m;
    m.nPlayMode = playMode;
    m.nStartKind = startKind;
    m.nPreviousScene = previousScene;
    m.nNextScene = SCENE_STAGE;
    return m;
}

} // namespace

STAGEMODES StageFileModes() { return Modes(2, 3, SCENE_TITLE); }

STAGEMODES StoryModes() { return Modes(0, 0, SCENE_WORLDMAP); }

namespace {

// What the scripted shell gives and takes during one play.
struct SHELLSCRIPT {
    uint16_t wDirection = 0, wButtons = 0;
    cInputRuns Input;
    std::vector<int> HandOvers;
    std::vector<std::string> Messages;
};
SHELLSCRIPT* lpShell = nullptr;

void ScriptShell(cHarnessHost& host)
{
    host.onReadInput = [](uint16_t& d, uint16_t& b) {
        d = lpShell->wDirection;
        b = lpShell->wButtons;
    };
    host.onWriteInput = [](uint16_t d, uint16_t b, int) {
        lpShell->wDirection = d;
        lpShell->wButtons = b;
    };
    host.onRecordInput = [] { lpShell->Input.AddRunFrame(lpShell->wDirection, lpShell->wButtons); };
    host.onHandOver = [](int nextScene) { lpShell->HandOvers.push_back(nextScene); };
    // No stage of the sample game names a next area: a chain ends where it starts.
    host.onFindStageFile = [](std::string&, const std::string&) { return 0; };
    host.onNewSeed = cHarnessHost::FixedSeed(12345u);
    // A wait holds the game for no time: the player reads at once.
    host.onRunPauseLoop = [](int) {
        for (const cMessage& m : lpStageScene->m_MessageList)
            if (!m.m_strText.empty()) lpShell->Messages.push_back(m.m_strText);
    };
}

// The stage names the generator writes, without the "default/stg4/" folder.
std::string FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool IsFoe(const cNpc& c) { return c.m_nSide != 0 && !c.m_Def.m_bFullCellBoxes; }

} // namespace

SampleGame::SampleGame()
    : m_SavedStage(StageData), m_SavedPlay(PlayStageData), m_SavedProgress(GameProgress), m_SavedSystem(SystemData),
      m_SavedPalette(CommonPalette), m_SavedMap(WorldMap), m_SavedContext(RecordContext), m_SavedBase(DataBase), m_SavedAnimes(FrameTables.AnimeFrameTable),
      m_SavedEffects(FrameTables.EffectFrameTable), m_SavedCharaEffects(CharaEffectTemplates),
      m_SavedCharaEffectsRev(CharaEffectTemplatesRev), m_SavedScreenEffects(ScrEffectTemplates),
      m_SavedScreenEffectsRev(ScrEffectTemplatesRev)
{
    // The database and the tables start-up builds from it.
    UseSampleDatabaseCounts();
    MakeSampleDatabase(DataBase);
    DataBase.CopyReversedEffectLists();
    BuildAnimeFrameTable(FrameTables.AnimeFrameTable);
    BuildEffectFrameTable(FrameTables.EffectFrameTable);
    BuildCharaEffectTemplates(CharaEffectTemplates, CharaEffectTemplatesRev);
    BuildScrEffectTemplates(ScrEffectTemplates, ScrEffectTemplatesRev);
    CommonPalette = MakeCommonPalette();
    for (cStageFile& f : MakeStages(CommonPalette)) m_Stages.emplace_back(FileName(f.sPath), f.Stage);
    m_Map = MakeWorldMap();
    WorldMap = m_Map;
    SystemData = cSystemData();
    MakeSystemSettings(SystemData);
    GameProgress.Reset();
    ScriptShell(m_Host);
}

SampleGame::~SampleGame()
{
    Player.clear();
    CharaList.clear();
    ItemList.clear();
    BlockMap.clear();
    StageData = m_SavedStage;
    PlayStageData = m_SavedPlay;
    GameProgress = m_SavedProgress;
    SystemData = m_SavedSystem;
    CommonPalette = m_SavedPalette;
    WorldMap = m_SavedMap;
    RecordContext = m_SavedContext;
    DataBase = m_SavedBase;
    FrameTables.AnimeFrameTable = m_SavedAnimes;
    FrameTables.EffectFrameTable = m_SavedEffects;
    CharaEffectTemplates = m_SavedCharaEffects;
    CharaEffectTemplatesRev = m_SavedCharaEffectsRev;
    ScrEffectTemplates = m_SavedScreenEffects;
    ScrEffectTemplatesRev = m_SavedScreenEffectsRev;
    Replay.Clear();
    LastReplay.Clear();
}

const cStageData* SampleGame::Stage(const std::string& name) const
{
    for (const auto& s : m_Stages)
        if (s.first == name) return &s.second;
    return nullptr;
}

std::string SampleGame::NewestRevision(const std::string& name) const
{
    std::string newest;
    for (const auto& s : m_Stages)
        if (s.first.compare(0, name.size() + 1, name + "_") == 0 && s.first > newest) newest = s.first;
    return newest;
}

bool SampleGame::Load(const std::string& name)
{
    const cStageData* stage = Stage(name);
    if (!stage) return false;
    StageData = *stage;
    StageData.m_sPath = "data\\stg4\\" + name;
    CopyPlaySettings(PlayStageData, StageData);
    return true;
}

SamplePlayReport SampleGame::Play(const std::string& script, const STAGEMODES& modes, int extraFrames)
{
    SHELLSCRIPT shell;
    lpShell = &shell;
    const std::vector<const cInputRuns*> savedInputs = KeyInputs;
    KeyInputs.assign(1, &shell.Input);
    m_Host.Modes = modes;

    SamplePlayReport report;
    auto scene = std::make_unique<cStageScene>();
    scene->m_Modes = modes;
    cStageScene* savedScene = lpStageScene;
    lpStageScene = scene.get();
    const std::vector<std::pair<uint16_t, uint16_t>> input = ExpandPlayScript(script);
    size_t next = 0;
    int frame = 0, after = 0, waiting = 0;
    // Frames outside play (fade, banners, the clear) are bounded on their own.
    while (shell.HandOvers.empty() && after <= extraFrames && waiting < 2000 &&
           (m_nMaxPlayFrames == 0 || frame < m_nMaxPlayFrames)) {
        const bool playing = scene->m_nState == STAGE_PLAY;
        if (playing && next < input.size()) {
            shell.wDirection = input[next].first;
            shell.wButtons = input[next].second;
            ++next;
        } else {
            // Past the script nothing is held; in a state between plays
            // confirm is pressed every other frame, each a new press.
            shell.wDirection = 0;
            shell.wButtons = !playing && waiting % 2 == 0 ? 1 : 0;
            if (playing) ++after;
        }
        if (!playing) ++waiting;

        std::map<int, std::pair<double, double>> foes;
        std::map<int, std::pair<double, double>> shots;
        std::map<int, std::pair<double, double>> items;
        double heroX = 0, heroY = 0;
        double liftX = 0;
        int ridden = 0;
        if (playing && !Player.empty()) {
            for (const cNpc& c : CharaList)
                if (IsFoe(c) && !c.m_bDead) foes[c.m_nRef] = {c.m_dLeft, c.m_dTop};
            for (const cShot& s : scene->m_ShotList)
                if (s.m_nSide == 0) shots[s.m_nRef] = {s.m_dLeft, s.m_dTop};
            for (const cItem& i : ItemList) items[i.m_nRef] = {i.m_dLeft, i.m_dTop};
            heroX = Player[P1].m_dLeft;
            heroY = Player[P1].m_dTop;
            ridden = Player[P1].m_bRiding ? Player[P1].m_nRideRef : 0;
            for (const cNpc& c : CharaList)
                if (c.m_nRef == ridden) liftX = c.m_dLeft;
        }
        const int deadBefore = Player.empty() ? 0 : Player[P1].m_bDead;

        scene->Run();

        if (!playing) continue;
        ++frame;
        if (m_lpAfterFrame) m_lpAfterFrame(frame - 1);
        if (scene->m_nState == STAGE_CLEAR && !report.bCleared) {
            report.bCleared = true;
            report.nPlayFrames = frame;
        }
        if (Player.empty()) continue;
        if (!deadBefore && Player[P1].m_bDead) ++report.nDeaths;
        // Carried: still on the lift it stood on, and the lift has moved.
        if (ridden && Player[P1].m_bRiding && Player[P1].m_nRideRef == ridden)
            for (const cNpc& c : CharaList)
                if (c.m_nRef == ridden && c.m_dLeft != liftX) ++report.nRideFrames;
        // A foe gone or dead in a frame in which a shot of the hero that was
        // close to it is used up fell to that shot.
        for (const auto& foe : foes) {
            bool alive = false;
            for (const cNpc& c : CharaList)
                if (c.m_nRef == foe.first && !c.m_bDead) alive = true;
            if (alive) continue;
            for (const auto& shot : shots) {
                bool left = true;
                for (const cShot& s : scene->m_ShotList)
                    if (s.m_nRef == shot.first) left = false;
                const double dx = shot.second.first - foe.second.first, dy = shot.second.second - foe.second.second;
                if (left && dx > -64 && dx < 64 && dy > -64 && dy < 64) {
                    ++report.nShotKills;
                    break;
                }
            }
        }
        // An item gone from beside the hero was taken.
        for (const auto& item : items) {
            bool still = false;
            for (const cItem& i : ItemList) still = still || i.m_nRef == item.first;
            const double dx = item.second.first - heroX, dy = item.second.second - heroY;
            if (!still && dx > -48 && dx < 48 && dy > -48 && dy < 48) ++report.nItemsTaken;
        }
    }
    report.HandOvers = shell.HandOvers;
    report.Messages = shell.Messages;
    lpStageScene = savedScene;
    scene.reset();
    KeyInputs = savedInputs;
    lpShell = nullptr;
    return report;
}
