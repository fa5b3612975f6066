#include "CrossoverDesign.h"

#include "BesselTables.h"
#include "LinkwitzRileyTable.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dravo {

namespace {

constexpr double kDesignSampleRate = 48000.0;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kMinAngle = kTwoPi * 5.208333333333333e-8;   // 0.0025 Hz
constexpr double kMaxAngle = kTwoPi * 0.4583333333333333;     // 22000 Hz

double clampAngle(double w)
{
    return std::clamp(w, kMinAngle, kMaxAngle);
}

double butterworthDamping(int n, int i)
{
    return 2.0 * std::sin((2.0 * (n / 2 - 1 - i) + 1.0) * std::numbers::pi / (2.0 * n));
}

double secondOrderDamping(int type, int n, int i)
{
    switch (type) {
    case kFilterFixedSecondOrder: return 1.0;
    case kFilterButterworth: return butterworthDamping(n, i);
    case kFilterLinkwitzRiley: return kLinkwitzRileyDamping[n / 2][i];
    case kFilterBessel: return kBesselDamping[n][i];
    default: return 0.0;
    }
}

// Bessel sections sit above the corner for a low-pass and below it for a
// high-pass; the factor moves the angle accordingly.
double besselScaled(double w, double factor, bool isLowPass)
{
    return isLowPass ? w * factor : w / factor;
}

} // namespace

int crossoverDesignOrder(int order, int type)
{
    int n = order;
    if (type == kFilterFixedSecondOrder)
        n = 2;
    if (type == kFilterLinkwitzRiley && n % 2 != 0)
        n += 1;
    return std::clamp(n, 1, kMaxCrossoverOrder);
}

void DesignCrossover(bool isLowPass, bool bypassAll, double cutoffHz, int order, int type,
                     CrossoverSlots& out)
{
    const int n = crossoverDesignOrder(order, type);
    const double cornerAngle = clampAngle(kTwoPi * cutoffHz / kDesignSampleRate);
    int remaining = bypassAll ? 0 : n;

    for (int i = 0; i < kCrossoverSlotCount; ++i) {
        double w = cornerAngle;
        if (type == kFilterBessel)
            w = besselScaled(w, kBesselPhaseNorm[n], isLowPass);

        if (remaining == 0) {
            out.coef[i] = 0.0;
            out.cosw[i] = std::cos(w);
            out.kind[i] = kSectionEmpty;
        } else if (remaining >= 2) {
            const double d = secondOrderDamping(type, n, i);
            if (type == kFilterBessel)
                w = clampAngle(besselScaled(w, kBesselSectionFrequency[n][i], isLowPass));
            const double ds = d * std::sin(w);
            out.coef[i] = (2.0 - ds) / (2.0 + ds);
            out.cosw[i] = std::cos(w);
            out.kind[i] = kSectionSecondOrder;
            remaining -= 2;
        } else {
            if (type == kFilterBessel)
                w = clampAngle(besselScaled(w, kBesselRealPoleFrequency[i], isLowPass));
            const double c = std::cos(w);
            const double s = std::sin(w);
            out.coef[i] = (c + s - 1.0) / (c - s - 1.0);
            out.cosw[i] = c;
            out.kind[i] = kSectionFirstOrder;
            remaining -= 1;
        }
    }
}

BiquadCoefficients crossoverSectionCoefficients(const CrossoverSection& section, bool isLowPass)
{
    BiquadCoefficients c;
    if (section.kind == kSectionSecondOrder) {
        const double beta = section.coef;
        const double gamma = section.cosw;
        const double f = (1.0 + beta) * (isLowPass ? 1.0 - gamma : 1.0 + gamma) / 4.0;
        const double b1 = isLowPass ? 2.0 * f : -2.0 * f;
        c.b[0] = f;
        c.b[1] = b1;
        c.b[2] = f;
        c.a[1] = -(1.0 + beta) * gamma;
        c.a[2] = beta;
    } else {
        const double p = section.coef;
        const double f = isLowPass ? (1.0 + p) / 2.0 : (1.0 - p) / 2.0;
        c.b[0] = f;
        c.b[1] = isLowPass ? f : -f;
        c.b[2] = 0.0;
        c.a[1] = p;
        c.a[2] = 0.0;
    }
    return c;
}

} // namespace dravo
