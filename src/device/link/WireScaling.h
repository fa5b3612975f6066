#pragma once
// The fixed-point forms in which the amplifier takes fractional values.
// Every rule truncates toward zero; nothing is rounded. The arithmetic is
// done in 32-bit float, as the values are held, so that a level of 0.7 dB
// gives 7 tenths and not 6 (in double, 0.7f * 10 is 6.9999999).
#include <cstdint>
#include <limits>

namespace dravo {

// Truncation toward zero that stays defined for any float: NaN gives 0 and
// values beyond the int range saturate (a plain cast would be undefined).
constexpr std::int32_t truncToInt(float value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483648.0f)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0f)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// A value split into its whole part and a fraction in some decimal unit.
struct SplitValue {
    std::int32_t whole = 0;
    std::int32_t fraction = 0;
    friend constexpr bool operator==(const SplitValue&, const SplitValue&) = default;
};

// Whole part and the digits after the point, both carrying the sign of the
// value: -12.5 in tenths is -12 and -5.
constexpr SplitValue splitDecimal(float value, std::int32_t scale)
{
    const std::int32_t whole = truncToInt(value);
    const std::int32_t scaled = truncToInt(value * static_cast<float>(scale));
    return {whole, scaled - whole * scale};
}

constexpr SplitValue splitTenths(float value)
{
    return splitDecimal(value, 10);
}

constexpr SplitValue splitHundredths(float value)
{
    return splitDecimal(value, 100);
}

// Whole part and thousandths 0..999. The thousandths come from the low 16
// bits of the truncated value x 1000, which the device expects; the delays
// and Q values sent stay below 65.536, where this is the plain fraction.
constexpr SplitValue splitThousandths(float value)
{
    const std::int32_t whole = truncToInt(value);
    const std::uint16_t low16 = static_cast<std::uint16_t>(truncToInt(value * 1000.0f));
    return {whole, static_cast<std::int32_t>(low16 % 1000)};
}

// A duration in milliseconds as whole seconds and tenths of a second; exact
// in integers, where the float route would misjudge e.g. 700 ms.
constexpr SplitValue splitMillisecondsAsSecondTenths(std::uint32_t ms)
{
    return {static_cast<std::int32_t>(ms / 1000), static_cast<std::int32_t>((ms / 100) % 10)};
}

// An equaliser gain of -18..+13.9 dB travels offset by +18 dB: the whole
// offset in the low 5 bits of a byte whose top 3 bits carry the band type,
// then the offset's tenths digit in a byte of its own.
struct EqGainBytes {
    std::uint8_t typeAndGain = 0;
    std::uint8_t tenths = 0;
    friend constexpr bool operator==(const EqGainBytes&, const EqGainBytes&) = default;
};

inline constexpr float kEqGainOffsetDb = 18.0f;

constexpr EqGainBytes encodeEqGain(float gainDb, int bandType)
{
    const float offset = gainDb + kEqGainOffsetDb;
    const std::int32_t whole = truncToInt(offset);
    const std::int32_t tenths = truncToInt(offset * 10.0f) % 10;
    return {static_cast<std::uint8_t>(((bandType & 0x07) << 5) | (whole & 0x1F)), static_cast<std::uint8_t>(tenths)};
}

} // namespace dravo
