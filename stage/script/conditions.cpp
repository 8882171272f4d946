#include "stage/script/conditions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>

#include "app/base/log.h"
#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/flow_data.h"
#include "stage/objects/chara.h"
#include "stage/objects/item.h"
#include "stage/objects/random.h"
#include "stage/script/running_flow.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/script/status_access.h"

namespace {

template <class T>
int CompareAtWidth(T v, T c, int op)
{
    int64_t a = v, b = c;
    switch (op) {
    case 0: return a == b;
    case 1: return a != b;
    case 2: return a >= b;
    case 3: return a <= b;
    case 4: return a > b;
    case 5: return a < b;
    case 6: return b == 0 || std::llabs(a) % b == 0;
    case 7: return b != 0 && std::llabs(a) % b != 0;
    default: return 0;
    }
}

int64_t PercentWide(int64_t a, int64_t b)
{
    int64_t p = a * b;
    int64_t q = (std::llabs(p) + 50) / 100;
    return p < 0 ? -q : q;
}

int ClampInt(int64_t v, int low, int high) { return static_cast<int>(std::clamp<int64_t>(v, low, high)); }

// Stores whose bad indexes are reported: each store and index once a run.
enum { STORE_COMMON, STORE_STAGE, STORE_CHARA, STORE_GROUP };
const char* const StoreNames[] = {"common variable", "stage variable", "character variable", "activation group"};

void ReportBadVariable(int store, int index)
{
    static std::set<std::pair<int, int>> reported;
    if (!reported.insert({store, index}).second) return;
    ReportLog("%s %d does not exist: read as 0, not written", StoreNames[store], index);
}

template <class T>
T* SlotOf(std::vector<T>& store, int index, int storeKind)
{
    if (index >= 0 && static_cast<size_t>(index) < store.size()) return &store[index];
    ReportBadVariable(storeKind, index);
    return nullptr;
}

cChara* PlayerOne() { return Player.empty() ? nullptr : &Player[P1]; }

int ReadSlot(const int32_t* slot) { return slot ? *slot : 0; }

// An owner's list: empty holds, latched holds, else evaluated; a list that
// holds is latched.
int ListHolds(cStageScene& scene, const std::vector<cConditionData>& list, int mode, int latchOption,
              uint8_t& latched, cChara* chara)
{
    if (list.empty()) return 1;
    if (latchOption && latched) return 1;
    if (!scene.EvaluateConditions(list, mode, chara)) return 0;
    latched = 1;
    return 1;
}

// An option byte of a character's definition compared by kind 5: the
// transparent and scroll-synced options as unsigned bytes, the others signed.
int CompareState(cChara& c, int state, int16_t value, int op)
{
    const cCharaData& d = c.m_Def;
    auto asUnsigned = [&](int8_t v) {
        return CompareAtWidth<uint8_t>(static_cast<uint8_t>(v), static_cast<uint8_t>(value), op);
    };
    auto asSigned = [&](int8_t v) { return CompareByOp(v, static_cast<int8_t>(value), op); };
    switch (state) {
    case 1: return asUnsigned(d.m_bTransparent);
    case 2: return asSigned(d.m_bFixedFacing);
    case 3: return asSigned(d.m_cFlying);
    case 4: return asSigned(d.m_cInvincible);
    case 5: return asSigned(d.m_cSize);
    case 6: return asUnsigned(d.m_bAutoScrollSync);
    default: return 0;
    }
}

// What a status is compared with: value itself, or with the percentage
// option round(reference x value / 100) kept inside [low, high].
int ComparedValue(int reference, int value, const cConditionData& cond, int low, int high)
{
    return cond.m_bPercent ? ClampInt(PercentWide(reference, value), low, high) : value;
}

} // namespace

int CompareByOp(int v, int c, int op) { return CompareAtWidth<int>(v, c, op); }
int CompareByOp(int8_t v, int8_t c, int op) { return CompareAtWidth<int8_t>(v, c, op); }
int CompareByOp(int16_t v, int16_t c, int op) { return CompareAtWidth<int16_t>(v, c, op); }

