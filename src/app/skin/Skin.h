#pragma once
// The skin the program carries: one encrypted zip archive of layouts,
// pictures and language files, compiled into the program as the resource
// ":/ZIPRES/IDR_ZIPRES", and its resource index "xml\res.xml".
//
// Loaded once at start and released at the end. Without it the program still
// runs; its windows just have no layouts.
#include <QByteArray>
#include <QPixmap>
#include <QString>

#include <optional>

namespace dravo {

inline constexpr const char* kSkinResource = ":/ZIPRES/IDR_ZIPRES";
inline constexpr const char* kResourceIndexMember = "xml\\res.xml";

// Opens the carried archive and its index. False (and logged) when the
// resource is missing or empty, or the archive or index cannot be read.
bool LoadSkin();
// The same for archive bytes from elsewhere (tests, a skin under work).
bool LoadSkinFrom(const QByteArray& archive, const QByteArray& password);
// Releases the archive, the index and the pictures taken from it.
void ReleaseSkin();
bool SkinLoaded();

// A member of the archive by path ("lan/lan_en.xml", "xml\msg.xml").
std::optional<QByteArray> ReadSkinFile(const QString& path);

// The layout file that a layout id ("XML_MSG") names; a path given instead of
// an id is returned as it is. Empty for an unknown id.
QString LayoutFileFor(const QString& idOrPath);

// A picture at the current display scale: the variant of that scale, else
// the plain one scaled. A null pixmap when the skin has neither.
QPixmap SkinImage(const QString& name);

} // namespace dravo
