// The speeds of aimed movement: straight at a point of the screen, with the
// view's auto-scroll added, taken away, or solved out of the motion.
#include <cmath>

#include "stage/objects/play_links.h"
#include "stage/objects/stage_object.h"

namespace {

double ScrollCarry(const cScrollAxis& axis)
{
    return (axis.m_dAutoSpeed != 0 && !axis.m_bAtEdge) ? axis.m_dAutoSpeed : 0.0;
}

int DirectionOf(double vx) { return vx < 0 ? 1 : (vx > 0 ? 2 : 0); }

// For a scroll-synced mover: the speed in the stage keeps its length v, but
// its direction is chosen so that the motion seen against the scrolling
// view points at the target. a is the axis with the larger distance (da,
// carry sa), b the other. False where no such speed exists or the solving
// meets a zero; the speeds then stay as they are.
bool SolveAgainstScroll(double da, double db, double sa, double sb, double v, double& va, double& vb,
                        bool& stopped)
{
    double A = da * da, B = db * db;
    double R = B * sa * sa + A * sb * sb - 2 * da * db * sa * sb;
    if (A == 0) {
        stopped = true;
        return false;
    }
    double W = B / A + 1;
    double X = (2 * sa * B - 2 * da * db * sb) / A;
    double disc = X * X - 4 * W * (R / A - v * v);
    // The scroll outruns the mover: no speed of this length reaches the
    // target, so it keeps its straight aim.
    if (disc < 0) return false;
    double u = (X + std::sqrt(disc)) / (2 * W);
    double newA = da < 0 ? -u : u;
    double denom = sa - newA;
    if (denom == 0) {
        va = newA;
        stopped = true;
        return false;
    }
    double T = -da / denom;
    if (T == 0) {
        va = newA;
        stopped = true;
        return false;
    }
    va = newA;
    vb = (db + T * sb) / T;
    return true;
}

} // namespace

int ComputeAimSpeed(double& outVx, double& outVy, int& outDir, const cStageObject* mover, double fromX,
                    double fromY, double toX, double toY, double speed, int scrollMode, int straightAway,
                    int arriveTest)
{
    outVx = outVy = 0;
    double dx = toX - fromX, dy = toY - fromY;
    double sx = ScrollCarry(*lpScrollX), sy = ScrollCarry(*lpScrollY);
    bool synced = mover && mover->m_bScrollSync;

    if (!straightAway && speed < 0) {
        double m = -speed * 0.7071067811865476;
        outVx = fromX < toX ? -m : m;
        outVy = fromY < toY ? -m : m;
        outDir = DirectionOf(outVx);
        if (bNoScrollCarry) {
            outVx += sx;
            outVy += sy;
        } else if (mover && ((scrollMode == 0 && synced) || (scrollMode != 0 && !synced))) {
            outVx -= sx;
            outVy -= sy;
        }
        return 0;
    }

    double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0) d = 1;
    double vx = speed * dx / d, vy = speed * dy / d;
    if (bNoScrollCarry) {
        vx += sx;
        vy += sy;
    } else if (mover && !synced) {
        vx -= sx;
        vy -= sy;
    } else if (mover && scrollMode == 0 && synced && (sx != 0 || sy != 0)) {
        double v = std::sqrt(vx * vx + vy * vy);
        bool stopped = false;
        if (std::fabs(dy) >= std::fabs(dx))
            SolveAgainstScroll(dy, dx, sy, sx, v, vy, vx, stopped);
        else
            SolveAgainstScroll(dx, dy, sx, sy, v, vx, vy, stopped);
        if (stopped) {
            outVx = vx;
            outVy = vy;
            return 0;
        }
    }
    outVx = vx;
    outVy = vy;
    outDir = DirectionOf(vx);
    if (arriveTest) return (std::fabs(dx) < std::fabs(speed) && std::fabs(dy) < std::fabs(speed)) ? 1 : 0;
    return 0;
}

int ComputeAimSpeedX(double& outVx, double& outVy, int& outDir, const cStageObject* mover, double fromX,
                     double toX, double speed, int scrollMode, int arriveTest)
{
    if (fromX >= toX) {
        outDir = 1;
        outVx = -speed;
    } else {
        outDir = 2;
        outVx = speed;
    }
    if (scrollMode == 0 && mover && mover->m_bScrollSync && bNoScrollCarry) outVx += ScrollCarry(*lpScrollX);
    outVy = 0;
    return (arriveTest && std::fabs(speed) > std::fabs(fromX - toX)) ? 1 : 0;
}

int ComputeAimSpeedY(double& outVx, double& outVy, int& outDir, const cStageObject* mover, double fromY,
                     double toY, double speed, int scrollMode, int arriveTest)
{
    outDir = 0;
    outVy = fromY >= toY ? -speed : speed;
    if (scrollMode == 0 && mover && mover->m_bScrollSync && bNoScrollCarry) outVy += ScrollCarry(*lpScrollY);
    outVx = 0;
    return (arriveTest && std::fabs(speed) > std::fabs(fromY - toY)) ? 1 : 0;
}