int PercentOf(int a, int b) { return ClampInt(PercentWide(a, b), INT32_MIN, INT32_MAX); }
int8_t PercentOf(int8_t a, int8_t b) { return static_cast<int8_t>(PercentWide(a, b)); }
int16_t PercentOf(int16_t a, int16_t b) { return static_cast<int16_t>(PercentWide(a, b)); }

int CompareWithPercent(int v, int reference, const cConditionData& cond, int low, int high)
{
    return CompareByOp(v, ComparedValue(reference, cond.m_nValue, cond, low, high), cond.m_cOperator);
}

int CompareWithPercent(int16_t v, int reference, const cConditionData& cond, int low, int high)
{
    return CompareByOp(v, static_cast<int16_t>(ComparedValue(reference, cond.m_nValue, cond, low, high)),
                       cond.m_cOperator);
}

int32_t* CommonVarSlot(int index) { return SlotOf(GameProgress.m_CommonVars, index, STORE_COMMON); }

int32_t* StageVarSlot(int index)
{
    static std::vector<int32_t> none;
    return SlotOf(lpStageScene ? lpStageScene->m_StageVars : none, index, STORE_STAGE);
}

int32_t* CharaVarSlot(cChara& chara, int index) { return SlotOf(chara.m_Vars, index, STORE_CHARA); }

char* ActiveGroupSlot(int index)
{
    static std::vector<char> none;
    return SlotOf(lpStageScene ? lpStageScene->m_ActiveGroups : none, index, STORE_GROUP);
}

int ReadCommonVar(int index) { return ReadSlot(CommonVarSlot(index)); }
int ReadStageVar(int index) { return ReadSlot(StageVarSlot(index)); }
int ReadCharaVar(cChara& chara, int index) { return ReadSlot(CharaVarSlot(chara, index)); }

int ReadActiveGroup(int index)
{
    char* slot = ActiveGroupSlot(index);
    return slot ? *slot : 0;
}

bool CharaStatusField(cChara& chara, int status, int varIndex, StatusField& out)
{
    cCharaData& d = chara.m_Def;
    out = StatusField{};
    auto range = [&out](int condLow, int condHigh, int opLow, int opHigh) {
        out.condLow = condLow;
        out.condHigh = condHigh;
        out.opLow = opLow;
        out.opHigh = opHigh;
    };
    switch (status) {
    case CSTATUS_VAR:
        out.pInt = CharaVarSlot(chara, varIndex);
        range(-999999, 999999, -999999, 999999);
        return out.pInt != nullptr;
    case CSTATUS_HP: out.pInt = &chara.m_nHp; range(0, 999999, 0, 999999); return true;
    case CSTATUS_SP: out.pInt = &chara.m_nSp; range(0, 999999, 0, 999999); return true;
    case CSTATUS_MAXHP: out.pInt = &d.m_nMaxHp; range(0, 999999, 0, 999999); return true;
    case CSTATUS_MAXSP: out.pInt = &d.m_nMaxSp; range(0, 999999, 0, 999999); return true;
    case CSTATUS_ID: out.pByte = &d.m_cCharaId; range(0, 99, 0, 99); return true;
    case CSTATUS_Z: out.pByte = &d.m_cZOrder; range(0, 7, 0, 7); return true;
    case CSTATUS_MARK: out.pShort = &d.m_sMark; range(0, 119, 0, 119); return true;
    case CSTATUS_SIGHT:
        if (chara.m_nSide != 0) return false;
        out.pByte = &d.m_cSightRange;
        range(0, 40, 0, 40);
        return true;
    case CSTATUS_POWER: out.pInt = &d.m_nPower; range(0, 999999, -999999, 999999); return true;
    case CSTATUS_IMPACT: out.pByte = &d.m_cImpact; range(-20, 20, -20, 20); return true;
    case CSTATUS_DEFENCE: out.pInt = &d.m_nDefence; range(0, 999999, 0, 999999); return true;
    case CSTATUS_IMPACT_RESIST: out.pByte = &d.m_cImpactResist; range(0, 20, 0, 20); return true;
    case CSTATUS_STOP:
        out.pShort = &d.m_sStop;
        range(0, 200, 0, 200);
        chara.m_dFriction = StopToFriction(d.m_sStop);
        return true;
    case CSTATUS_SCORE: out.pInt = &d.m_nScore; range(0, 999999, -999999, 999999); return true;
    default: return false;
    }
}

