#pragma once
// The frequency axis every response curve is computed on: the device runs at
// 48 kHz and the curves are drawn from 512 log-spaced points.
#include <array>

namespace dravo {

inline constexpr double kDspSampleRate = 48000.0;
inline constexpr int kCurvePointCount = 512;

// Points 0..N-2 are equally spaced in log frequency from
// (sampleRate/2)^(1/(N-1)) up to the Nyquist frequency at N-2; point N-1 is
// the sample rate itself. The evaluator takes point N-2 as its Nyquist
// reference, so callers must keep that layout. N below 2 fills nothing.
void MakeFrequencyGrid(double sampleRate, int N, double* out);

using CurveGrid = std::array<double, kCurvePointCount>;

// The 512-point grid at 48 kHz, built once.
const CurveGrid& standardFrequencyGrid();

} // namespace dravo
