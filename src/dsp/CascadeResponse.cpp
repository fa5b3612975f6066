#include "CascadeResponse.h"

#include "ResponseEvaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace dravo {

namespace {

constexpr int N = kCurvePointCount;

// e^(-jw) of every grid point, the same bits EvaluateResponse uses.
struct GridRotations {
    alignas(64) double cosw[N];
    alignas(64) double sinw[N];
};

const GridRotations& standardGridRotations()
{
    static const GridRotations rotations = [] {
        GridRotations r{};
        const CurveGrid& grid = standardFrequencyGrid();
        for (int k = 0; k < N; ++k) {
            const std::complex<double> rot = gridRotation(grid[k], grid[N - 2]);
            r.cosw[k] = rot.real();
            r.sinw[k] = rot.imag();
        }
        return r;
    }();
    return rotations;
}

// Running products of the numerators and of the denominators, kept apart so
// that no section needs a complex division. Products of many sections could
// leave the double range on absurd gains, so both are brought back near 1
// every few sections and the powers of two taken out are kept per point.
struct Products {
    alignas(64) double numRe[N];
    alignas(64) double numIm[N];
    alignas(64) double denRe[N];
    alignas(64) double denIm[N];
    alignas(64) double floored[N];    // sections that read as the floor
    alignas(64) double log2Ratio[N];  // powers of two taken out of |num| / |den|
};

constexpr int kSectionsPerRescale = 4;
const double kRescaleAbove = std::ldexp(1.0, 200);
const double kRescaleBelow = std::ldexp(1.0, -200);

// Wide vectors do the same IEEE operations, so every clone gives the same
// bits; only fused multiply-add would not, and it is not enabled here.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
#define DRAVO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define DRAVO_VECTOR_CLONES
#endif

// One section into the products. The Horner steps are those of
// EvaluateResponse, operation by operation, so that numerator and
// denominator come out bit for bit the same: near a zero the terms cancel,
// and a different order would move the result.
DRAVO_VECTOR_CLONES
void multiplySection(const BiquadCoefficients& c, const double* __restrict cosw,
                     const double* __restrict sinw, double* __restrict numRe,
                     double* __restrict numIm, double* __restrict denRe,
                     double* __restrict denIm, double* __restrict floored)
{
    const double b0 = c.b[0], b1 = c.b[1], b2 = c.b[2];
    const double a1 = c.a[1], a2 = c.a[2];
    for (int k = 0; k < N; ++k) {
        const double co = cosw[k];
        const double si = sinw[k];

        double xr = b2 * co;
        double xi = b2 * si;
        xr += b1;
        double nr = xr * co - xi * si;
        double ni = xr * si + xi * co;
        nr += b0;

        double yr = a2 * co;
        double yi = a2 * si;
        yr += a1;
        double dr = yr * co - yi * si;
        double di = yr * si + yi * co;
        dr += 1.0;

        // |num/den|^2 > floor, without dividing; NaN fails and floors.
        const bool keep = nr * nr + ni * ni > kResponseFloorPower * (dr * dr + di * di);
        nr = keep ? nr : 1.0;
        ni = keep ? ni : 0.0;
        dr = keep ? dr : 1.0;
        di = keep ? di : 0.0;
        floored[k] += keep ? 0.0 : 1.0;

        const double pnr = numRe[k] * nr - numIm[k] * ni;
        const double pni = numRe[k] * ni + numIm[k] * nr;
        numRe[k] = pnr;
        numIm[k] = pni;
        const double pdr = denRe[k] * dr - denIm[k] * di;
        const double pdi = denRe[k] * di + denIm[k] * dr;
        denRe[k] = pdr;
        denIm[k] = pdi;
    }
}

// Branch-free so that the check over all points vectorises.
bool outsideRescaleBand(double re, double im)
{
    const double x = std::fabs(re), y = std::fabs(im);
    return (x > kRescaleAbove) | (y > kRescaleAbove) | ((x < kRescaleBelow) & (y < kRescaleBelow));
}

// Returns the power of two taken out (0 for a zero, NaN or infinity).
int rescale(double& re, double& im)
{
    const double m = std::max(std::fabs(re), std::fabs(im));
    if (!(m > 0.0) || !std::isfinite(m))
        return 0;
    int e = 0;
    std::frexp(m, &e);
    re = std::ldexp(re, -e);
    im = std::ldexp(im, -e);
    return e;
}

DRAVO_VECTOR_CLONES
void rescaleProducts(Products& p)
{
    std::int64_t outside = 0;  // a wide counter keeps the check in vector lanes
    for (int k = 0; k < N; ++k)
        outside += outsideRescaleBand(p.numRe[k], p.numIm[k]) | outsideRescaleBand(p.denRe[k], p.denIm[k]);
    if (outside == 0)
        return;
    for (int k = 0; k < N; ++k) {
        const int up = rescale(p.numRe[k], p.numIm[k]);
        const int down = rescale(p.denRe[k], p.denIm[k]);
        p.log2Ratio[k] += up - down;
    }
}

// A band with no gain has identical numerator and denominator: it adds
// nothing and can be left out.
bool isFlat(const BiquadCoefficients& c)
{
    return c.b[0] == 1.0 && c.b[1] == c.a[1] && c.b[2] == c.a[2];
}

} // namespace

void cascadeResponseDb(std::span<const BiquadCoefficients> sections, CurveGrid& magDb,
                       CurveGrid& phase)
{
    const GridRotations& rot = standardGridRotations();
    Products p;
    for (int k = 0; k < N; ++k) {
        p.numRe[k] = 1.0;
        p.numIm[k] = 0.0;
        p.denRe[k] = 1.0;
        p.denIm[k] = 0.0;
        p.floored[k] = 0.0;
        p.log2Ratio[k] = 0.0;
    }

    int sinceRescale = 0;
    for (const BiquadCoefficients& c : sections) {
        if (isFlat(c))
            continue;
        multiplySection(c, rot.cosw, rot.sinw, p.numRe, p.numIm, p.denRe, p.denIm, p.floored);
        if (++sinceRescale == kSectionsPerRescale) {
            rescaleProducts(p);
            sinceRescale = 0;
        }
    }
    rescaleProducts(p);

    const double floorDb = responseFloorDb();
    const double dbPerPowerOfTwo = 20.0 * std::log10(2.0);
    for (int k = 0; k < N; ++k) {
        const double nr = p.numRe[k], ni = p.numIm[k];
        const double dr = p.denRe[k], di = p.denIm[k];
        const double power = (nr * nr + ni * ni) / (dr * dr + di * di);
        magDb[k] = 10.0 * std::log10(power) + p.floored[k] * floorDb
                   + p.log2Ratio[k] * dbPerPowerOfTwo;
        // angle of num * conj(den)
        phase[k] = std::atan2(ni * dr - nr * di, nr * dr + ni * di);
    }
}

} // namespace dravo
