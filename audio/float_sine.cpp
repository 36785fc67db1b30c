#include "audio/float_sine.h"

#include <cmath>
#include <cstdint>

#include "audio/vector_loops.h"

namespace {

// Arguments beyond this go to std::sin: below it the three-part reduction is exact enough.
constexpr double reducedRange = 0x1p20;
constexpr double twoOverPi = 0.63661977236758134308;
// Adding and taking away 1.5 * 2^52 rounds to the nearest whole number.
constexpr double roundingShift = 0x1.8p52;
// pi/2 in three parts of 33 bits, so that a quadrant count below 2^20 times each is exact.
constexpr double halfPi1 = 1.57079632673412561417e+00;
constexpr double halfPi2 = 6.07710050630396597660e-11;
constexpr double halfPi3 = 2.02226624871116645580e-21;
// Minimax polynomials for sin and cos on [-pi/4, pi/4], as in fdlibm's kernels.
constexpr double sin1 = -1.66666666666666324348e-01;
constexpr double sin2 = 8.33333333332248946124e-03;
constexpr double sin3 = -1.98412698298579493134e-04;
constexpr double sin4 = 2.75573137070700676789e-06;
constexpr double sin5 = -2.50507602534068634195e-08;
constexpr double sin6 = 1.58969099521155010221e-10;
constexpr double cos1 = 4.16666666666666019037e-02;
constexpr double cos2 = -1.38888888888741095749e-03;
constexpr double cos3 = 2.48015872894767294178e-05;
constexpr double cos4 = -2.75573143513906633035e-07;
constexpr double cos5 = 2.08757232129817482790e-09;
constexpr double cos6 = -1.13596475577881948265e-11;
// How far the polynomial's value may be from the true sine, and so from std::sin's: some
// thousands of times the error either can have.
constexpr double relativeDoubt = 0x1p-40;
constexpr double absoluteDoubt = 0x1p-70;
constexpr int chunk = 256;

[[gnu::always_inline]] inline double nearSine(double x, int32_t& quadrant) {
    const double n = (x * twoOverPi + roundingShift) - roundingShift;
    quadrant = static_cast<int32_t>(n);
    const double r = ((x - n * halfPi1) - n * halfPi2) - n * halfPi3;
    const double z = r * r;
    const double s = r + r * z * (sin1 + z * (sin2 + z * (sin3 + z * (sin4 + z * (sin5 + z * sin6)))));
    const double c =
        1.0 - 0.5 * z + z * z * (cos1 + z * (cos2 + z * (cos3 + z * (cos4 + z * (cos5 + z * cos6)))));
    const double y = (quadrant & 1) ? c : s;
    return (quadrant & 2) ? -y : y;
}

// The polynomial's floats, and whether each needs std::sin after all. Written as one plain loop
// so that the compiler can run it on several arguments at once.
VECTOR_LOOPS void approximateSines(const double* x, float* out, bool* unsure, int count) {
    for (int i = 0; i < count; ++i) {
        const bool inRange = std::fabs(x[i]) < reducedRange;
        int32_t quadrant = 0;
        const double y = nearSine(inRange ? x[i] : 0.0, quadrant);
        const double doubt = std::fabs(y) * relativeDoubt + absoluteDoubt;
        out[i] = static_cast<float>(y);
        unsure[i] = !inRange | (static_cast<float>(y - doubt) != static_cast<float>(y + doubt));
    }
}

}  // namespace

void floatSines(const double* x, float* out, int count) {
    bool unsure[chunk];
    for (int start = 0; start < count; start += chunk) {
        const int n = count - start < chunk ? count - start : chunk;
        approximateSines(x + start, out + start, unsure, n);
        for (int i = 0; i < n; ++i) {
            if (unsure[i]) out[start + i] = static_cast<float>(std::sin(x[start + i]));
        }
    }
}
