#pragma once
// A language file: every element named "Text" (in any case) with both an
// "id" and a "value" attribute gives one entry; a later entry for the same id
// replaces an earlier one; everything else is ignored.
//
//   <Language>
//     <Text id="${tips}" value="Notice"/>
//   </Language>
#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace dravo {

using LanguageTable = QHash<QString, QString>;

// Nothing when the document is not well-formed XML.
std::optional<LanguageTable> ParseLanguageFile(const QByteArray& xml);

} // namespace dravo
