// The status commands: a variable, a status of a character or of the system
// changed by an operation (kind 22), and the state options of a character
// and the auto-scroll switches (kind 23).
#include "stage/script/status_ops.h"

#include <algorithm>
#include <cstdlib>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/command_data.h"
#include "stage/objects/chara.h"
#include "stage/script/conditions.h"
#include "stage/script/flow_commands.h"
#include "stage/objects/play_links.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_world.h"
#include "stage/script/status_access.h"

namespace {

int64_t Operate(int64_t v, int64_t a, int op)
{
    switch (op) {
    case STATUSOP_SET: return a;
    case STATUSOP_ADD: return v + a;
    case STATUSOP_SUB: return v - a;
    case STATUSOP_MUL: return v * a;
    case STATUSOP_DIV: return a == 0 ? v : v / a;
    case STATUSOP_MOD: return a == 0 ? v : v % a;
    case STATUSOP_PERCENT: {
        int64_t p = a * v;
        int64_t q = (std::llabs(p) + 50) / 100;
        return p < 0 ? -q : q;
    }
    default: return v;
    }
}

template <class T>
void ApplyAtWidth(T* value, T operand, int op, int low, int high)
{
    if (!value) return;
    *value = static_cast<T>(std::clamp<int64_t>(Operate(*value, operand, op), low, high));
}

int32_t Param(const cCommandData* def, size_t i)
{
    return def && i < def->m_Params.size() ? def->m_Params[i] : 0;
}

void ApplyToField(const StatusField& f, int operand, int op)
{
    if (f.pInt) ApplyStatusOpInt(f.pInt, operand, op, f.opLow, f.opHigh);
    else if (f.pShort) ApplyStatusOpShort(f.pShort, static_cast<int16_t>(operand), op, f.opLow, f.opHigh);
    else if (f.pByte) ApplyStatusOpByte(f.pByte, static_cast<int8_t>(operand), op, f.opLow, f.opHigh);
}

void RaiseStatusChanged(cStageWorld& world)
{
    world.m_bStatusChanged = 1;
}

// A system status: time, the auto-scroll speeds, score, lives.
void OperateSystem(int status, int b, int op, int percent)
{
    StatusField f;
    if (!SystemStatusField(status, f)) return;
    if (status == SSTATUS_LIVES && GameProgress.m_nLives == INFINITE_LIVES) return;
    if (percent) b = PercentOf(b, f.Read());
    ApplyToField(f, b, op);
    if (status == SSTATUS_SCROLL_X) lpScrollX->SetAutoScroll(lpScrollX->m_bAutoScroll != 0, StageData.m_nAutoScrollSpeedX);
    if (status == SSTATUS_SCROLL_Y) lpScrollY->SetAutoScroll(lpScrollY->m_bAutoScroll != 0, StageData.m_nAutoScrollSpeedY);
}

// A status of a character (the running one or its target).
void OperateChara(cStageWorld& world, cChara& who, const cChara* running, int status, int b, int op, const cCommandData* def)
{
    if (Param(def, 17) && who.m_Def.m_cInvincible != 0) return;
    StatusField f;
    if (!CharaStatusField(who, status, Param(def, 2), f)) return;
    if (status == CSTATUS_HP || status == CSTATUS_SP) {
        int present = f.Read();
        int maximum = status == CSTATUS_HP ? who.m_Def.m_nMaxHp : who.m_Def.m_nMaxSp;
        if (Param(def, 15) == 1) b = PercentOf(b, maximum);
        else if (Param(def, 15) == 2) b = PercentOf(b, present);
        int32_t changed = present;
        ApplyStatusOpInt(&changed, b, op, f.opLow, f.opHigh);
        if (status == CSTATUS_HP) who.ChangeHp(changed - present, 1, Param(def, 16));
        else who.ChangeSp(changed - present, Param(def, 16));
    } else {
        if (Param(def, 14)) b = PercentOf(b, f.Read());
        ApplyToField(f, b, op);
    }
    switch (status) {
    case CSTATUS_MAXHP: who.m_nHp = std::min(who.m_nHp, who.m_Def.m_nMaxHp); break;
    case CSTATUS_MAXSP: who.m_nSp = std::min(who.m_nSp, who.m_Def.m_nMaxSp); break;
    case CSTATUS_SIGHT: who.m_nSightDots = who.m_Def.m_cSightRange * 16; break;
    case CSTATUS_STOP: who.m_dFriction = StopToFriction(who.m_Def.m_sStop); break;
    default: break;
    }
    // Another character brought down is settled by the play step.
    if ((status == CSTATUS_HP || status == CSTATUS_MAXHP) && &who != running && who.m_nHp <= 0) RaiseStatusChanged(world);
}

} // namespace

