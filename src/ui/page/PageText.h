#pragma once
// Texts the tuning logic puts on the page may be a language id ("${off}"),
// or carry ids inside them ("${soft_version} v6.8.16"); every id is shown
// in the current language.
#include <QString>

namespace dravo {

// The text as shown: each "${...}" in it through GetText.
QString DisplayedText(const QString& text);

// Whether the whole text is one language id.
bool IsLanguageId(const QString& text);

} // namespace dravo
