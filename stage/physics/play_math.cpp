#include "stage/physics/play_math.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// Polynomials and reduction constants after the classic freely
// distributable double-precision library (minimax fits on |x| <= pi/4).
namespace {

constexpr double INV_PIO2 = 6.36619772367581382433e-01;
constexpr double PIO2_1 = 1.57079632673412561417e+00;   // first 33 bits of pi/2
constexpr double PIO2_1T = 6.07710050650619224932e-11;  // pi/2 - PIO2_1
constexpr double PIO2_2 = 6.07710050630396597660e-11;   // second 33 bits
constexpr double PIO2_2T = 2.02226624879595063154e-21;
constexpr double PIO2_3 = 2.02226624871116645580e-21;   // third 33 bits
constexpr double PIO2_3T = 8.47842766036889956997e-32;

uint32_t HighWord(double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return static_cast<uint32_t>(bits >> 32);
}

// sin(x + y) for |x| <= pi/4, y the tail of x.
double KernelSin(double x, double y)
{
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    const double z = x * x, v = z * x;
    const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

// cos(x + y) for |x| <= pi/4.
double KernelCos(double x, double y)
{
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const double z = x * x;
    const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    const double hz = 0.5 * z, w = 1.0 - hz;
    return w + (((1.0 - w) - hz) + (z * r - x * y));
}

// x less n times pi/2, as a head and a tail, with n's low bits; for
// |x| below 2^20 pi/2 (larger angles are taken modulo 2 pi first, which
// play never needs).
int Reduce(double x, double& head, double& tail)
{
    const double n = std::nearbyint(x * INV_PIO2);
    double r = x - n * PIO2_1, w = n * PIO2_1T;
    head = r - w;
    // Near a multiple of pi/2 the first step cancels: take more bits of pi/2.
    const int exponent = static_cast<int>((HighWord(x) >> 20) & 0x7FF);
    if (exponent - static_cast<int>((HighWord(head) >> 20) & 0x7FF) > 16) {
        double t = r;
        w = n * PIO2_2;
        r = t - w;
        w = n * PIO2_2T - ((t - r) - w);
        head = r - w;
        if (exponent - static_cast<int>((HighWord(head) >> 20) & 0x7FF) > 49) {
            t = r;
            w = n * PIO2_3;
            r = t - w;
            w = n * PIO2_3T - ((t - r) - w);
            head = r - w;
        }
    }
    tail = (r - head) - w;
    return static_cast<int>(static_cast<int64_t>(n) & 3);
}

double SinCos(double x, int cosine)
{
    if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
    if (std::fabs(x) <= 0.7853981633974483) return cosine ? KernelCos(x, 0) : KernelSin(x, 0);
    if (std::fabs(x) > 1.6e6) x = std::fmod(x, 6.283185307179586476925286766559);
    double head, tail;
    const int quadrant = (Reduce(x, head, tail) + cosine) & 3;
    switch (quadrant) {
    case 0: return KernelSin(head, tail);
    case 1: return KernelCos(head, tail);
    case 2: return -KernelSin(head, tail);
    default: return -KernelCos(head, tail);
    }
}

// atan(x) for finite x.
double Atan(double x)
{
    static const double ATAN_HI[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01,
                                     9.82793723247329054082e-01, 1.57079632679489655800e+00};
    static const double ATAN_LO[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17,
                                     1.39033110312309984516e-17, 6.12323399573676603587e-17};
    static const double AT[] = {3.33333333333329318027e-01,  -1.99999999998764832476e-01, 1.42857142725034663711e-01,
                                -1.11111104054623557880e-01, 9.09088713343650656196e-02,  -7.69187620504482999495e-02,
                                6.66107313738753120669e-02,  -5.83357013379057348645e-02, 4.97687799461593236017e-02,
                                -3.65315727442169155270e-02, 1.62858201153657823623e-02};
    const bool negative = x < 0;
    double a = std::fabs(x);
    if (a >= 1.8014398509481984e16) return negative ? -ATAN_HI[3] : ATAN_HI[3];
    int id;
    if (a < 0.4375) {
        if (a < 7.450580596923828125e-9) return x;
        id = -1;
    } else if (a < 1.1875) {
        if (a < 0.6875) {
            id = 0;
            a = (2.0 * a - 1.0) / (2.0 + a);
        } else {
            id = 1;
            a = (a - 1.0) / (a + 1.0);
        }
    } else if (a < 2.4375) {
        id = 2;
        a = (a - 1.5) / (1.0 + 1.5 * a);
    } else {
        id = 3;
        a = -1.0 / a;
    }
    const double z = a * a, w = z * z;
    const double s1 = z * (AT[0] + w * (AT[2] + w * (AT[4] + w * (AT[6] + w * (AT[8] + w * AT[10])))));
    const double s2 = w * (AT[1] + w * (AT[3] + w * (AT[5] + w * (AT[7] + w * AT[9]))));
    if (id < 0) return x - x * (s1 + s2);
    const double result = ATAN_HI[id] - ((a * (s1 + s2) - ATAN_LO[id]) - a);
    return negative ? -result : result;
}

} // namespace

double PlaySin(double x) { return SinCos(x, 0); }

double PlayCos(double x) { return SinCos(x, 1); }

double PlayAtan2(double y, double x)
{
    constexpr double PI = 3.1415926535897931160e+00, PI_LO = 1.2246467991473531772e-16;
    constexpr double PIO2 = 1.57079632679489655800e+00;
    if (std::isnan(x) || std::isnan(y)) return x + y;
    if (x == 1.0) return Atan(y);
    const bool yNegative = std::signbit(y), xNegative = std::signbit(x);
    if (y == 0) {
        if (!xNegative) return y;
        return yNegative ? -PI : PI;
    }
    if (x == 0) return yNegative ? -PIO2 : PIO2;
    if (std::isinf(x)) {
        if (std::isinf(y)) {
            const double q = xNegative ? 3 * PI / 4 : PI / 4;
            return yNegative ? -q : q;
        }
        return xNegative ? (yNegative ? -PI : PI) : (yNegative ? -0.0 : 0.0);
    }
    if (std::isinf(y)) return yNegative ? -PIO2 : PIO2;
    double z;
    const int k = std::ilogb(y) - std::ilogb(x);
    if (k > 60) z = PIO2 + 0.5 * PI_LO;
    else if (xNegative && k < -60) z = 0.0;
    else z = Atan(std::fabs(y / x));
    if (!xNegative) return yNegative ? -z : z;
    const double r = PI - (z - PI_LO);
    return yNegative ? -r : r;
}
