#include "EditingRulesValues.h"

#include "FilterSection.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace dravo {

using namespace editing;

namespace {

constexpr int kLogSteps = 200;
// Typed numbers beyond this are nonsense for every field and must not
// overflow an int on the way.
constexpr double kLargestTyped = 1e9;

double logLow() { return std::log10(static_cast<double>(kMinFrequencyHz)); }
double logSpan() { return std::log10(static_cast<double>(kMaxFrequencyHz)) - logLow(); }

int roundedTyped(double value)
{
    return static_cast<int>(std::lround(std::clamp(value, -kLargestTyped, kLargestTyped)));
}

std::string format(const char* fmt, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, fmt, value);
    return text;
}

// Units of the delay combo, in its item order.
struct DelayUnitInfo {
    int unitsPerFullRange;  // whole units in 15 ms; 0 = shown in ms
    const char* suffix;
};
constexpr DelayUnitInfo kDelayUnits[] = {
    {0, " ms"},
    {519, " cm"},
    {204, " in"},
};

const DelayUnitInfo& delayUnitInfo(DelayUnit unit)
{
    const auto i = static_cast<std::size_t>(unit);
    return kDelayUnits[i < std::size(kDelayUnits) ? i : 0];
}

} // namespace

std::optional<double> ParseNumber(const std::string& text)
{
    const char* start = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseFrequencyText(const std::string& text)
{
    const auto k = text.find_first_of("kK");
    if (k == std::string::npos) {
        const auto number = ParseNumber(text);
        if (!number)
            return std::nullopt;
        return roundedTyped(*number);
    }
    const auto thousands = ParseNumber(text.substr(0, k));
    if (!thousands)
        return std::nullopt;
    const char after = k + 1 < text.size() ? text[k + 1] : '\0';
    const int hundreds = std::isdigit(static_cast<unsigned char>(after)) ? after - '0' : 0;
    return roundedTyped(std::clamp(*thousands, -kLargestTyped, kLargestTyped) * 1000.0 + hundreds * 100.0);
}

int LogFrequencyStep(int hz, bool up)
{
    const int f = std::clamp(hz, kMinFrequencyHz, kMaxFrequencyHz);
    const int p = static_cast<int>(kLogSteps * (std::log10(static_cast<double>(f)) - logLow()) / logSpan());
    int next = f;
    // A step can round back onto the same whole hertz at the low end; a
    // double step then gets off it.
    for (int step = 1; step <= 2 && next == f; ++step) {
        const int q = std::clamp(up ? p + step : p - step, 0, kLogSteps);
        next = static_cast<int>(std::lround(std::pow(10.0, logLow() + logSpan() * q / kLogSteps)));
    }
    return std::clamp(next, kMinFrequencyHz, kMaxFrequencyHz);
}

std::string LevelText(int tenths)
{
    if (tenths <= kLevelSliderMin)
        return kOffText;
    // Half-dB steps of the shown value, cut toward zero (integer division).
    const int halfSteps = (tenths + kLevelShownOffsetDb * 10) / 5;
    return format("%.1fdB", halfSteps / 2.0);
}

std::optional<int> LevelTenthsFromText(const std::string& text, const std::string& offText)
{
    if (text == kOffText || sameTextIgnoringCase(text, offText) || sameTextIgnoringCase(text, "off"))
        return kLevelSliderMin;
    const auto number = ParseNumber(text);
    if (!number)
        return std::nullopt;
    return roundedTyped((*number - kLevelShownOffsetDb) * 10.0);
}

int delayUnitsPerFullRange(DelayUnit unit)
{
    return delayUnitInfo(unit).unitsPerFullRange;
}

float DelayFromUnit(double value, DelayUnit unit)
{
    const int units = delayUnitsPerFullRange(unit);
    if (units == 0)
        return static_cast<float>(std::clamp(value, 0.0, static_cast<double>(kMaxDelayMs)));
    const double whole = std::clamp(std::trunc(value), 0.0, static_cast<double>(units));
    return static_cast<float>(whole * kMaxDelayMs / units);
}

float QuantiseDelay(float ms, DelayUnit unit)
{
    const float clamped = std::clamp(ms, 0.0f, kMaxDelayMs);
    const int units = delayUnitsPerFullRange(unit);
    if (units == 0)
        return clamped;
    const double whole = std::round(static_cast<double>(clamped) * units / kMaxDelayMs);
    return static_cast<float>(whole * kMaxDelayMs / units);
}

std::string DelayMarkerText(float ms, DelayUnit unit)
{
    const int units = delayUnitsPerFullRange(unit);
    if (units == 0)
        return format("%.3f", ms);
    char text[32];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(std::lround(static_cast<double>(ms) * units / kMaxDelayMs)));
    return text;
}

std::string DelayText(float ms, DelayUnit unit)
{
    return DelayMarkerText(ms, unit) + delayUnitInfo(unit).suffix;
}

std::string MainVolumeText(int step)
{
    if (step <= 0)
        return kOffText;
    return format("%g", static_cast<double>(step));
}

bool sameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace dravo