bool SystemStatusField(int status, StatusField& out)
{
    out = StatusField{};
    auto range = [&out](int low, int high) {
        out.condLow = out.opLow = low;
        out.condHigh = out.opHigh = high;
    };
    switch (status) {
    case SSTATUS_TIME:
        if (!lpStageScene) return false;
        out.pInt = &lpStageScene->m_nTime;
        range(0, 999);
        return true;
    case SSTATUS_SCROLL_X: out.pInt = &StageData.m_nAutoScrollSpeedX; range(-480, 480); return true;
    case SSTATUS_SCROLL_Y: out.pInt = &StageData.m_nAutoScrollSpeedY; range(-480, 480); return true;
    case SSTATUS_SCORE: out.pInt = &GameProgress.m_nScore; range(0, 999999); return true;
    case SSTATUS_LIVES: out.pInt = &GameProgress.m_nLives; range(0, 99); return true;
    default: return false;
    }
}

bool TakeValue(const ValueSource& source, cChara* chara, int& out)
{
    switch (source.kind) {
    case SOURCE_CONSTANT: out = source.constant; return true;
    case SOURCE_RANDOM: {
        // Either order; the span taken wide, so that no range divides by zero.
        int64_t low = std::min(source.low, source.high), high = std::max(source.low, source.high);
        out = static_cast<int>(low + GameRand() % (high - low + 1));
        return true;
    }
    case SOURCE_STATUS: {
        StatusField f;
        if (source.subject == SUBJECT_SYSTEM) {
            if (!SystemStatusField(source.status, f)) return false;
            out = f.Read();
            if (source.status == SSTATUS_LIVES && out == INFINITE_LIVES) out = 0;
            if (source.status == SSTATUS_TIME && !StageData.m_bTimeLimit) out = 0;
            return true;
        }
        cChara* who = source.subject == SUBJECT_SELF ? chara : source.subject == SUBJECT_TARGET && chara ? chara->m_lpTarget : nullptr;
        if (!who || !CharaStatusField(*who, source.status, source.index, f)) return false;
        out = f.Read();
        return true;
    }
    case SOURCE_VARIABLE:
        out = source.scope == 0 ? ReadCommonVar(source.index) : ReadStageVar(source.index);
        return true;
    default: return false;
    }
}

