#pragma once
// One equaliser band as a second-order section: a peaking band (boost or
// cut around a centre frequency) or an all-pass band (phase only).
#include "Biquad.h"

namespace dravo {

// Band characteristic codes of an EqBand. Every code other than all-pass is
// drawn as a peaking band; the model holds those at 0 dB, so they are flat.
enum BandType : int {
    kBandPeaking = 0,
    kBandAllpass = 1,
};

// Peaking band whose cut is the exact inverse of the boost of the same size;
// gainDb 0 is exactly flat.
void PeakingCoefficients(double sampleRate, double freqHz, double gainDb, double Q,
                         double a[3], double b[3]);

// 0 dB at every frequency; the phase passes through +-pi at freqHz.
void AllpassCoefficients(double sampleRate, double freqHz, double Q, double a[3], double b[3]);

// The section a band of `bandType` draws as (the gain is ignored by an all-pass).
BiquadCoefficients bandCoefficients(double sampleRate, double freqHz, double gainDb, double Q,
                                    int bandType);

// Overwrites magDb (dB) and phase (radians) with the band's response.
void BandResponse(double sampleRate, double freqHz, double gainDb, double Q, const double* grid,
                  double* magDb, double* phase, int N, int bandType);

} // namespace dravo
