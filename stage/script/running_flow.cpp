// Running flows and commands: start, step, end and stop of a flow, one pass
// of a command, the move timing of the movement commands, and the per-frame
// flow loop of a character.
#include "stage/script/running_flow.h"

#include <climits>
#include <cmath>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/flow_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/scene/stage_world.h"

namespace {

int ClampToInt(double v)
{
    if (!(v == v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

} // namespace

// -- running command --

void cRunningCommand::Reset()
{
    m_nCounter = m_nLength;
    m_bDone = 0;
    m_nPass = 0;
    m_bBegun = 0;
    m_dAngleX = 0;
    m_dAngleY = 0;
}

int cRunningCommand::Run(cStageWorld& world)
{
    world.m_lpCurCommand = this;
    if (cChara* chara = world.m_lpCurChara) chara->ExecCommand(world, this);
    if (--m_nCounter <= 0) {
        m_nCounter = 0;
        return 1;
    }
    return 0;
}

void cRunningCommand::DeriveMoveTiming(const cCommandData& def, int16_t instance)
{
    const cEdMove* e = def.m_pMove.get();
    if (!e) return;
    double distance = static_cast<double>(e->m_sDistanceStep) * instance + e->m_sDistance;
    if (e->m_cDistanceUnit != 1) distance *= 16;
    if (e->m_cTiming == 1) {
        // A length of 0 runs once: the whole distance in that one pass.
        m_dSpeed = m_nLength != 0 ? distance / m_nLength : distance;
    } else if (e->m_cTiming == 2) {
        // Without speed the movement takes no time.
        int length = m_dSpeed != 0 ? ClampToInt(std::trunc(distance / m_dSpeed)) : 0;
        if (length < 0 && !SystemData.m_bKeepNegativeTime) length = length == INT_MIN ? INT_MAX : -length;
        m_nLength = length;
    }
}

// -- running flow --

int cRunningFlow::Trigger() const
{
    return m_lpFlowData ? m_lpFlowData->m_cTrigger : static_cast<int>(TRIGGER_NONE);
}

int cRunningFlow::Letter() const
{
    int letter = m_lpFlowData ? m_lpFlowData->m_cFlag : 0;
    return letter >= 1 && letter <= 26 ? letter : 0;
}

bool cRunningFlow::IsKeyWaitMessage(const cRunningCommand& command) const
{
    const cCommandData* def = command.m_lpCommandData;
    if (!def || def->m_cKind != FLOWCMD_MESSAGE) return false;
    auto param = [def](size_t i) { return i < def->m_Params.size() ? def->m_Params[i] : 0; };
    return param(15) == 0 && param(6) == 0;
}

void cRunningFlow::MarkLetterEnded(cChara* chara) const
{
    int letter = Letter();
    if (!letter || !chara) return;
    CheckedAt(chara->m_LetterEnded, letter) = 1;
    chara->m_bLetterEnded = 1;
}

void cRunningFlow::Start(cStageWorld& world)
{
    m_bRunning = 1;
    m_nCurrent = 0;
    m_nFrames = 0;
    m_bAfterKeyMessage = 0;
    for (cRunningCommand& c : m_Commands) c.m_bDone = 0;
    m_bStarted = 1;
    cChara* chara = world.m_lpCurChara;
    int letter = Letter();
    if (Trigger() == TRIGGER_ALWAYS && letter && chara) {
        CheckedAt(chara->m_LetterBusy, letter) = 1;
        CheckedAt(chara->m_LetterStarted, letter) = 1;
    }
    if (m_Commands.empty() || Trigger() != TRIGGER_BEFORE_STAGE_START) return;
    // A flow-control command of the flow that starts the flow again would
    // start it without end: the commands already running carry on instead.
    if (m_bRunningAtOnce) return;
    m_bRunningAtOnce = 1;

    // Before the stage starts only the no-wait commands of the flow-control,
    // game and display kinds run, all at once.
    world.m_lpCurFlow = this;
    m_bBreak = 0;
    for (size_t i = 0; i < m_Commands.size(); ++i) {
        cRunningCommand& c = m_Commands[i];
        const cCommandData* def = c.m_lpCommandData;
        if (!def || def->m_cKind < FLOWCMD_FLOW_CONTROL || !def->m_bNoWait) continue;
        if (!c.Run(world)) TraceLogF("使用時間0なので、ここにくることはあり得ないはず！");
        if (m_bBreak) break;
        c.m_bDone = 1;
    }
    m_bRunningAtOnce = 0;
    End(chara);
}

void cRunningFlow::End(cChara* chara)
{
    if (!m_bRunning) return;
    m_bRunning = 0;
    for (cRunningCommand& c : m_Commands) c.m_nCounter = 0;
    MarkLetterEnded(chara);
}

void cRunningFlow::Stop(cChara* chara)
{
    m_bStopped = 1;
    if (!m_bRunning) return;
    for (cRunningCommand& c : m_Commands) c.m_nCounter = 0;
    MarkLetterEnded(chara);
}

int cRunningFlow::Step(cStageWorld& world)
{
    world.m_lpCurFlow = this;
    m_bBreak = 0;
    const int last = static_cast<int>(m_Commands.size()) - 1;
    for (int i = 0; i <= m_nCurrent && i <= last; ++i) {
        cRunningCommand& c = m_Commands[i];
        if (c.m_bDone) continue;
        const bool noWait = c.m_lpCommandData && c.m_lpCommandData->m_bNoWait;
        if (c.m_nCounter == 0) {
            c.Reset();
            if (!noWait && !IsKeyWaitMessage(c)) m_bAfterKeyMessage = 0;
        }
        if (noWait) {
            if (c.Run(world)) {
                c.m_bDone = 1;
                if (i == last) return 1;
            }
            if (i == m_nCurrent) m_nCurrent = i + 1;
            if (m_bBreak) return 0;
        } else {
            if (!c.Run(world)) {
                if (m_bBreak) return 0;
                continue;
            }
            c.m_bDone = 1;
            if (IsKeyWaitMessage(c)) m_bAfterKeyMessage = 1;
            if (i == last) return 1;
            ++m_nCurrent;
            break;
        }
    }
    if (last >= 0 && m_Commands[last].m_bDone) return 1;
    ++m_nFrames;
    return 0;
}

// -- the flow loop of a character --

void cChara::ExecCommand(cStageWorld& world, cRunningCommand* command)
{
    const cCommandData* def = command ? command->m_lpCommandData : nullptr;
    if (!def) return;
    // A kind outside the table does nothing.
    int kind = def->m_cKind;
    if (kind < 0 || kind >= FLOWCMD_COUNT) return;
    FlowCmdExecTable[kind](world, this, command);
}

int cChara::StepFlows(cStageWorld& world, int dying)
{
    world.m_lpCurChara = this;
    for (size_t i = 0; i < m_Flows.size(); ++i) {
        cRunningFlow& flow = m_Flows[i];
        if (!flow.m_bRunning) continue;
        if (flow.m_Commands.empty()) {
            flow.End(this);
            continue;
        }
        if (flow.m_bPaused || flow.m_bStopped) continue;
        const int trigger = flow.Trigger();
        if (dying && trigger != TRIGGER_DIED) continue;
        if (flow.Step(world)) CheckedAt(m_Flows, static_cast<int>(i)).End(this);
        if (m_bVanish || (!dying && trigger != TRIGGER_DIED && m_nHp <= 0)) {
            // The rest waits; no pointer is left on a character that may go.
            world.m_lpCurChara = nullptr;
            world.m_lpCurFlow = nullptr;
            world.m_lpCurCommand = nullptr;
            return 1;
        }
    }
    return 0;
}

void cChara::TidyFlows(cStageWorld& world)
{
    world.m_lpCurChara = nullptr;
    world.m_lpCurFlow = nullptr;
    world.m_lpCurCommand = nullptr;
    if (m_bFlowDeleted) {
        for (size_t i = 0; i < m_Flows.size();) {
            if (m_Flows[i].m_bDeleteRequest)
                RemoveFlow(static_cast<int>(i));   // its m_nIndex
            else
                ++i;
        }
        m_bFlowDeleted = 0;
    }
    if (m_bLetterEnded) {
        for (size_t letter = 0; letter < m_LetterEnded.size(); ++letter) {
            if (!m_LetterEnded[letter]) continue;
            CheckedAt(m_LetterBusy, static_cast<int>(letter)) = 0;
            m_LetterEnded[letter] = 0;
        }
        m_bLetterEnded = 0;
    }
}
