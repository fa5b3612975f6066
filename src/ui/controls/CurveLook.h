#pragma once
// How the curve graph looks: its fixed colours, the per-output curve colours
// and the text style a layout may give it. A layout sets these as properties
// of the "Curve" element:
//
//   curvecolor   "#AARRGGBB #AARRGGBB ..." colour of output i's curve is
//                entry i (at most 12; six digits mean an opaque colour)
//   curvelogo    skin picture drawn in place of the all-bypass text
//   bypassfont   font of the all-bypass text, at 100 %
//   bkcolor      background "#AARRGGBB"
//   align, valign, endellipsis, wordbreak, noprefix
//                style of every label, as for a text label
//   textcolor, disabledtextcolor, textpadding, autocalcwidth
//                kept, not used by the graph
//
// The labels' font is the control's own font ("font" of the layout).
#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>

#include <array>
#include <optional>

namespace dravo {

namespace curve_colors {
inline constexpr QRgb kGrid = 0xFF444444;
inline constexpr QRgb kCurrentCurve = 0xFF00C000;
inline constexpr QRgb kOtherCurve = 0xFF646464;
inline constexpr QRgb kBypassText = 0x77777777;
inline constexpr QRgb kSelected = 0xFFFF0000;
inline constexpr QRgb kLabel = 0xFFFFFFFF;
inline constexpr QRgb kBackground = 0xFF15181C;
} // namespace curve_colors

using CurveColors = std::array<std::optional<QRgb>, 12>;

// "#FF00C000 #FFFF0000": one entry per "#"; an entry that is not a colour
// leaves its output without one (later entries keep their outputs).
CurveColors parseCurveColors(const QString& text);

// "#AARRGGBB" or "#RRGGBB"; nothing for anything else.
std::optional<QRgb> parseArgb(const QString& text);

struct CurveLook {
    CurveColors curveColors{};
    QString logo;
    std::optional<QFont> bypassFont;
    std::optional<QRgb> background;
    int textFlags = kDefaultTextFlags;
    bool endEllipsis = false;
    bool noPrefix = false;
    // Kept for the layout's sake only.
    QString textColor;
    QString disabledTextColor;
    QString textPadding;
    bool autoCalcWidth = false;

    static constexpr int kDefaultTextFlags = int(Qt::AlignHCenter) | int(Qt::AlignVCenter) | int(Qt::TextSingleLine);

    // Takes one layout property; false when the graph does not read it.
    bool apply(const QByteArray& name, const QVariant& value);

    // Channel i's pen colour, the current one's default differing.
    QColor curveColor(int channel, bool current) const;
    bool hasCurveColor(int channel) const;
};

} // namespace dravo
