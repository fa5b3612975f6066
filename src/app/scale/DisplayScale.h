#pragma once
// The display scale applied to layouts: coordinates and sizes, fonts, style
// sheet pixel values, and which size of a picture to load.
#include <QFont>
#include <QMargins>
#include <QRect>
#include <QString>

namespace dravo {

class DisplayScale {
public:
    static constexpr int kBaseDpi = 96;

    explicit DisplayScale(int dpi = kBaseDpi);

    int dpi() const { return mDpi; }
    double factor() const { return mDpi / double(kBaseDpi); }

    int scale(int value) const;
    QSize scale(const QSize& size) const;
    QRect scale(const QRect& rect) const;
    QMargins scale(const QMargins& margins) const;
    QFont scale(const QFont& font) const;

    // Every "<number>px" of a style sheet, scaled.
    QString scaleStyleSheet(const QString& styleSheet) const;

    int imagePercent() const;
    // "sysbtn/close.png" -> "sysbtn/close@150.png" at DPI 144; unchanged at 96.
    QString imageVariant(const QString& imageName) const;

private:
    int mDpi;
};

// The scale the program runs with; 96 until the main window chooses one.
const DisplayScale& CurrentDisplayScale();
void SetCurrentDisplayScale(const DisplayScale& scale);

} // namespace dravo
