#include "stage/script/shot_fire.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/command_data.h"
#include "records/palette_data.h"
#include "stage/objects/chara.h"
#include "stage/objects/play_links.h"
#include "stage/physics/play_math.h"
#include "stage/objects/random.h"
#include "stage/script/running_command.h"
#include "stage/script/running_flow.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr double PI = 3.141592653589793;
constexpr double DEGREES = 57.29577951308232;
constexpr double K = 0.7071067811865476;

// Base angles of the resolved direction codes, -1 where a code has none.
constexpr int BaseAngles[SHOTDIR_COUNT] = {-1, -1, 0, 180, -1, -1, 90, 270, 45, 315, 135, 225, -1};

int T(double x) { return TruncToInt(x); }

double Radians(double degrees) { return degrees * PI / 180; }

void SetVelocityAt(SHOTPLACE& place, double angle)
{
    place.m_dVelX = -PlayCos(Radians(angle)) * place.m_dSpeed;
    place.m_dVelY = -PlaySin(Radians(angle)) * place.m_dSpeed;
}

void SetVelocity(SHOTPLACE& place, double kx, double ky)
{
    place.m_dVelX = kx * place.m_dSpeed;
    place.m_dVelY = ky * place.m_dSpeed;
}

// A character's box in stage pixels: its screen rectangle plus the view
// position, untruncated or with the view truncated first.
struct Box {
    double X, Y;
    int W, H;
    double R() const { return X + W - 1; }
    double B() const { return Y + H - 1; }
    double CX() const { return X + (W >> 1); }
    double CY() const { return Y + (H >> 1); }
};

Box BoxOf(const cStageObject& o, bool truncView)
{
    double vx = lpScrollX->m_dPos, vy = lpScrollY->m_dPos;
    if (truncView) {
        vx = std::trunc(vx);
        vy = std::trunc(vy);
    }
    return {o.m_nScreenLeft + vx, o.m_nScreenTop + vy, o.m_nDrawW, o.m_nDrawH};
}

bool DiagonalLeft(int direction) { return direction == SHOTDIR_UP_LEFT || direction == SHOTDIR_DOWN_LEFT; }
bool DiagonalUp(int direction) { return direction == SHOTDIR_UP_LEFT || direction == SHOTDIR_UP_RIGHT; }

int FirerFacing(const cChara* firer) { return firer->m_nFacing == 1 ? 1 : 0; }

// The reference character of "落雷" and "包囲", or null.
cChara* ReferenceChara(cChara* firer, int reference)
{
    switch (reference) {
    case SHOTREF_TARGET: return firer->m_lpTarget;
    case SHOTREF_HERO: return Player.empty() ? nullptr : &Player[P1];
    case SHOTREF_SELF: return firer;
    default: return nullptr;
    }
}

