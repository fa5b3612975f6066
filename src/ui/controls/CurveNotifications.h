#pragma once
// The notifications the curve display sends while a handle is dragged, and
// what each one asks of its owner: which value was dragged (0 = a band with
// its frequency, gain and Q; 1 = the high-pass handle; 2 = the low-pass
// handle) and whether the drag has ended.
#include <QString>

#include <optional>

namespace dravo {

namespace curve_notify {
inline constexpr const char* kEq = "equalizer_eq";
inline constexpr const char* kEqRelease = "equalizer_eq_release";
inline constexpr const char* kHp = "equalizer_hp";
inline constexpr const char* kHpRelease = "equalizer_hp_release";
inline constexpr const char* kLp = "equalizer_lp";
inline constexpr const char* kLpRelease = "equalizer_lp_release";
} // namespace curve_notify

struct CurveNotice {
    const char* type;
    int cmd;     // 0 band, 1 high-pass, 2 low-pass
    bool final;  // the mouse was let go
};

inline constexpr CurveNotice kCurveNotices[] = {
    {curve_notify::kEq, 0, false},        {curve_notify::kEqRelease, 0, true},
    {curve_notify::kHp, 1, false},        {curve_notify::kHpRelease, 1, true},
    {curve_notify::kLp, 2, false},        {curve_notify::kLpRelease, 2, true},
};

// The row for a notification type; nothing for any other type.
inline std::optional<CurveNotice> findCurveNotice(const QString& type)
{
    for (const CurveNotice& notice : kCurveNotices)
        if (type == QLatin1String(notice.type))
            return notice;
    return std::nullopt;
}

} // namespace dravo
