#pragma once
// Small helpers the intake files share.
#include "MessageSink.h"
#include "ModelSizes.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

namespace dravo::intake {

// The record a message carries, or null when it carries none of that type
// (a message posted by mistake is then ignored, never misread).
template <typename R>
const R* recordAs(const Message& message)
{
    return dynamic_cast<const R*>(message.record.get());
}

constexpr bool validOutput(int c) { return c >= 0 && c < kOutputCount; }
constexpr bool validSource(int s) { return s >= 0 && s < kSourceCount; }
constexpr bool validInput(int n) { return n >= 0 && n < kInputsPerSource; }
constexpr bool validPair(int p) { return p >= 0 && p < kBridgePairCount; }

__attribute__((format(printf, 1, 2))) inline std::string format(const char* fmt, ...)
{
    char text[256];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    return text;
}

} // namespace dravo::intake

namespace dravo::intake {

// Options this build leaves switched off: the input-threshold option
// `option_noise` and the automatic-effect switch `btn_auto_on` act only
// when their switch is on.
inline constexpr bool kNoiseOptionSwitch = false;
inline constexpr bool kDspPowerSwitch = false;

// The input-threshold option's two states, as the device takes them.
inline constexpr int kInputThresholdOpenDb = -60;
inline constexpr int kInputThresholdClosedDb = -100;

} // namespace dravo::intake