void PlaceStraightA(SHOTPLACE& p, const cChara* firer, int n, int I)
{
    const int w = p.m_nWidth, h = p.m_nHeight;
    const Box f = BoxOf(*firer, false);
    const Box t = BoxOf(*firer, true);
    const double across = n - 1;
    switch (p.m_nDirection) {
    case SHOTDIR_LEFT:
    case SHOTDIR_RIGHT:
        p.m_nStartX = T(p.m_nDirection == SHOTDIR_LEFT ? f.X + 1 - w : f.R() + 1);
        p.m_nStartY = T(f.CY() - ((n - 1) * I >> 1) - (n * h >> 1));
        p.m_nStepX = 0;
        p.m_nStepY = h + I;
        SetVelocity(p, p.m_nDirection == SHOTDIR_LEFT ? -1 : 1, 0);
        break;
    case SHOTDIR_UP:
    case SHOTDIR_DOWN:
        p.m_nStartX = T(f.CX() - ((n - 1) * I >> 1) - (n * w >> 1));
        p.m_nStartY = T(p.m_nDirection == SHOTDIR_UP ? f.Y - h : f.B() + 1);
        p.m_nStepX = w + I;
        p.m_nStepY = 0;
        SetVelocity(p, 0, p.m_nDirection == SHOTDIR_UP ? -1 : 1);
        break;
    case SHOTDIR_UP_LEFT:
    case SHOTDIR_DOWN_LEFT:
    case SHOTDIR_UP_RIGHT:
    case SHOTDIR_DOWN_RIGHT: {
        const bool left = DiagonalLeft(p.m_nDirection), up = DiagonalUp(p.m_nDirection);
        const int W = t.W, H = t.H;
        const double spreadX = K * across * ((I >> 1) + (w >> 1));
        const double spreadY = K * across * ((I >> 1) + (h >> 1));
        int x0 = left ? T(t.CX() - (w >> 1) - K * ((W >> 1) + (w >> 1) - 1))
                      : T(t.CX() - (w >> 1) + K * (t.R() - t.X - (W >> 1) + (w >> 1) + 1));
        int y0 = up ? T(t.CY() - (h >> 1) - K * ((H >> 1) + (h >> 1)))
                    : T(t.CY() - (h >> 1) + K * (t.B() - t.Y - (H >> 1) + (h >> 1) + 1));
        p.m_nStartX = T(x0 - spreadX);
        // The row runs across the flight: down-left and up-right rows rise
        // to the right, the others fall.
        bool rises = p.m_nDirection == SHOTDIR_UP_LEFT || p.m_nDirection == SHOTDIR_DOWN_RIGHT;
        p.m_nStartY = T(rises ? y0 + spreadY : y0 - spreadY);
        p.m_nStepX = w + I;
        p.m_nStepY = rises ? -(h + I) : h + I;
        SetVelocity(p, left ? -K : K, up ? -K : K);
        break;
    }
    default: break;
    }
}

void PlaceStraightB(SHOTPLACE& p, const cChara* firer, int I)
{
    const int w = p.m_nWidth, h = p.m_nHeight;
    const Box f = BoxOf(*firer, false);
    bool toLeft;
    switch (p.m_nDirection) {
    case SHOTDIR_LEFT: case SHOTDIR_UP_LEFT: case SHOTDIR_DOWN_LEFT: toLeft = true; break;
    case SHOTDIR_RIGHT: case SHOTDIR_UP_RIGHT: case SHOTDIR_DOWN_RIGHT: toLeft = false; break;
    default: toLeft = FirerFacing(firer) != 1; break;
    }
    p.m_nStartX = T(toLeft ? f.X + 1 - w : f.R() + 1);
    p.m_nStartY = T(f.B() - h + 1);
    p.m_nStepX = 0;
    p.m_nStepY = -(h + I);
    switch (p.m_nDirection) {
    case SHOTDIR_LEFT: SetVelocity(p, -1, 0); break;
    case SHOTDIR_UP_LEFT: SetVelocity(p, -K, -K); break;
    case SHOTDIR_DOWN_LEFT: SetVelocity(p, -K, K); break;
    case SHOTDIR_RIGHT: SetVelocity(p, 1, 0); break;
    case SHOTDIR_UP_RIGHT: SetVelocity(p, K, -K); break;
    case SHOTDIR_DOWN_RIGHT: SetVelocity(p, K, K); break;
    case SHOTDIR_UP: SetVelocity(p, 0, -1); break;
    case SHOTDIR_DOWN: SetVelocity(p, 0, 1); break;
    default: break;
    }
}

void PlaceCentre(SHOTPLACE& p, const cChara* firer)
{
    const Box f = BoxOf(*firer, false);
    p.m_nStartX = T(f.X + (f.W >> 1) - (p.m_nWidth >> 1));
    p.m_nStartY = T(f.Y + (f.H >> 1) - (p.m_nHeight >> 1));
}

// A start just outside the firer's box in the direction a.
void RotatedStart(SHOTPLACE& p, const cChara* firer, double a)
{
    const int w = p.m_nWidth, h = p.m_nHeight;
    const Box f = BoxOf(*firer, false);
    double rr = K * (f.B() - f.Y - (f.H >> 1) + (h >> 1) + 1);
    double tt = K * (f.R() - f.X - (f.W >> 1) + (w >> 1) + 1);
    double theta = Radians(a + 225);
    p.m_nStartX = T(f.X + (f.W >> 1) + rr * PlaySin(theta) + tt * PlayCos(theta) - (w >> 1));
    p.m_nStartY = T(f.Y + (f.H >> 1) + tt * PlaySin(theta) - rr * PlayCos(theta) - (h >> 1));
}

