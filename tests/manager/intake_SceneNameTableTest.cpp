#include "SceneNameTable.h"

#include <gtest/gtest.h>

#include <string>

namespace dravo {
namespace {

SceneNameField fieldOf(std::u16string units)
{
    SceneNameField field{};
    for (std::size_t i = 0; i < units.size() && 2 * i + 1 < field.size(); ++i) {
        field[2 * i] = static_cast<std::uint8_t>(units[i] & 0xFF);
        field[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
    }
    return field;
}

SceneNameField bytesOf(const std::string& text)
{
    SceneNameField field{};
    std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
    return field;
}

TEST(SceneNameTable, FieldIsSevenUtf16UnitsAndATerminator)
{
    struct Case {
        const char* what;
        std::string typed;
        std::u16string held;
        std::string shown;
    };
    const Case cases[] = {
        {"ascii", "Live", u"Live", "Live"},
        {"cut to seven", "Saturday night", u"Saturda", "Saturda"},
        {"non-ascii", "Bühne", u"Bühne", "Bühne"},
        {"cut before a split pair", "abcdef\U0001F3B5", u"abcdef", "abcdef"},
        {"pair kept whole", "abcde\U0001F3B5", u"abcde\U0001F3B5", "abcde\U0001F3B5"},
        {"empty", "", u"", ""},
    };
    for (const Case& c : cases) {
        SceneNameTable table;
        table.setText(4, c.typed);
        EXPECT_EQ(table.field(4), fieldOf(c.held)) << c.what;
        EXPECT_EQ(table.text(4), c.shown) << c.what;
        EXPECT_EQ(table.isEmpty(4), c.shown.empty()) << c.what;
    }
}

TEST(SceneNameTable, DeviceBytesBothWays)
{
    struct Case {
        const char* what;
        std::string received;
        std::string shown;
        std::string sentBack;
    };
    const Case cases[] = {
        {"ascii up to the first zero", std::string("Jazz\0xyz", 8), "Jazz", "Jazz"},
        {"utf-8", "Bühne", "Bühne", "Bühne"},
        {"not utf-8: one character per byte", "B\xFChne", "Bühne", "Bühne"},
        {"sixteen bytes, no terminator", "ABCDEFGHIJKLMNOP", "ABCDEFG", "ABCDEFG"},
        {"three-byte characters", "\xE5\xA3\xB0\xE9\x9F\xB3\xE5\xA3\xB0\xE9\x9F\xB3",
         "\xE5\xA3\xB0\xE9\x9F\xB3\xE5\xA3\xB0\xE9\x9F\xB3", "\xE5\xA3\xB0\xE9\x9F\xB3\xE5\xA3\xB0\xE9\x9F\xB3"},
    };
    for (const Case& c : cases) {
        SceneNameTable table;
        const SceneNameField raw = bytesOf(c.received);
        table.setFromDevice(1, std::span<const char>(reinterpret_cast<const char*>(raw.data()), raw.size()));
        EXPECT_EQ(table.text(1), c.shown) << c.what;
        EXPECT_EQ(table.deviceBytes(1), bytesOf(c.sentBack)) << c.what;
    }

    // Seven three-byte characters do not fit sixteen bytes: five whole ones go.
    SceneNameTable table;
    table.setText(0, "\xE5\xA3\xB0\xE5\xA3\xB0\xE5\xA3\xB0\xE5\xA3\xB0\xE5\xA3\xB0\xE5\xA3\xB0\xE5\xA3\xB0");
    EXPECT_EQ(table.deviceBytes(0), bytesOf("\xE5\xA3\xB0\xE5\xA3\xB0\xE5\xA3\xB0\xE5\xA3\xB0\xE5\xA3\xB0"));
}

TEST(SceneNameTable, ProfileFieldRoundTripsByteForByteAndBadSlotsAreInert)
{
    SceneNameTable table;
    // A field read from a profile may use all sixteen bytes.
    const SceneNameField full = fieldOf(u"ABCDEFGH");
    table.setField(9, full);
    EXPECT_EQ(table.field(9), full);
    EXPECT_EQ(table.text(9), "ABCDEFGH");

    for (const int slot : {-1, 10}) {
        table.setText(slot, "Ghost");
        table.setField(slot, full);
        EXPECT_TRUE(table.isEmpty(slot));
        EXPECT_EQ(table.text(slot), "");
        EXPECT_EQ(table.deviceBytes(slot), SceneNameField{});
    }
    table.clear(9);
    EXPECT_TRUE(table.isEmpty(9));
}

} // namespace
} // namespace dravo
