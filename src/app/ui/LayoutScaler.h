#pragma once
// Layouts are drawn at 100 %; this brings a freshly loaded widget tree to the
// display scale: placed geometry, size limits, layout margins, spacing and
// spacers, explicitly set fonts and the pixel values of style sheets.
class QWidget;

namespace dravo {

class DisplayScale;

// Run once per loaded tree; running it twice scales twice.
void ScaleWidgetTree(QWidget* root, const DisplayScale& scale);

} // namespace dravo
