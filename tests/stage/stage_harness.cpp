#include "tests/stage/stage_harness.h"

#include <algorithm>
#include <memory>

#include "files/database.h"
#include "files/frame_tables.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/objects/chara.h"
#include "stage/objects/effect.h"
#include "stage/script/evaluator.h"
#include "records/flow_labels.h"
#include "stage/script/key_input.h"
#include "stage/objects/npc.h"
#include "stage/objects/player.h"
#include "stage/script/running_flow.h"
#include "stage/objects/play_links.h"
#include "stage/objects/shot.h"
#include "stage/script/running_command.h"
#include "stage/objects/stage_containers.h"
#include "stage/objects/stage_object.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int MARGIN = 10;

// The smallest power of two above n, and its log2.
int PitchAbove(int n, int& shift)
{
    shift = 0;
    while ((1 << shift) <= n) ++shift;
    return 1 << shift;
}

void SetAxis(cScrollAxis& axis, int index, int cells, int viewSize, int objectLimit)
{
    axis = cScrollAxis{};
    axis.m_nAxis = index;
    axis.m_nViewSize = viewSize;
    axis.m_nMargin = MARGIN;
    axis.m_nBase = MARGIN * 32;
    axis.m_nDefaultUpper = std::max(0, (cells + MARGIN) * 32);
    axis.m_nLower = axis.m_nBase;
    axis.m_nUpper = axis.m_nDefaultUpper;
    axis.m_nScrollLimitX = objectLimit + 640;
    axis.m_nLimitCells = cells + 2 * MARGIN;
}

cBlockData BlockOfKind(int collision)
{
    cBlockData block;
    block.m_cCollision = static_cast<int8_t>(collision);
    return block;
}

// The harness's own block map: every cell empty but those the picture marks.
void BuildHarnessBlockMap(const HarnessStage& stage, const cScrollAxis& x, const cScrollAxis& y)
{
    BlockMap.assign(static_cast<size_t>(x.m_nPitch) * y.m_nPitch, BlockOfKind(BLOCK_PASSABLE));
    for (int row = 0; row < static_cast<int>(stage.Blocks.size()); ++row)
        for (int column = 0; column < static_cast<int>(stage.Blocks[row].size()); ++column) {
            char c = stage.Blocks[row][column];
            if (c != '#' && c != '!') continue;
            size_t index = (column + MARGIN) + (static_cast<size_t>(row + MARGIN) << x.m_nShift);
            BlockMap[index] = BlockOfKind(c == '#' ? BLOCK_SOLID : BLOCK_DEADLY);
        }
}

} // namespace

StageHarness::StageHarness(const HarnessStage& stage)
    : m_lpSavedX(lpScrollX), m_lpSavedY(lpScrollY), m_lpScene(std::make_unique<cStageScene>()),
      m_lpSavedScene(lpStageScene)
{
    m_lpScene->m_CharaLayers.assign(8, {});
    m_lpScene->m_ShotLayers.assign(8, {});
    m_lpScene->m_StageVars.assign(256, 0);
    m_lpScene->m_ActiveGroups.assign(60, 0);
    lpStageScene = m_lpScene.get();
    StageData.Reset();
    StageData.m_nWidth = stage.nWidth;
    StageData.m_nHeight = stage.nHeight;
    StageData.m_dGravity = stage.dGravity;
    StageData.m_nObjectLimitX = stage.nObjectLimitX;
    StageData.m_nObjectLimitY = stage.nObjectLimitY;
    StageData.SetHitCheckLevel(stage.nHitCheckLevel);

    SetAxis(m_ScrollX, 0, stage.nWidth, 640, stage.nObjectLimitX);
    SetAxis(m_ScrollY, 1, stage.nHeight, 480, stage.nObjectLimitY);
    m_ScrollX.m_nPitch = PitchAbove(stage.nWidth + 19, m_ScrollX.m_nShift);
    m_ScrollY.m_nPitch = stage.nHeight + 2 * MARGIN;
    SetView(m_ScrollX.m_nBase, m_ScrollY.m_nBase);
    lpScrollX = &m_ScrollX;
    lpScrollY = &m_ScrollY;
    BuildHarnessBlockMap(stage, m_ScrollX, m_ScrollY);
    PrepareEffectTables();
}

