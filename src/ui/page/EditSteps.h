#pragma once
// Numeric edit boxes of the page step their value with two small arrows at
// their right edge (always there, or only while the mouse is over the box)
// and with the mouse wheel while they have the keyboard focus. A step is
// handed to the box as the Up or Down key, so it reaches the page as the
// same notification as the keyboard's.
class QLineEdit;

namespace dravo {

enum class StepArrows { None, Always, OnHover };

// Adds the steps to `edit`; `arrows` says whether and when arrows show.
void AddEditSteps(QLineEdit* edit, StepArrows arrows);

} // namespace dravo
