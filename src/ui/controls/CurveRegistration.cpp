#include "CurveRegistration.h"

#include "CustomWidgets.h"
#include "UIEqualizer.h"

namespace dravo {

void RegisterCurveControls()
{
    RegisterCustomWidget(QString::fromLatin1(UIEqualizer::kElementName),
                         [](QWidget* parent) { return new UIEqualizer(parent); });
}

} // namespace dravo
