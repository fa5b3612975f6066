#pragma once
// The names of the amplifier's ten stored scenes. Each slot holds a 16-byte
// field: a zero-terminated UTF-16LE name of at most seven characters,
// zero-filled. Profile files carry that field byte for byte. The amplifier
// keeps its names as up to 16 bytes of narrow text; this program speaks
// UTF-8 to it.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace dravo {

inline constexpr int kSceneNameSlots = 10;
inline constexpr int kSceneNameFieldBytes = 16;
inline constexpr int kSceneNameMaxChars = 7;  // UTF-16 units, terminator not counted

using SceneNameField = std::array<std::uint8_t, kSceneNameFieldBytes>;

class SceneNameTable {
public:
    // Slot k (0..9) names scene k + 1. Slots outside 0..9 read as empty and
    // ignore writes.
    const SceneNameField& field(int slot) const;
    void setField(int slot, const SceneNameField& field);

    bool isEmpty(int slot) const;
    void clear(int slot);

    // The name as UTF-8 text.
    std::string text(int slot) const;
    // Cut to seven UTF-16 units without splitting a character.
    void setText(int slot, std::string_view utf8);

    // The amplifier's bytes, up to the first zero. Bytes that are not UTF-8
    // are read one character per byte (Latin-1), so nothing is refused.
    void setFromDevice(int slot, std::span<const char> bytes);
    // The name as the amplifier keeps it: UTF-8 cut to 16 bytes at a
    // character boundary, zero-filled.
    SceneNameField deviceBytes(int slot) const;

private:
    std::array<SceneNameField, kSceneNameSlots> mSlots{};
};

} // namespace dravo