// The aim from the firer's centre (view truncated) plus the offsets.
int AimFromFirerCentre(cChara* firer, const cEdShot& r, SHOTPLACE& p)
{
    const Box t = BoxOf(*firer, true);
    return AimAngle(t.CX() + p.m_nOffsetX, t.CY() + p.m_nOffsetY, firer, r, p);
}

int AimFromStart(cChara* firer, const cEdShot& r, SHOTPLACE& p)
{
    return AimAngle(p.m_nStartX + (p.m_nWidth >> 1), p.m_nStartY + (p.m_nHeight >> 1), firer, r, p);
}

void AddOffsets(SHOTPLACE& p)
{
    p.m_nStartX += p.m_nOffsetX;
    p.m_nStartY += p.m_nOffsetY;
}

void PlaceStraightAAimed(SHOTPLACE& p, cChara* firer, const cEdShot& r, int n, int I)
{
    const int base = ShotBaseAngle(p.m_nDirection);
    if (!r.m_bRotateFormation) {
        PlaceStraightA(p, firer, n, I);
        int c = r.m_bAim ? AimFromStart(firer, r, p) : base;
        SetVelocityAt(p, c + p.m_nAngle);
        AddOffsets(p);
        return;
    }
    const int w = p.m_nWidth, h = p.m_nHeight;
    int c = (r.m_bAim ? AimFromFirerCentre(firer, r, p) : base) + p.m_nAngle;
    RotatedStart(p, firer, c);
    if (r.m_bAim)
        c = AimAngle(p.m_nStartX + p.m_nOffsetX + (w >> 1), p.m_nStartY + p.m_nOffsetY + (h >> 1), firer, r, p) +
            p.m_nAngle;
    double s = PlaySin(Radians(c)), co = PlayCos(Radians(c));
    double across = n - 1;
    if ((s >= 0) == (co >= 0)) {
        p.m_nStartX = T(p.m_nStartX - s * ((I >> 1) + (w >> 1)) * across);
        p.m_nStepX = T(s * (I + w));
        p.m_nStartY = T(co * ((I >> 1) + (h >> 1)) * across + p.m_nStartY);
        p.m_nStepY = T(co * -(I + h));
    } else {
        p.m_nStartX = T(p.m_nStartX + s * ((I >> 1) + (w >> 1)) * across);
        p.m_nStepX = T(s * -(I + w));
        p.m_nStartY = T(p.m_nStartY - co * ((I >> 1) + (h >> 1)) * across);
        p.m_nStepY = T(co * (I + h));
    }
    AddOffsets(p);
    p.m_dVelX = -co * p.m_dSpeed;
    p.m_dVelY = -s * p.m_dSpeed;
}

void PlaceStraightBAimed(SHOTPLACE& p, cChara* firer, const cEdShot& r, int I)
{
    PlaceStraightB(p, firer, I);
    int c = r.m_bAim ? AimFromStart(firer, r, p) : ShotBaseAngle(p.m_nDirection);
    SetVelocityAt(p, c + p.m_nAngle);
    AddOffsets(p);
}

void PlaceSpreadAimed(SHOTPLACE& p, cChara* firer, const cEdShot& r, int I)
{
    if (!r.m_bRotateFormation) {
        PlaceStraightA(p, firer, 1, I);
        AddOffsets(p);
        return;
    }
    int a = (r.m_bAim ? AimFromFirerCentre(firer, r, p) : ShotBaseAngle(p.m_nDirection)) + p.m_nAngle;
    RotatedStart(p, firer, a);
    AddOffsets(p);
}

// The objects of a formation one after the other from the start.
void CreateInLine(std::list<cShot>* shots, SHOTPLACE& p, cChara* firer, cRunningCommand* command,
                  const cEdShot& r, int n)
{
    p.m_nX = p.m_nStartX;
    p.m_nY = p.m_nStartY;
    for (int i = 0; i < n; ++i) {
        CreateShot(shots, p, firer, command, r);
        p.m_nX += p.m_nStepX;
        p.m_nY += p.m_nStepY;
    }
}

