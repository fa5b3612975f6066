#pragma once
// Makes the layout loader build a UIEqualizer for every "Curve" element.
// Called once at start, after InitToolkit() and before the first layout is
// loaded; calling it again changes nothing.
namespace dravo {

void RegisterCurveControls();

} // namespace dravo
