#pragma once
// What the tuning logic hands to the curve display. The display keeps its
// own copy of the bands and reports drags back through the page's
// notifications; it never touches the model.
#include <array>
#include <cstdint>
#include <vector>

namespace dravo {

struct DisplayBand {
    float gain = 0.0f;  // dB, 0 when the band is disabled or the output bypassed
    float q = 5.8f;
    int freq = 1000;    // Hz
    std::uint8_t enable = 1;
    std::uint8_t type = 0;
};

inline constexpr int kCurvePoints = 512;

// One output's response as drawn: magnitude in dB and scaled phase per grid point.
struct CurveView {
    const double* frequency = nullptr;
    const double* magnitude = nullptr;
    const double* phase = nullptr;
    int points = 0;
};

class EqualizerView {
public:
    virtual ~EqualizerView() = default;
    virtual void setBands(const std::vector<DisplayBand>& bands) = 0;
    virtual void setCrossover(int hpFreq, int lpFreq) = 0;
    virtual void setCurves(const std::array<CurveView, 12>& curves, const std::array<int, 12>& shown,
                           int selectedOutput) = 0;
    virtual void setSelectedBand(int band) = 0;
    // true: parametric (bands move in frequency and Q); false: graphic.
    virtual void setParametric(bool parametric) = 0;
    virtual void setAllBypassed(bool bypassed) = 0;
};

} // namespace dravo
