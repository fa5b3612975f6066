#pragma once
// Every displayed text passes through GetText. A control whose text was a
// ${...} id keeps that id in a dynamic property beside the text, so that a
// language switch can fetch every text anew without reopening a window.
#include <QString>

class QObject;

namespace dravo {

// Translates the ${...} texts of `root` and everything below it (controls,
// menu actions, combo box items) and remembers their ids.
void TranslateTree(QObject* root);

// Shows `text` through GetText on `property` ("text", "title", "toolTip",
// "windowTitle", "placeholderText") and remembers it when it is an id, or
// forgets an earlier id when it is not.
void SetUiText(QObject* object, const QString& text, const char* property = "text");

// The id a property was last given; empty when its text is not an id.
QString UiTextId(const QObject* object, const char* property = "text");

// Fetches every remembered text of every window again and repaints them.
void RetranslateAll();

} // namespace dravo
