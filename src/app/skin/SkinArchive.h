#pragma once
// Read access to one zip archive held in memory, whose members may be
// encrypted with the traditional zip cipher. Member names may be written the
// Windows way ("xml\res.xml") and in any case; both find "xml/res.xml".
#include <QByteArray>
#include <QString>

#include <mutex>
#include <optional>

struct zip;

namespace dravo {

class SkinArchive {
public:
    SkinArchive() = default;
    ~SkinArchive();
    SkinArchive(const SkinArchive&) = delete;
    SkinArchive& operator=(const SkinArchive&) = delete;

    // Opens `bytes` (kept alive by this object). False for an empty or
    // damaged archive; the object then stays closed.
    bool open(const QByteArray& bytes, const QByteArray& password);
    void close();
    bool isOpen() const;

    bool contains(const QString& member) const;
    // The member's content; nothing when it is missing, the password is
    // wrong or the data is damaged (each logged).
    std::optional<QByteArray> read(const QString& member) const;

private:
    QByteArray mBytes;
    QByteArray mPassword;
    zip* mZip = nullptr;
    mutable std::mutex mMutex; // libzip handles are not safe across threads
};

} // namespace dravo
