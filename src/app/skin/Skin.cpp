#include "Skin.h"

#include "DisplayScale.h"
#include "Log.h"
#include "ResourceIndex.h"
#include "SkinArchive.h"
#include "SkinPassword.h"

#include <QFile>
#include <QHash>

namespace dravo {
namespace {

struct SkinState {
    SkinArchive archive;
    ResourceIndex index;
    QHash<QString, QPixmap> images; // by variant name
};

SkinState& state()
{
    static SkinState s;
    return s;
}

} // namespace

bool LoadSkin()
{
    QFile resource(QString::fromLatin1(kSkinResource));
    QByteArray bytes;
    if (resource.open(QIODevice::ReadOnly))
        bytes = resource.readAll();
    if (bytes.isEmpty()) {
        LogWrite("LoadSkin: no skin resource %s, windows will have no layouts\n", kSkinResource);
        ReleaseSkin();
        return false;
    }
    return LoadSkinFrom(bytes, kSkinPassword);
}

bool LoadSkinFrom(const QByteArray& archive, const QByteArray& password)
{
    ReleaseSkin();
    SkinState& s = state();
    if (!s.archive.open(archive, password)) {
        LogWrite("LoadSkin: skin archive unreadable, windows will have no layouts\n");
        return false;
    }
    const auto indexText = s.archive.read(QString::fromLatin1(kResourceIndexMember));
    const auto index = indexText ? ParseResourceIndex(*indexText) : std::nullopt;
    if (!index) {
        LogWrite("LoadSkin: resource index %s missing or damaged, windows will have no layouts\n",
                 kResourceIndexMember);
        s.archive.close();
        return false;
    }
    s.index = *index;
    LogWrite("LoadSkin: %d layouts\n", static_cast<int>(s.index.size()));
    return true;
}

void ReleaseSkin()
{
    SkinState& s = state();
    s.images.clear();
    s.index.clear();
    s.archive.close();
}

bool SkinLoaded()
{
    return state().archive.isOpen();
}

std::optional<QByteArray> ReadSkinFile(const QString& path)
{
    return state().archive.read(path);
}

QString LayoutFileFor(const QString& idOrPath)
{
    const SkinState& s = state();
    if (const auto it = s.index.constFind(idOrPath); it != s.index.constEnd())
        return it.value();
    if (idOrPath.contains(QLatin1Char('/')) || idOrPath.contains(QLatin1Char('\\')))
        return idOrPath;
    return {};
}

QPixmap SkinImage(const QString& name)
{
    if (name.isEmpty())
        return {};
    SkinState& s = state();
    const DisplayScale& scale = CurrentDisplayScale();
    const QString variant = scale.imageVariant(name);
    if (const auto it = s.images.constFind(variant); it != s.images.constEnd())
        return it.value();

    QPixmap pixmap;
    if (const auto bytes = s.archive.read(variant))
        pixmap.loadFromData(*bytes);
    if (pixmap.isNull() && variant != name) {
        if (const auto bytes = s.archive.read(name); bytes && pixmap.loadFromData(*bytes))
            pixmap = pixmap.scaled(scale.scale(pixmap.size()), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    if (pixmap.isNull())
        LogWrite("skin image %s missing\n", variant.toUtf8().constData());
    s.images.insert(variant, pixmap);
    return pixmap;
}

} // namespace dravo