int CheckStatusCondition(const cConditionData& cond, cChara* chara)
{
    ValueSource source;
    source.kind = cond.m_cRightSource;
    source.constant = cond.m_nValue;
    source.low = cond.m_nRandomLow;
    source.high = cond.m_nRandomHigh;
    source.subject = cond.m_cRightSubject;
    source.status = cond.m_cRightStatus;
    source.scope = cond.m_cRightScope;
    source.index = cond.m_sRightIndex;
    int b;
    if (!TakeValue(source, chara, b)) return 0;

    if (cond.m_cLeftClass == 1) {
        if (cond.m_cLeftScope > 1) return 0;
        int v = cond.m_cLeftScope == 0 ? ReadCommonVar(cond.m_sIndex) : ReadStageVar(cond.m_sIndex);
        return CompareByOp(v, cond.m_bPercent ? 0 : b, cond.m_cOperator);
    }
    if (cond.m_cLeftClass != 0) return 0;

    StatusField f;
    int maximum = 0;
    if (cond.m_cSubject == SUBJECT_SYSTEM) {
        if (!SystemStatusField(cond.m_cStatus, f)) return 0;
        if (cond.m_cStatus == SSTATUS_LIVES && GameProgress.m_nLives == INFINITE_LIVES) return 0;
    } else {
        cChara* who = cond.m_cSubject == SUBJECT_SELF ? chara : cond.m_cSubject == SUBJECT_TARGET && chara ? chara->m_lpTarget : nullptr;
        if (!who || !CharaStatusField(*who, cond.m_cStatus, cond.m_sIndex, f)) return 0;
        if (cond.m_cStatus == CSTATUS_HP) maximum = who->m_Def.m_nMaxHp;
        if (cond.m_cStatus == CSTATUS_SP) maximum = who->m_Def.m_nMaxSp;
    }
    // The stopping ease and the score of a character compare with the
    // condition's own value field, whatever source the value was taken from.
    if (cond.m_cSubject != SUBJECT_SYSTEM && (cond.m_cStatus == CSTATUS_STOP || cond.m_cStatus == CSTATUS_SCORE)) {
        if (f.pShort) return CompareWithPercent(*f.pShort, maximum, cond, f.condLow, f.condHigh);
        if (f.pInt) return CompareWithPercent(*f.pInt, maximum, cond, f.condLow, f.condHigh);
    }
    int c = ComparedValue(maximum, b, cond, f.condLow, f.condHigh);
    if (f.pByte) return CompareByOp(*f.pByte, static_cast<int8_t>(c), cond.m_cOperator);
    if (f.pShort) return CompareByOp(*f.pShort, static_cast<int16_t>(c), cond.m_cOperator);
    return CompareByOp(*f.pInt, c, cond.m_cOperator);
}

int cChara::CheckStatusCondition2(const cConditionData& cond)
{
    if (cond.m_cSubject == SUBJECT_SYSTEM) {
        if (cond.m_cStatus == 0) return CompareByOp(StageData.m_bAutoScrollX, static_cast<int>(cond.m_sIndex), cond.m_cOperator);
        if (cond.m_cStatus == 1) return CompareByOp(StageData.m_bAutoScrollY, static_cast<int>(cond.m_sIndex), cond.m_cOperator);
        return 0;
    }
    cChara* who = cond.m_cSubject == SUBJECT_SELF ? this : cond.m_cSubject == SUBJECT_TARGET ? m_lpTarget : nullptr;
    if (!who) return 0;
    return CompareState(*who, cond.m_cStatus, cond.m_sIndex, cond.m_cOperator);
}

int cChara::CheckStatusCondition3(const cConditionData& cond)
{
    cChara* who = cond.m_cSubject == SUBJECT_SELF ? this : cond.m_cSubject == SUBJECT_TARGET ? m_lpTarget : nullptr;
    if (!who) return 0;
    int result;
    switch (cond.m_cStatus) {
    case 0: result = who->m_nFacing == 0; break;
    case 1: result = who->m_nFacing == 1; break;
    case 2: result = who->m_Def.m_cFlying == 0 && (who->m_bRiding || (!who->m_bInAir && !who->m_bJumping)); break;
    case 3: result = who->m_nSide == 0 ? who->IsOnScreen() : who->m_bOnScreen != 0; break;
    default: return 0;
    }
    return cond.m_cOperator == 1 ? !result : result;
}

