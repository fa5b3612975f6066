#include "SkinArchive.h"

#include "Log.h"

#include <zip.h>

namespace dravo {
namespace {

// The skin holds layouts and pictures of a few kilobytes; anything this large
// is a damaged directory entry, not a member worth allocating for.
constexpr zip_uint64_t kMaxMemberSize = 64u * 1024 * 1024;

QByteArray memberName(const QString& member)
{
    QString name = member;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (name.startsWith(QLatin1String("./")))
        name.remove(0, 2);
    return name.toUtf8();
}

} // namespace

SkinArchive::~SkinArchive()
{
    close();
}

bool SkinArchive::open(const QByteArray& bytes, const QByteArray& password)
{
    close();
    std::lock_guard lock(mMutex);
    if (bytes.isEmpty())
        return false;
    mBytes = bytes;
    mPassword = password;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(mBytes.constData(), static_cast<zip_uint64_t>(mBytes.size()), 0, &error);
    if (source)
        mZip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!mZip) {
        LogWrite("skin archive cannot be opened: %s\n", zip_error_strerror(&error));
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        mBytes.clear();
        return false;
    }
    zip_error_fini(&error);
    return true;
}

void SkinArchive::close()
{
    std::lock_guard lock(mMutex);
    if (mZip)
        zip_discard(mZip);
    mZip = nullptr;
    mBytes.clear();
    mPassword.clear();
}

bool SkinArchive::isOpen() const
{
    std::lock_guard lock(mMutex);
    return mZip != nullptr;
}

bool SkinArchive::contains(const QString& member) const
{
    std::lock_guard lock(mMutex);
    return mZip && zip_name_locate(mZip, memberName(member).constData(), ZIP_FL_NOCASE) >= 0;
}

std::optional<QByteArray> SkinArchive::read(const QString& member) const
{
    std::lock_guard lock(mMutex);
    if (!mZip)
        return std::nullopt;
    const QByteArray name = memberName(member);
    const zip_int64_t index = zip_name_locate(mZip, name.constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return std::nullopt;
    zip_stat_t st;
    if (zip_stat_index(mZip, static_cast<zip_uint64_t>(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        st.size > kMaxMemberSize) {
        LogWrite("skin member %s has no usable size\n", name.constData());
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen_index_encrypted(mZip, static_cast<zip_uint64_t>(index), 0,
                                                 mPassword.isEmpty() ? nullptr : mPassword.constData());
    if (!file) {
        LogWrite("skin member %s cannot be opened: %s\n", name.constData(), zip_strerror(mZip));
        return std::nullopt;
    }
    QByteArray data(static_cast<qsizetype>(st.size), Qt::Uninitialized);
    zip_int64_t got = 0;
    while (got < data.size()) {
        const zip_int64_t n = zip_fread(file, data.data() + got, static_cast<zip_uint64_t>(data.size() - got));
        if (n <= 0)
            break;
        got += n;
    }
    // Reading on to the end lets libzip compare the CRC, which is what tells
    // a wrong password from a right one when the check byte happens to pass.
    char extra;
    const bool atEnd = got == data.size() && zip_fread(file, &extra, 1) == 0;
    const bool failed = !atEnd;
    if (failed)
        LogWrite("skin member %s cannot be read: %s\n", name.constData(), zip_file_strerror(file));
    zip_fclose(file);
    if (failed)
        return std::nullopt;
    return data;
}

} // namespace dravo
