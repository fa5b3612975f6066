#pragma once
// The registered language tables and the one translation step that every
// displayed text passes through.
//
// A text that begins with "${" is an id and is looked up, whole, in the
// current language. An id the table lacks is asked of the text provider once; its answer, even
// an empty one, is kept so the question is not asked again. When nothing is
// found the text is shown as written. "{\n}" in a value (brace, backslash, n,
// brace) becomes a line break.
#include "LanguageFile.h"

#include <QString>

#include <functional>

namespace dravo {

inline constexpr int kMaxLanguages = 3;

// Reads `file` from the skin and registers it under `name`. False when the
// file is missing or cannot be parsed, or three languages are registered.
bool RegisterLanguage(const QString& file, const QString& name);
bool RegisterLanguageTable(const LanguageTable& table, const QString& name);

// Makes a registered language current; false for an unknown name. Until a
// language is chosen the first registered one is current.
bool SetLanguage(const QString& name);
QString CurrentLanguage();

using TextProvider = std::function<QString(const QString& id)>;
void SetTextProvider(TextProvider provider);

QString GetText(const QString& text);

// Drops every table and the provider (end of the program; tests).
void ReleaseLanguages();

} // namespace dravo