int cChara::CheckDistanceCondition(const cConditionData& cond)
{
    cChara* r = cond.m_cSubject == 0 ? PlayerOne() : cond.m_cSubject == 1 ? m_lpTarget : nullptr;
    if (!r) return 0;
    int d = cond.m_nValue * 16 + cond.m_sRightIndex;
    UpdateScreenPos();
    // Front is the left while facing left; the front of 前Y is the upper side then.
    int front = m_nFacing == 0 ? 0 : 1;
    auto horizontal = [&](int back, int fore, int whole) {
        return IsInReach(m_nScreenLeft, m_nDrawW, r->m_nScreenLeft, r->m_nScreenRight, r->m_nDrawOffX, back, fore, whole);
    };
    auto vertical = [&](int back, int fore, int whole) {
        return IsInReach(m_nScreenTop, m_nDrawH, r->m_nScreenTop, r->m_nScreenBottom, r->m_nDrawOffY, back, fore, whole);
    };
    bool within;
    switch (cond.m_cAxis) {
    case 0: within = horizontal(d, d, 1); break;
    case 1: within = front == 0 ? horizontal(d, 0, 0) : horizontal(0, d, 0); break;
    case 2: within = front == 0 ? horizontal(0, d, 0) : horizontal(d, 0, 0); break;
    case 3: within = vertical(d, d, 1); break;
    case 4: within = front == 0 ? vertical(d, 0, 0) : vertical(0, d, 0); break;
    case 5: within = front == 0 ? vertical(0, d, 0) : vertical(d, 0, 0); break;
    case 6: {
        double dx = (m_dLeft + m_nHitW / 2.0) - (r->m_dLeft + r->m_nHitW / 2.0);
        double dy = (m_dTop + m_nHitH / 2.0) - (r->m_dTop + r->m_nHitH / 2.0);
        within = std::sqrt(dx * dx + dy * dy) <= d;
        break;
    }
    default: return 0;
    }
    if (cond.m_cOperator == 0) return within;
    if (cond.m_cOperator == 1) return !within;
    return 0;
}

int cStageScene::EvaluateCondition(const cConditionData& cond, cChara* chara)
{
    switch (cond.m_cKind) {
    case CONDITION_COMMON_VAR: return CompareByOp(ReadCommonVar(cond.m_sIndex), cond.m_nValue, cond.m_cOperator);
    case CONDITION_STAGE_VAR: return CompareByOp(ReadStageVar(cond.m_sIndex), cond.m_nValue, cond.m_cOperator);
    case CONDITION_CHARA_VAR:
        return chara && CompareByOp(ReadCharaVar(*chara, cond.m_sIndex), cond.m_nValue, cond.m_cOperator);
    case CONDITION_STATUS: return CheckStatusCondition(cond, chara);
    case CONDITION_STATUS2: return chara && chara->CheckStatusCondition2(cond);
    case CONDITION_STATUS3: return chara && chara->CheckStatusCondition3(cond);
    case CONDITION_DISTANCE: return chara && chara->CheckDistanceCondition(cond);
    default: return 0;
    }
}

int cStageScene::EvaluateConditions(const std::vector<cConditionData>& list, int mode, cChara* chara)
{
    if (mode == 0) {
        for (const cConditionData& c : list)
            if (!EvaluateCondition(c, chara)) return 0;
        return 1;
    }
    if (mode == 1) {
        for (const cConditionData& c : list)
            if (EvaluateCondition(c, chara)) return 1;
        return 0;
    }
    return 0;
}

int cStageScene::CheckBlockConditions(cBlockData& block)
{
    return ListHolds(*this, block.m_Conditions, block.m_cCondMode, block.m_bCondLatch, block.m_bCondHeld, PlayerOne());
}

int cStageScene::CheckCharacterConditions(cChara& chara)
{
    const cCharaData& d = chara.m_Def;
    return ListHolds(*this, d.m_Conditions, d.m_cCondMode, d.m_bCondLatch, chara.m_bCondLatch, &chara);
}

int cStageScene::CheckItemConditions(cItem& item)
{
    const cItemData& d = item.m_ItemData;
    return ListHolds(*this, d.m_Conditions, d.m_cCondMode, d.m_bCondLatch, item.m_bCondLatch, PlayerOne());
}

int cStageScene::CheckFlowConditions(cRunningFlow& flow, cChara* chara)
{
    if (!flow.m_lpFlowData) return 1;
    const cFlowData& d = *flow.m_lpFlowData;
    return ListHolds(*this, d.m_Conditions, d.m_cCondMode, d.m_bCondLatch, flow.m_bCondLatched, chara);
}