void ArrangeStraightA(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& r,
                      SHOTPLACE& p)
{
    int I = 16 * r.m_sArrangeParam[0];
    if (p.m_nAngle == 0 && !r.m_bAim) {
        PlaceStraightA(p, firer, r.m_cCount, I);
        AddOffsets(p);
    } else {
        PlaceStraightAAimed(p, firer, r, r.m_cCount, I);
    }
    CreateInLine(shots, p, firer, command, r, r.m_cCount);
}

void ArrangeStraightB(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& r,
                      SHOTPLACE& p)
{
    int I = 16 * r.m_sArrangeParam[0];
    if (p.m_nAngle == 0 && !r.m_bAim) {
        PlaceStraightB(p, firer, I);
        AddOffsets(p);
    } else {
        PlaceStraightBAimed(p, firer, r, I);
    }
    CreateInLine(shots, p, firer, command, r, r.m_cCount);
}

void ArrangeSpread(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& r,
                   SHOTPLACE& p)
{
    const int n = r.m_cCount;
    if (p.m_nAngle == 0 && !r.m_bAim) {
        PlaceStraightA(p, firer, 1, 16 * r.m_sArrangeParam[0]);
        AddOffsets(p);
    } else {
        PlaceSpreadAimed(p, firer, r, 16 * r.m_sArrangeParam[0]);
    }
    p.m_nX = p.m_nStartX;
    p.m_nY = p.m_nStartY;
    double c = r.m_bAim ? AimFromStart(firer, r, p) : ShotBaseAngle(p.m_nDirection);
    const double step = r.m_sArrangeParam[0];
    double angle = c + p.m_nAngle - step * (n % 2 ? n / 2 : n / 2 - 0.5);
    for (int i = 0; i < n; ++i, angle += step) {
        SetVelocityAt(p, angle);
        CreateShot(shots, p, firer, command, r);
    }
}

void PlaceThunder(SHOTPLACE& p, const cChara* ref, const cEdShot& r, int rows)
{
    const int w = p.m_nWidth, h = p.m_nHeight;
    const double Sx = lpScrollX->m_dPos, Sy = lpScrollY->m_dPos;
    const int CX = ref->m_nScreenLeft + (ref->m_nDrawW >> 1);
    const int CY = ref->m_nScreenTop + (ref->m_nDrawH >> 1);
    const int c = 16 * r.m_sArrangeParam[2];
    const int e = ((rows - 1) >> 1) * c;
    const int f = (rows % 2) ? e : e + 8 * r.m_sArrangeParam[2];
    const int t = SystemData.m_bThunderNoGap ? 0 : 16 * r.m_sArrangeParam[0];
    const bool several = rows >= 2;
    p.m_nRowStepX = p.m_nRowStepY = 0;
    switch (p.m_nDirection) {
    case SHOTDIR_LEFT:
    case SHOTDIR_RIGHT: {
        bool left = p.m_nDirection == SHOTDIR_LEFT;
        p.m_nStartX = left ? T(Sx + 640 - w) : T(Sx);
        p.m_nStartY = T(Sy) + CY - (h >> 1);
        p.m_nStepX = left ? -(w + t) : w + t;
        p.m_nStepY = 0;
        SetVelocity(p, left ? -1 : 1, 0);
        if (several) {
            p.m_nRowStepY = c;
            p.m_nStartY -= f;
        }
        break;
    }
    case SHOTDIR_UP:
    case SHOTDIR_DOWN: {
        bool up = p.m_nDirection == SHOTDIR_UP;
        p.m_nStartX = T(Sx) + CX - (w >> 1);
        p.m_nStartY = up ? T(Sy + 480 - h) : T(Sy);
        p.m_nStepX = 0;
        p.m_nStepY = up ? -(h + t) : h + t;
        SetVelocity(p, 0, up ? -1 : 1);
        if (several) {
            p.m_nRowStepX = c;
            p.m_nStartX -= f;
        }
        break;
    }
    case SHOTDIR_UP_LEFT:
    case SHOTDIR_DOWN_LEFT:
    case SHOTDIR_UP_RIGHT:
    case SHOTDIR_DOWN_RIGHT: {
        const bool left = DiagonalLeft(p.m_nDirection), up = DiagonalUp(p.m_nDirection);
        // They enter from the view's edge that the line through the
        // reference meets first, on the far side from where they fly.
        int g = left ? 640 - CX : CX;
        int d = up ? 480 - CY : CY;
        if (g < d) {
            p.m_nStartX = left ? T(Sx + 640 - w) : T(Sx);
            p.m_nStartY = up ? T(Sy + CY + g - h) : T(Sy + CY - g);
        } else {
            p.m_nStartX = left ? T(Sx + CX + d - w) : T(Sx + g - d);
            p.m_nStartY = up ? T(Sy + 480 - h) : T(Sy);
        }
        p.m_nStepX = left ? T(-K * (w + t)) : T(K * (w + t));
        p.m_nStepY = up ? T(-K * (h + t)) : T(K * (h + t));
        SetVelocity(p, left ? -K : K, up ? -K : K);
        if (several) {
            // Rows lie across the flight.
            bool rowsFall = p.m_nDirection == SHOTDIR_DOWN_LEFT || p.m_nDirection == SHOTDIR_UP_RIGHT;
            p.m_nRowStepX = T(c * K);
            p.m_nRowStepY = rowsFall ? T(c * K) : T(-c * K);
            p.m_nStartX -= T(K * f);
            p.m_nStartY += rowsFall ? -T(K * f) : T(K * f);
        }
        break;
    }
    default: break;
    }
}

