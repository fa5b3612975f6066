#pragma once
// Response of one crossover filter on a frequency grid: the sum, in dB and in
// radians, of its sections evaluated one by one.

namespace dravo {

// Which filter of a crossover; the numbers are the filter indexes the device
// uses for the two sections.
enum CrossoverSelector : int {
    kSelectLowPass = 1,
    kSelectHighPass = 2,
};

// Zeroes magDb and phase, then adds each non-empty section's dB magnitude and
// phase. The design always uses the device's 48 kHz rate; the grid decides
// where the response is read.
void CrossoverResponse(bool isLowPass, double cutoffHz, int order, int type, int N,
                       const double* grid, double* magDb, double* phase);

// Same, with the selector the curve code uses: 1 is the low-pass, any other
// value the high-pass.
void CrossoverResponseFor(int selector, double cutoffHz, int order, int type, int N,
                          const double* grid, double* magDb, double* phase);

} // namespace dravo
