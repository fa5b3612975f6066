#include "BandDesign.h"

#include "ResponseEvaluator.h"

#include <cmath>
#include <numbers>

namespace dravo {

void PeakingCoefficients(double sampleRate, double freqHz, double gainDb, double Q,
                         double a[3], double b[3])
{
    const double G = std::pow(10.0, gainDb / 20.0);
    const double w0 = 2.0 * std::numbers::pi * freqHz / sampleRate;
    const double S = std::sin(w0);
    const double C = std::cos(w0);
    // Lower band edge, from the band's Q.
    const double wl = (std::sqrt(4.0 * Q * Q + 1.0) - 1.0) * w0 / (2.0 * Q);
    double t = std::sin(wl) * S / (2.0 * (std::cos(wl) - C));
    if (G < 1.0)
        t *= G;
    const double D = 2.0 * t + S;
    a[0] = 1.0;
    a[1] = -4.0 * t * C / D;
    a[2] = (2.0 * t - S) / D;
    b[0] = (2.0 * t + G * S) / D;
    b[1] = -4.0 * t * C / D;
    b[2] = (2.0 * t - G * S) / D;
}

void AllpassCoefficients(double sampleRate, double freqHz, double Q, double a[3], double b[3])
{
    const double w0 = 2.0 * std::numbers::pi * freqHz / sampleRate;
    const double alpha = std::sin(w0) / (2.0 * Q);
    const double c1 = -2.0 * std::cos(w0) / (1.0 + alpha);
    const double c2 = (1.0 - alpha) / (1.0 + alpha);
    b[0] = c2;
    b[1] = c1;
    b[2] = 1.0;
    a[0] = 1.0;
    a[1] = c1;
    a[2] = c2;
}

BiquadCoefficients bandCoefficients(double sampleRate, double freqHz, double gainDb, double Q,
                                    int bandType)
{
    BiquadCoefficients c;
    if (bandType == kBandAllpass)
        AllpassCoefficients(sampleRate, freqHz, Q, c.a, c.b);
    else
        PeakingCoefficients(sampleRate, freqHz, gainDb, Q, c.a, c.b);
    return c;
}

void BandResponse(double sampleRate, double freqHz, double gainDb, double Q, const double* grid,
                  double* magDb, double* phase, int N, int bandType)
{
    const BiquadCoefficients c = bandCoefficients(sampleRate, freqHz, gainDb, Q, bandType);
    EvaluateResponse(c.b, c.a, 2, 1, magDb, grid, phase, N, ResponseMode::Decibel);
}

} // namespace dravo