void ArrangeThunder(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& r,
                    SHOTPLACE& p)
{
    cChara* ref = ReferenceChara(firer, r.m_cReference);
    if (!ref) return;
    const int rows = r.m_sArrangeParam[1];
    PlaceThunder(p, ref, r, rows);
    if (p.m_nAngle != 0) SetVelocityAt(p, ShotBaseAngle(p.m_nDirection) + p.m_nAngle);
    AddOffsets(p);
    int x = p.m_nStartX, y = p.m_nStartY;
    for (int i = 0; i < r.m_cCount; ++i) {
        for (int j = 0; j < rows; ++j) {
            p.m_nX = x + j * p.m_nRowStepX;
            p.m_nY = y + j * p.m_nRowStepY;
            CreateShot(shots, p, firer, command, r);
        }
        x += p.m_nStepX;
        y += p.m_nStepY;
    }
}

void ArrangeBurst(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& r,
                  SHOTPLACE& p)
{
    const int n = r.m_cCount;
    PlaceCentre(p, firer);
    AddOffsets(p);
    p.m_nX = p.m_nStartX;
    p.m_nY = p.m_nStartY;
    const double base = ShotBaseAngle(p.m_nDirection) + p.m_nAngle;
    for (int k = 0; k < n; ++k) {
        SetVelocityAt(p, base + k * 360.0 / n);
        CreateShot(shots, p, firer, command, r);
    }
}

void ArrangeSurround(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& r,
                     SHOTPLACE& p)
{
    cChara* ref = ReferenceChara(firer, r.m_cReference);
    if (!ref) return;
    const int n = r.m_cCount;
    int cx = T(ref->m_nScreenLeft + (ref->m_nDrawW >> 1) + lpScrollX->m_dPos - (p.m_nWidth >> 1) + p.m_nOffsetX);
    int cy = T(ref->m_nScreenTop + (ref->m_nDrawH >> 1) + lpScrollY->m_dPos - (p.m_nHeight >> 1) + p.m_nOffsetY);
    p.m_nStartX = cx;
    p.m_nStartY = cy;
    const double d = 16 * r.m_sArrangeParam[0];
    const double base = ShotBaseAngle(p.m_nDirection) + p.m_nAngle;
    for (int k = 0; k < n; ++k) {
        double a = base + k * 360.0 / n;
        p.m_nX = cx + T(d * PlayCos(Radians(a)) + 0.5);
        p.m_nY = cy + T(d * PlaySin(Radians(a)) + 0.5);
        SetVelocityAt(p, a);
        CreateShot(shots, p, firer, command, r);
    }
}

constexpr EFFECTPARAMDESC kNone = {"", 0, 0, 0};
constexpr EFFECTPARAMDESC kGap = {"間隔(hbl)", 0, 40, 0};

} // namespace

