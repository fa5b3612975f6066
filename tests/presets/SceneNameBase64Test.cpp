#include "Base64.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace dravo {
namespace {

using Field = std::array<std::uint8_t, 16>;

TEST(SceneNameBase64, SixteenBytesAreTwentyFourCharactersAndComeBackByteForByte)
{
    const Field name = {0x53, 0, 0x75, 0, 0x62, 0, 0, 0, 0, 0, 0xFF, 0x00, 0x10, 0x80, 0, 0x3E};
    const std::string text = base64Encode(name);
    EXPECT_EQ(text.size(), 24u);
    EXPECT_EQ(text.substr(22), "==");
    Field back{};
    EXPECT_EQ(base64DecodeInto(text, back), 16u);
    EXPECT_EQ(back, name);
}

TEST(SceneNameBase64, KnownTextsOfEveryPaddingLength)
{
    const struct {
        std::string plain;
        std::string encoded;
    } cases[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xff\xfe", "//4="}};
    for (const auto& c : cases) {
        const std::span bytes(reinterpret_cast<const std::uint8_t*>(c.plain.data()), c.plain.size());
        EXPECT_EQ(base64Encode(bytes), c.encoded) << c.plain;
        Field out{};
        EXPECT_EQ(base64DecodeInto(c.encoded, out), c.plain.size()) << c.encoded;
        EXPECT_EQ(std::string(out.begin(), out.begin() + static_cast<long>(c.plain.size())), c.plain);
    }
}

TEST(SceneNameBase64, DecodingSkipsForeignCharactersClearsTheFieldAndStopsWhenItIsFull)
{
    Field out;
    out.fill(0xAA);
    EXPECT_EQ(base64DecodeInto("Zm\n9v*Yg", out), 4u);
    EXPECT_EQ(std::string(out.begin(), out.begin() + 4), "foob");
    EXPECT_EQ(out[4], 0);
    EXPECT_EQ(out[15], 0);

    // 18 bytes of "A" encoded; only 16 fit.
    EXPECT_EQ(base64DecodeInto("QUFBQUFBQUFBQUFBQUFBQUFB", out), 16u);
    EXPECT_EQ(out[15], 'A');
}

} // namespace
} // namespace dravo
