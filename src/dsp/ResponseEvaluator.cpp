#include "ResponseEvaluator.h"

namespace dravo {

double responseFloorDb()
{
    static const double floorDb = 10.0 * std::log10(kResponseFloorReplacement);
    return floorDb;
}

namespace {

// Numerator: b[order] .. b[0]. Denominator: a[order] .. a[1], then the
// implicit leading 1.
std::complex<double> sectionResponse(const double* b, const double* a, int order,
                                     std::complex<double> rot)
{
    if (order < 1)
        return b[0];
    std::complex<double> num = b[order];
    for (int j = order - 1; j >= 0; --j) {
        num *= rot;
        num += b[j];
    }
    std::complex<double> den = a[order];
    for (int j = order - 1; j >= 1; --j) {
        den *= rot;
        den += a[j];
    }
    den *= rot;
    den += 1.0;
    return num / den;
}

} // namespace

void EvaluateResponse(const double* b, const double* a, int order, int sectionCount,
                      double* mag, const double* grid, double* phase, int N,
                      ResponseMode mode)
{
    if (N < 2)
        return;
    const int stride = order < 1 ? 1 : order + 1;
    const double nyquist = grid[N - 2];
    for (int k = 0; k < N; ++k) {
        const std::complex<double> rot = gridRotation(grid[k], nyquist);
        std::complex<double> product(1.0, 0.0);
        for (int s = 0; s < sectionCount; ++s)
            product *= sectionResponse(b + s * stride, a + s * stride, order, rot);

        const double re = product.real();
        const double im = product.imag();
        if (mode == ResponseMode::Linear) {
            mag[k] = std::sqrt(re * re + im * im);
            phase[k] = mag[k] == 0.0 ? 0.0 : std::atan2(im, re);
            continue;
        }
        double power = re * re + im * im;
        if (std::fabs(power) > kResponseFloorPower) {
            phase[k] = std::atan2(im, re);
        } else {
            phase[k] = 0.0;
            power = kResponseFloorReplacement;
        }
        mag[k] = 10.0 * std::log10(power);
    }
}

} // namespace dravo