const SHOTARRANGEKIND ShotArrangeTable[SHOTARRANGE_COUNT] = {
    {"直進A", {kGap, kNone, kNone}, ArrangeStraightA},
    {"直進B", {kGap, kNone, kNone}, ArrangeStraightB},
    {"拡散", {{"角度", 0, 180, 30}, kNone, kNone}, ArrangeSpread},
    {"落雷", {kGap, {"列の数", 1, 50, 1}, {"列の間隔(hbl)", 0, 40, 0}}, ArrangeThunder},
    {"爆発", {kNone, kNone, kNone}, ArrangeBurst},
    {"包囲", {{"距離(hbl)", 0, 40, 6}, kNone, kNone}, ArrangeSurround},
};

void ReportShotKindOutsideTable(const char* table, int kind)
{
    static std::set<std::pair<std::string, int>> reported;
    if (!reported.insert({table, kind}).second) return;
    ReportLog("%s has no kind %d: nothing done for it", table, kind);
}

namespace {

// Runs the record's arrangement; an arrangement kind or a direction that
// has no placement fires nothing.
void Arrange(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& r, SHOTPLACE& p)
{
    if (r.m_cArrangement < 0 || r.m_cArrangement >= SHOTARRANGE_COUNT) {
        ReportShotKindOutsideTable("ShotArrangeTable", r.m_cArrangement);
        return;
    }
    if (ShotBaseAngle(p.m_nDirection) < 0) return;
    ShotArrangeTable[r.m_cArrangement].lpArrange(shots, firer, command, r, p);
}

int InputDirectionOfCurrentFlow()
{
    return (lpStageScene && lpStageScene->m_lpCurFlow) ? lpStageScene->m_lpCurFlow->m_nInputDirection : 0;
}

int VolleyAngle(const cEdShot& r, int angle, int facing)
{
    if (r.m_bMirrorAngle && facing == 1) angle = 360 - angle;
    int s = r.m_sAngleRandom;
    if (s != 0) angle += GameRand() % (2 * s + 1) - s;
    return angle;
}

void SetVolleyOffsets(SHOTPLACE& p, const cEdShot& r, int volley, int facing)
{
    p.m_nOffsetX = T(r.OffsetX(volley, facing));
    p.m_nOffsetY = T(r.OffsetY(volley, facing));
}

// The placement of a summon's one formation; false when there is nothing
// to summon.
template <class T>
const T* SummonDefinition(const std::vector<T>& common, const std::vector<T>& stage, const cEdShot& r)
{
    const std::vector<T>& list = r.m_cPalette == 0 ? common : stage;
    if (static_cast<uint16_t>(r.m_sPaletteIndex) >= list.size()) return nullptr;
    return &list[static_cast<uint16_t>(r.m_sPaletteIndex)];
}

void Summon(cChara* firer, cRunningCommand* command, const cEdShot& r, int size)
{
    SHOTPLACE p;
    p.m_nWidth = p.m_nHeight = size;
    p.m_nDirection = ResolveShotDirection(r.m_cDirection, FirerFacing(firer), InputDirectionOfCurrentFlow());
    p.m_dSpeed = 1.0;
    firer->UpdateScreenPos();
    SetVolleyOffsets(p, r, 0, FirerFacing(firer));
    Arrange(nullptr, firer, command, r, p);
}

} // namespace

int ShotBaseAngle(int direction)
{
    return (direction >= 0 && direction < SHOTDIR_COUNT) ? BaseAngles[direction] : -1;
}

