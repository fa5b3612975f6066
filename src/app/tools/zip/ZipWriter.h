#pragma once
// Writes a zip archive whose members are deflated and, when a password is
// given, encrypted with the traditional PKWARE cipher: the one form of
// encryption that the zip library we read with (libzip 1.7) understands and
// that Info-ZIP's unzip reads as well.
//
// The output is the same for the same input: member times are fixed and the
// cipher's header bytes are derived from the member, so a rebuilt skin does
// not change the program when its sources did not change.
#include <cstdint>
#include <string>
#include <vector>

namespace dravo::zip {

class ZipWriter {
public:
    explicit ZipWriter(std::string password = {}) : mPassword(std::move(password)) {}

    // Adds one member; names use "/" between folders. Returns false for an
    // empty name or one added before.
    bool add(const std::string& name, const std::vector<std::uint8_t>& data);

    // The whole archive, central directory included.
    std::vector<std::uint8_t> finish() const;

    std::size_t memberCount() const { return mMembers.size(); }

private:
    struct Member {
        std::string name;
        std::uint32_t crc = 0;
        std::uint32_t size = 0;
        std::uint16_t method = 0;
        std::vector<std::uint8_t> stored; // compressed, then encrypted
    };

    std::string mPassword;
    std::vector<Member> mMembers;
};

// The traditional cipher's running keys (APPNOTE 6.1), exposed for the tests.
class TraditionalCipher {
public:
    explicit TraditionalCipher(const std::string& password);
    std::uint8_t encrypt(std::uint8_t plain);
    std::uint8_t decrypt(std::uint8_t cipher);

private:
    std::uint8_t keyStream() const;
    void update(std::uint8_t plain);
    std::uint32_t mKeys[3];
};

} // namespace dravo::zip
