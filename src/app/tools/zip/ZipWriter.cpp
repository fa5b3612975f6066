#include "ZipWriter.h"

#include <algorithm>
#include <array>

#include <zlib.h>

namespace dravo::zip {
namespace {

constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
constexpr std::uint16_t kVersionNeeded = 20;
constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kFlagUtf8Names = 0x0800;
constexpr std::uint16_t kDosTime = 0;          // 00:00:00
constexpr std::uint16_t kDosDate = (1 << 5) | 1; // 1980-01-01
constexpr std::size_t kCipherHeaderSize = 12;

constexpr std::array<std::uint32_t, 256> makeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr auto kCrcTable = makeCrcTable();

std::uint32_t crcByte(std::uint32_t crc, std::uint8_t b)
{
    return kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

// Raw deflate (no zlib header), as zip stores it. Empty when it fails.
bool deflateRaw(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out)
{
    z_stream zs{};
    if (deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    out.resize(deflateBound(&zs, static_cast<uLong>(in.size())));
    zs.next_in = const_cast<Bytef*>(in.data());
    zs.avail_in = static_cast<uInt>(in.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return rc == Z_STREAM_END;
}

} // namespace

TraditionalCipher::TraditionalCipher(const std::string& password)
    : mKeys{0x12345678u, 0x23456789u, 0x34567890u}
{
    for (const char c : password)
        update(static_cast<std::uint8_t>(c));
}

std::uint8_t TraditionalCipher::keyStream() const
{
    const std::uint16_t temp = static_cast<std::uint16_t>(mKeys[2] | 2);
    return static_cast<std::uint8_t>((temp * (temp ^ 1)) >> 8);
}

void TraditionalCipher::update(std::uint8_t plain)
{
    mKeys[0] = crcByte(mKeys[0], plain);
    mKeys[1] = (mKeys[1] + (mKeys[0] & 0xFF)) * 134775813u + 1;
    mKeys[2] = crcByte(mKeys[2], static_cast<std::uint8_t>(mKeys[1] >> 24));
}

std::uint8_t TraditionalCipher::encrypt(std::uint8_t plain)
{
    const std::uint8_t c = plain ^ keyStream();
    update(plain);
    return c;
}

std::uint8_t TraditionalCipher::decrypt(std::uint8_t cipher)
{
    const std::uint8_t plain = cipher ^ keyStream();
    update(plain);
    return plain;
}

bool ZipWriter::add(const std::string& name, const std::vector<std::uint8_t>& data)
{
    if (name.empty() || name.size() > 0xFFFF || data.size() > 0x7FFFFFFFu || mMembers.size() >= 0xFFFF)
        return false;
    if (std::any_of(mMembers.begin(), mMembers.end(), [&](const Member& m) { return m.name == name; }))
        return false;

    Member m;
    m.name = name;
    m.size = static_cast<std::uint32_t>(data.size());
    m.crc = static_cast<std::uint32_t>(crc32(0L, data.data(), static_cast<uInt>(data.size())));

    std::vector<std::uint8_t> packed;
    if (deflateRaw(data, packed) && packed.size() < data.size()) {
        m.method = kMethodDeflated;
    } else {
        m.method = kMethodStored;
        packed = data;
    }

    if (mPassword.empty()) {
        m.stored = std::move(packed);
    } else {
        TraditionalCipher cipher(mPassword);
        m.stored.reserve(kCipherHeaderSize + packed.size());
        // The header's first eleven bytes only have to differ between
        // members; the last one is the check byte readers test the password
        // against (high byte of the CRC).
        std::uint32_t seed = m.crc ^ static_cast<std::uint32_t>(mMembers.size() * 2654435761u);
        for (std::size_t i = 0; i + 1 < kCipherHeaderSize; ++i) {
            seed = seed * 1103515245u + 12345u;
            m.stored.push_back(cipher.encrypt(static_cast<std::uint8_t>(seed >> 16)));
        }
        m.stored.push_back(cipher.encrypt(static_cast<std::uint8_t>(m.crc >> 24)));
        for (const std::uint8_t b : packed)
            m.stored.push_back(cipher.encrypt(b));
    }
    mMembers.push_back(std::move(m));
    return true;
}

std::vector<std::uint8_t> ZipWriter::finish() const
{
    const std::uint16_t flags = kFlagUtf8Names | (mPassword.empty() ? 0 : kFlagEncrypted);
    std::vector<std::uint8_t> out;
    std::vector<std::uint32_t> offsets;

    for (const Member& m : mMembers) {
        offsets.push_back(static_cast<std::uint32_t>(out.size()));
        put32(out, 0x04034b50);
        put16(out, kVersionNeeded);
        put16(out, flags);
        put16(out, m.method);
        put16(out, kDosTime);
        put16(out, kDosDate);
        put32(out, m.crc);
        put32(out, static_cast<std::uint32_t>(m.stored.size()));
        put32(out, m.size);
        put16(out, static_cast<std::uint16_t>(m.name.size()));
        put16(out, 0);
        out.insert(out.end(), m.name.begin(), m.name.end());
        out.insert(out.end(), m.stored.begin(), m.stored.end());
    }

    const auto directoryStart = static_cast<std::uint32_t>(out.size());
    for (std::size_t i = 0; i < mMembers.size(); ++i) {
        const Member& m = mMembers[i];
        put32(out, 0x02014b50);
        put16(out, kVersionNeeded); // made by: MS-DOS attributes, version 2.0
        put16(out, kVersionNeeded);
        put16(out, flags);
        put16(out, m.method);
        put16(out, kDosTime);
        put16(out, kDosDate);
        put32(out, m.crc);
        put32(out, static_cast<std::uint32_t>(m.stored.size()));
        put32(out, m.size);
        put16(out, static_cast<std::uint16_t>(m.name.size()));
        put16(out, 0); // extra
        put16(out, 0); // comment
        put16(out, 0); // disk
        put16(out, 0); // internal attributes
        put32(out, 0); // external attributes
        put32(out, offsets[i]);
        out.insert(out.end(), m.name.begin(), m.name.end());
    }
    const auto directorySize = static_cast<std::uint32_t>(out.size()) - directoryStart;

    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(mMembers.size()));
    put16(out, static_cast<std::uint16_t>(mMembers.size()));
    put32(out, directorySize);
    put32(out, directoryStart);
    put16(out, 0);
    return out;
}

} // namespace dravo::zip