int ResolveShotDirection(int direction, int facing, int inputDirection)
{
    bool right = facing == 1;
    switch (direction) {
    case SHOTDIR_FORWARD: return right ? SHOTDIR_RIGHT : SHOTDIR_LEFT;
    case SHOTDIR_BACK: return right ? SHOTDIR_LEFT : SHOTDIR_RIGHT;
    case SHOTDIR_FORWARD_Y: return right ? SHOTDIR_DOWN : SHOTDIR_UP;
    case SHOTDIR_BACK_Y: return right ? SHOTDIR_UP : SHOTDIR_DOWN;
    case SHOTDIR_INPUT: {
        // Input 0 (no direction held) and 9 (keys that make no one
        // direction) fire forward.
        static const int FromInput[9] = {-1,          SHOTDIR_LEFT,      SHOTDIR_RIGHT,
                                         SHOTDIR_UP,  SHOTDIR_DOWN,      SHOTDIR_UP_LEFT,
                                         SHOTDIR_DOWN_LEFT, SHOTDIR_UP_RIGHT, SHOTDIR_DOWN_RIGHT};
        if (inputDirection >= 1 && inputDirection <= 8) return FromInput[inputDirection];
        return right ? SHOTDIR_RIGHT : SHOTDIR_LEFT;
    }
    default: return direction;
    }
}

void FireShot(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& r)
{
    SHOTPLACE p;
    int size = r.m_cSize > 0 ? r.m_cSize : 1;
    p.m_nWidth = p.m_nHeight = 16 * size;
    const int facing = FirerFacing(firer);
    p.m_nDirection = ResolveShotDirection(r.m_cDirection, facing, InputDirectionOfCurrentFlow());
    if (firer->m_nSide == 1) {
        firer->UpdateScreenPos();
        if (firer->m_lpTarget && firer->m_lpTarget->m_nSide == 1) firer->m_lpTarget->UpdateScreenPos();
    }
    int angle = VolleyAngle(r, r.m_sAngle, facing);
    double speed = r.m_sSpeed * 0.1;
    int range = r.m_sRange, lifetime = r.m_sLifetime;
    for (int i = 0; i <= r.m_cRepeat; ++i) {
        p.m_nIndex = static_cast<int16_t>(i);
        p.m_dSpeed = speed;
        p.m_nAngle = angle;
        p.m_nRange = range;
        p.m_nLifetime = lifetime;
        SetVolleyOffsets(p, r, i, facing);
        Arrange(shots, firer, command, r, p);
        speed += r.m_sSpeedStep * 0.1;
        angle = VolleyAngle(r, r.m_sAngle + r.m_sAngleStep * (i + 1), facing);
        range += r.m_sRangeStep;
        lifetime += r.m_sLifetimeStep;
    }
}

void SummonBlock(cChara* firer, cRunningCommand* command, const cEdShot& r)
{
    if (!SummonDefinition(CommonPalette.m_Blocks, StageData.m_Blocks, r)) return;
    if (r.m_cBlockSummonMode == 2 && lpStageScene) lpStageScene->m_SummonedBlocks.clear();
    Summon(firer, command, r, 32);
}

void SummonChara(cChara* firer, cRunningCommand* command, const cEdShot& r)
{
    const cCharaData* def = SummonDefinition(CommonPalette.m_Charas, StageData.m_Charas, r);
    if (!def || def->m_cControl != CHARA_COMPUTER) return;
    Summon(firer, command, r, 32 * std::max<int>(1, def->m_cSize));
}

void SummonItem(cChara* firer, cRunningCommand* command, const cEdShot& r)
{
    const cItemData* def = SummonDefinition(CommonPalette.m_Items, StageData.m_Items, r);
    if (!def) return;
    Summon(firer, command, r, 32 * std::max<int>(1, def->m_cSize));
}

