#pragma once
// One second-order section H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2).
// a[0] is always 1 and never read; a first-order section has b2 = a2 = 0.

namespace dravo {

struct BiquadCoefficients {
    double b[3] = {1.0, 0.0, 0.0};
    double a[3] = {1.0, 0.0, 0.0};
};

} // namespace dravo
