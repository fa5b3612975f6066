#pragma once
// The skin's resource index: which layout file a window's layout id names.
//
//   <Resources>
//     <Layout id="XML_MSG" file="xml/msg.xml"/>
//   </Resources>
#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace dravo {

using ResourceIndex = QHash<QString, QString>;

// Nothing when the text is not well-formed XML. Element names are compared
// without regard to case; a Layout without both attributes is skipped.
std::optional<ResourceIndex> ParseResourceIndex(const QByteArray& xml);

} // namespace dravo