void PrepareEffectTables()
{
    // As start-up leaves them: every database list holds at least its entry
    // 0, and the effect runs and frames are built from the lists.
    if (DataBase.m_Effect.empty()) DataBase.m_Effect.resize(1);
    if (DataBase.m_CharaEffect.empty()) DataBase.m_CharaEffect.resize(1);
    if (DataBase.m_ScrEffect.empty()) DataBase.m_ScrEffect.resize(1);
    if (CharaEffectTemplates.empty() || ScrEffectTemplates.empty()) {
        DataBase.CopyReversedEffectLists();
        BuildCharaEffectTemplates(CharaEffectTemplates, CharaEffectTemplatesRev);
        BuildScrEffectTemplates(ScrEffectTemplates, ScrEffectTemplatesRev);
    }
    if (FrameTables.EffectFrameTable.empty()) BuildEffectFrameTable(FrameTables.EffectFrameTable);
}

void SetEffectEntries(int charaKind, const std::array<int, 5>& chara, int scrKind, const std::array<int, 5>& scr)
{
    DataBase.m_CharaEffect.resize(2);
    DataBase.m_CharaEffect[1].m_nKind = charaKind;
    std::copy(chara.begin(), chara.end(), DataBase.m_CharaEffect[1].m_Param);
    DataBase.m_ScrEffect.resize(2);
    DataBase.m_ScrEffect[1].m_nKind = scrKind;
    std::copy(scr.begin(), scr.end(), DataBase.m_ScrEffect[1].m_Param);
    BuildCharaEffectTemplates(CharaEffectTemplates, CharaEffectTemplatesRev);
    BuildScrEffectTemplates(ScrEffectTemplates, ScrEffectTemplatesRev);
}

StageHarness::~StageHarness()
{
    // Shots leave the characters they aim at before these go.
    m_lpScene.reset();
    lpStageScene = m_lpSavedScene;
    Player.clear();
    CharaList.clear();
    ItemList.clear();
    lpScrollX = m_lpSavedX;
    lpScrollY = m_lpSavedY;
    BlockMap.clear();
}

void StageHarness::SetView(double x, double y)
{
    m_ScrollX.m_dPos = x;
    m_ScrollY.m_dPos = y;
}

std::vector<FrameState> StageHarness::Run(cChara& chara, int frames)
{
    std::vector<FrameState> states;
    for (int f = 0; f < frames; ++f) {
        for (int s = 1; s <= StageData.m_nSubSteps; ++s) CharaSubStep(chara, s);
        states.push_back({chara.m_dLeft, chara.m_dTop, chara.m_dVx, chara.m_dVy});
    }
    return states;
}

int StageHarness::StepShots(int frames)
{
    cStageScene& scene = Scene();
    for (int f = 0; f < frames; ++f)
        for (int s = 1; s <= StageData.m_nSubSteps; ++s) {
            scene.m_nSubStep = s;
            scene.UpdateShotConditions();
            scene.StepShots(s);
        }
    return static_cast<int>(scene.m_ShotList.size());
}

cRunningFlow& StageHarness::GiveCommand(cChara& chara, const cRunningCommand& command)
{
    cRunningFlow& flow = chara.m_Flows.emplace_back();
    flow.m_nIndex = static_cast<int>(chara.m_Flows.size()) - 1;
    flow.m_Commands.assign(1, command);
    lpStageScene->m_lpCurChara = &chara;
    flow.Start(*lpStageScene);
    lpStageScene->m_lpCurChara = nullptr;
    return flow;
}

void PlaceObject(cStageObject& object, double left, double top, int w, int h, int motionMode)
{
    object.Setup(1, 0, 0, 0, 0, nullptr, 0, (32 - w) / 2, 32 - h, w, h, 32, 32, 0, motionMode, 0);
    object.SetPosition(left, top);
    object.UpdateScreenPos();
}

HarnessScene::HarnessScene() : m_Scene(std::make_unique<cStageScene>()), m_lpSaved(lpStageScene)
{
    CharaList.clear();
    ItemList.clear();
    Player.clear();
    lpStageScene = m_Scene.get();
}

HarnessScene::~HarnessScene()
{
    CharaList.clear();
    ItemList.clear();
    Player.clear();
    lpStageScene = m_lpSaved;
}

cCharaData HarnessCharaDef(int side, int maxHp)
{
    cCharaData def;
    def.m_cControl = static_cast<int8_t>(side);
    def.m_nMaxHp = maxHp;
    def.m_nMaxSp = 0;
    def.m_cFlying = 0;
    def.m_cSize = 1;
    def.m_sStop = 0;
    return def;
}