void ApplyStatusOpInt(int32_t* value, int32_t operand, int op, int low, int high) { ApplyAtWidth(value, operand, op, low, high); }
void ApplyStatusOpByte(int8_t* value, int8_t operand, int op, int low, int high) { ApplyAtWidth(value, operand, op, low, high); }
void ApplyStatusOpShort(int16_t* value, int16_t operand, int op, int low, int high) { ApplyAtWidth(value, operand, op, low, high); }

int CmdStatusOp(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    ValueSource source;
    source.kind = Param(def, 6);
    source.constant = Param(def, 7);
    source.low = Param(def, 8);
    source.high = Param(def, 9);
    source.scope = Param(def, 10);
    source.index = Param(def, 11);
    source.subject = Param(def, 12);
    source.status = Param(def, 13);
    int b;
    if (!TakeValue(source, chara, b)) return 0;
    int op = Param(def, 5);
    int percent = Param(def, 14);

    if (Param(def, 0) == 1) {
        int scope = Param(def, 1), index = Param(def, 2);
        int32_t* slot = scope == 0 ? CommonVarSlot(index) : scope == 1 ? StageVarSlot(index) : nullptr;
        if (!slot) return 0;
        if (percent) b = PercentOf(b, *slot);
        ApplyStatusOpInt(slot, b, op, -999999, 999999);
        return 0;
    }
    if (Param(def, 0) != 0) return 0;
    int subject = Param(def, 3), status = Param(def, 4);
    if (subject == SUBJECT_SYSTEM) {
        OperateSystem(status, b, op, percent);
        return 0;
    }
    cChara* who = subject == SUBJECT_SELF ? chara : subject == SUBJECT_TARGET && chara ? chara->m_lpTarget : nullptr;
    if (who) OperateChara(world, *who, chara, status, b, op, def);
    return 0;
}

int CmdStatusOp2(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    int subject = Param(def, 0), state = Param(def, 1), v = Param(def, 2);
    if (subject == SUBJECT_SYSTEM) {
        if (state == 0) {
            StageData.m_bAutoScrollX = v;
            lpScrollX->SetAutoScroll(v != 0, StageData.m_nAutoScrollSpeedX);
        } else if (state == 1) {
            StageData.m_bAutoScrollY = v;
            lpScrollY->SetAutoScroll(v != 0, StageData.m_nAutoScrollSpeedY);
        }
        return 0;
    }
    cChara* who = subject == SUBJECT_SELF ? chara : subject == SUBJECT_TARGET && chara ? chara->m_lpTarget : nullptr;
    if (!who) return 0;
    cCharaData& d = who->m_Def;
    int8_t byte = static_cast<int8_t>(v);
    switch (state) {
    case 0:
        // A computer-side character leaves quietly; the player's side is brought down.
        if (who->m_nSide != 0) who->m_bVanish = 1;
        else who->m_nHp = 0;
        if (who != chara) RaiseStatusChanged(world);
        break;
    case 1: d.m_bTransparent = byte; break;
    case 2: d.m_bFixedFacing = byte; break;
    case 3:
        if (who->m_nSide == 0 && !Player.empty()) Player[P1].SetFlying(v, 1);
        break;
    case 4: d.m_cInvincible = byte; break;
    case 5: {
        // A size factor outside 1..10 would leave the character without a
        // size (0) or larger than any stage expects.
        int size = std::clamp(v, 1, 10);
        int old = d.m_cSize < 1 ? 1 : d.m_cSize;
        who->Rescale(size, old);
        d.m_cSize = static_cast<int8_t>(size);
        if (who->m_nSide == 0 && !Player.empty()) Player[P1].BuildBoxDisplay();
        break;
    }
    case 6:
        d.m_bAutoScrollSync = byte;
        who->m_bScrollSync = v;
        break;
    default: break;
    }
    return 0;
}
