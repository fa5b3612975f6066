#pragma once
// Frequency response of a cascade of sections on a frequency grid, one point
// at a time: the reference way of turning coefficients into a curve.
#include <cmath>
#include <complex>

namespace dravo {

enum class ResponseMode {
    Linear = 1,   // magnitude as |H|
    Decibel = 2,  // magnitude as 10 log10 |H|^2, with the floor below
};

// In dB mode a point whose squared magnitude is at most this reads as the
// floor: -400 dB and phase 0. It keeps log10 away from zeros and from
// NaN/inf that a degenerate section can produce.
inline constexpr double kResponseFloorPower = 1e-8;
inline constexpr double kResponseFloorReplacement = 1e-40;

// The dB value of one floored section, computed exactly as the evaluator
// computes it so that other evaluators can add the very same number.
double responseFloorDb();

// e^(-jw) for a grid frequency, w = pi * frequency / nyquist, where nyquist
// is grid[N-2]. Every evaluator uses this one expression so that they all
// see the same bits.
inline std::complex<double> gridRotation(double frequency, double nyquist)
{
    const double angle = -8.0 * std::atan(1.0) * (frequency * 0.5 / nyquist);
    return {std::cos(angle), std::sin(angle)};
}

// Evaluates `sectionCount` sections of `order`, whose coefficients lie one
// section after another in b and a (order + 1 values each; a[0] of each
// section is taken as 1 and never read), at the N points of `grid`, and
// writes the product's magnitude and phase (radians). Both polynomials are
// evaluated by Horner's rule in e^(-jw) from the highest coefficient down.
// N below 2 writes nothing: the grid then has no Nyquist point.
void EvaluateResponse(const double* b, const double* a, int order, int sectionCount,
                      double* mag, const double* grid, double* phase, int N,
                      ResponseMode mode);

} // namespace dravo