void CreateShot(std::list<cShot>* shots, SHOTPLACE& p, cChara* firer, cRunningCommand* command,
                const cEdShot& r)
{
    const cCommandData* def = command ? command->m_lpCommandData : nullptr;
    int kind = def ? def->m_cKind : -1;
    cStageScene* scene = lpStageScene;
    switch (kind) {
    case FLOWCMD_SHOT: {
        if (!shots || !scene) return;
        cShot* added = AddShot(*shots, kind, firer, r, p);
        if (!added) return;
        cShot& shot = *added;
        int motion = r.m_cMotion;
        if ((motion == SHOTMOTION_AIM_TARGET || motion == SHOTMOTION_HOME_TARGET) && shot.m_lpTarget) {
            auto& aiming = shot.m_lpTarget->m_ShotsAimingAtMe;
            if (std::find(aiming.begin(), aiming.end(), &shot) == aiming.end()) aiming.push_back(&shot);
        } else {
            shot.m_lpTarget = nullptr;
        }
        break;
    }
    case FLOWCMD_SUMMON_BLOCK:
        if (scene) {
            auto& list = r.m_cPalette == 0 ? CommonPalette.m_Blocks : StageData.m_Blocks;
            scene->PlaceBlock(p.m_nX, p.m_nY, r, CheckedAt(list, static_cast<uint16_t>(r.m_sPaletteIndex)));
        }
        break;
    case FLOWCMD_SUMMON_CHARA: {
        const cCharaData* def = SummonDefinition(CommonPalette.m_Charas, StageData.m_Charas, r);
        if (!scene || !def) return;
        int facing = FirerFacing(firer);
        if (r.m_bReverseFacing) facing = 1 - facing;
        int layer = r.m_cSummonLayerMode == 1 ? firer->m_nHitLayer
                  : r.m_cSummonLayerMode == 2 ? r.m_cLayer
                                              : def->m_cPass;
        scene->SpawnCharacter(CharaList, p.m_nX, p.m_nY, layer, facing, FirerFacing(firer), r, *def,
                              scene->m_nNextCharaSerial);
        break;
    }
    case FLOWCMD_SUMMON_ITEM: {
        const cItemData* def = SummonDefinition(CommonPalette.m_Items, StageData.m_Items, r);
        if (!scene || !def) return;
        scene->SpawnItem(ItemList, p.m_nX, p.m_nY, FirerFacing(firer), r, *def, scene->m_nNextItemSerial);
        break;
    }
    default: break;
    }
}

cShot* AddShot(std::list<cShot>& shots, int kind, cChara* firer, const cEdShot& record, const SHOTPLACE& place)
{
    cStageScene* scene = lpStageScene;
    if (!scene) return nullptr;
    cShot& shot = shots.emplace_back();
    if (!shot.Setup(scene->m_nNextShotSerial, firer, kind, record, place)) {
        shots.pop_back();
        return nullptr;
    }
    if (shot.m_nHitLayer >= 0 && shot.m_nHitLayer < static_cast<int>(scene->m_ShotLayers.size()))
        scene->m_ShotLayers[shot.m_nHitLayer].push_back(&shot);
    ++scene->m_nNextShotSerial;
    return &shot;
}

int AimAngle(double x, double y, cChara* firer, const cEdShot& r, SHOTPLACE& p)
{
    const cChara* target = firer->m_lpTarget;
    if (!target) return FirerFacing(firer) == 1 ? 180 : 0;
    const cScrollAxis& ax = *lpScrollX;
    const cScrollAxis& ay = *lpScrollY;
    auto scrolls = [](const cScrollAxis& a) { return a.m_dAutoSpeed != 0 && !a.m_bAtEdge; };
    auto straight = [&]() {
        double tx = std::trunc(ax.m_dPos) + target->m_nScreenLeft + (target->m_nDrawW >> 1);
        double ty = std::trunc(ay.m_dPos) + target->m_nScreenTop + (target->m_nDrawH >> 1);
        return T(PlayAtan2(ty - y, tx - x) * DEGREES + 180 + 0.5);
    };
    if ((!scrolls(ax) && !scrolls(ay)) || r.m_bFollowScreen || !target->m_bScrollSync) return straight();

    // The target drifts with the view: aim where the shot meets it.
    const double bd = StageData.m_dSpeedScale > 0 ? StageData.m_dSpeedScale : 1.0;
    cShot probe;
    probe.Setup(0, firer, FLOWCMD_SHOT, r, p);
    probe.m_lpTarget = nullptr;
    double vx = 0, vy = 0;
    int dir = 0;
    double speed = (r.m_sSpeed + p.m_nIndex * r.m_sSpeedStep) * 0.1 / bd;
    ComputeAimSpeed(vx, vy, dir, &probe, x - std::trunc(ax.m_dPos), y - std::trunc(ay.m_dPos),
                    target->ScreenCentreX(), target->ScreenCentreY(), speed, probe.m_bScrollSync, 1, 0);
    if (!std::isfinite(vx) || !std::isfinite(vy)) return straight();
    p.m_dSpeed = std::sqrt(vx * vx + vy * vy) * bd;
    return T(PlayAtan2(vy, vx) * DEGREES + 180);
}