int CharaSubStep(cChara& c, int subStep)
{
    cStageScene& scene = *lpStageScene;
    scene.m_nSubStep = subStep;
    auto* player = dynamic_cast<cPlayer*>(&c);
    if (player) cStageScene::BeginPlayerSubStep(*player);
    else cStageScene::BeginCharaSubStep(c);
    c.FireTrigger(TRIGGER_ALWAYS);
    c.RunFlows(*lpStageScene, 0);
    if (player) return scene.MovePlayer(*player) ? 1 : 0;
    return scene.MoveCharacter(dynamic_cast<cNpc&>(c));
}

cNpc& HarnessNpc(const cCharaData& def, double left, double top)
{
    CharaList.emplace_back();
    cNpc& npc = CharaList.back();
    npc.Setup(static_cast<int>(CharaList.size()), def, nullptr, left, top, 0);
    npc.SetPosition(left, top);
    return npc;
}

// -- flows --

namespace {

HarnessStage StageOfLevel(int hitCheckLevel)
{
    HarnessStage stage;
    stage.nHitCheckLevel = hitCheckLevel;
    return stage;
}

struct CommandMark {
    int counter, done;
};

std::vector<std::vector<CommandMark>> MarksOf(const cChara& chara)
{
    std::vector<std::vector<CommandMark>> marks;
    for (const cRunningFlow& flow : chara.m_Flows) {
        marks.emplace_back();
        for (const cRunningCommand& c : flow.m_Commands) marks.back().push_back({c.m_nCounter, c.m_bDone});
    }
    return marks;
}

} // namespace

FlowHarness::FlowHarness(int hitCheckLevel)
    : m_Stage(StageOfLevel(hitCheckLevel)), m_SavedInputs(KeyInputs),
      m_SavedFlags{SystemData.m_bFlowRefire, SystemData.m_bKeyOverlap, SystemData.m_bKeepNegativeTime}
{
    Scene().m_StageVars.assign(STAGE_VAR_COUNT, 0);
    KeyInputs.assign(1, &m_Input);
    Player.assign(1, cPlayer{});
    Player[P1].m_Def.m_cControl = CHARA_PLAYER;
    Player[P1].m_Def.m_cPlayerNo = 0;
}

FlowHarness::~FlowHarness()
{
    KeyInputs = m_SavedInputs;
    SystemData.m_bFlowRefire = m_SavedFlags[0];
    SystemData.m_bKeyOverlap = m_SavedFlags[1];
    SystemData.m_bKeepNegativeTime = m_SavedFlags[2];
}

void FlowHarness::Frame(int directionBits, int buttonBits)
{
    ++m_nFrame;
    m_Input.AddRunFrame(directionBits, buttonBits);
    for (cChara* chara : m_Charas) chara->ResetFlowMarks();
    for (int s = 1; s <= StageData.m_nSubSteps; ++s) {
        Scene().m_nSubStep = s;
        for (size_t n = 0; n < m_Charas.size(); ++n) {
            cChara& chara = *m_Charas[n];
            chara.FireTrigger(TRIGGER_ALWAYS);
            auto before = MarksOf(chara);
            int stopped = chara.StepFlowPass(*lpStageScene, 0);
            auto after = MarksOf(chara);
            for (size_t f = 0; f < before.size() && f < after.size(); ++f)
                for (size_t c = 0; c < before[f].size() && c < after[f].size(); ++c) {
                    bool finished = !before[f][c].done && after[f][c].done;
                    if (finished || before[f][c].counter != after[f][c].counter)
                        m_Ran.push_back({m_nFrame, s, static_cast<int>(n), static_cast<int>(f), static_cast<int>(c),
                                         finished ? 1 : 0});
                }
            if (!stopped) chara.TidyFlows(*lpStageScene);
        }
    }
}

void FlowHarness::StartFlow(cChara& chara, int flow)
{
    lpStageScene->m_lpCurChara = &chara;
    chara.m_Flows.at(flow).Start(*lpStageScene);
    lpStageScene->m_lpCurChara = nullptr;
    lpStageScene->m_lpCurFlow = nullptr;
    lpStageScene->m_lpCurCommand = nullptr;
}

cCommandData FlowCommand(int kind, int tenths, bool noWait)
{
    cCommandData c;
    c.m_cKind = static_cast<int8_t>(kind);
    c.m_sTime = static_cast<int16_t>(tenths);
    c.m_bNoWait = noWait ? 1 : 0;
    return c;
}
