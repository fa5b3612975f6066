#pragma once
// Builds widgets from the skin's layouts (Qt Designer documents) and prepares
// them for display: ${...} texts translated, skin pictures set, everything
// scaled to the display scale.
//
// Pictures are named by dynamic properties on a control, as paths inside the
// skin: "image" (a label's picture, a button's icon), "hotimage" (under the
// mouse), "selectedimage" (a checked button), "disabledimage".
#include <QString>

class QMenu;
class QWidget;

namespace dravo {

// Loads the layout that `idOrPath` names ("XML_MSG" or "xml/output_menu.xml")
// as a child of `parent`. Nothing (logged) when the skin lacks it or it does
// not parse.
QWidget* LoadLayout(const QString& idOrPath, QWidget* parent = nullptr);

// Loads a layout into `container` (filling it) for sub-layouts such as the
// channel page; returns the new widget.
QWidget* LoadLayoutInto(QWidget* container, const QString& idOrPath);

// Loads a menu layout; its items are actions named as in the layout, each
// with its "userdata" property.
QMenu* LoadMenuLayout(const QString& path, QWidget* parent = nullptr);

// Gives a whole window the skin's style sheet at the current display scale.
void ApplySkinTheme(QWidget* window);

// Sets a skin picture on a label or button later on.
void SetSkinImage(QWidget* control, const QString& imageName);

} // namespace dravo
