#include "SceneNameTable.h"

#include <QString>
#include <QStringDecoder>

#include <algorithm>

namespace dravo {
namespace {

bool validSlot(int slot)
{
    return slot >= 0 && slot < kSceneNameSlots;
}

const SceneNameField kEmptyField{};

std::u16string unitsOf(const SceneNameField& field)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < field.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(field[i] | field[i + 1] << 8);
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    return units;
}

} // namespace

const SceneNameField& SceneNameTable::field(int slot) const
{
    return validSlot(slot) ? mSlots[static_cast<std::size_t>(slot)] : kEmptyField;
}

void SceneNameTable::setField(int slot, const SceneNameField& field)
{
    if (validSlot(slot))
        mSlots[static_cast<std::size_t>(slot)] = field;
}

bool SceneNameTable::isEmpty(int slot) const
{
    return unitsOf(field(slot)).empty();
}

void SceneNameTable::clear(int slot)
{
    setField(slot, kEmptyField);
}

std::string SceneNameTable::text(int slot) const
{
    return QString::fromStdU16String(unitsOf(field(slot))).toStdString();
}

void SceneNameTable::setText(int slot, std::string_view utf8)
{
    if (!validSlot(slot))
        return;
    std::u16string units = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
    if (const auto zero = units.find(u'\0'); zero != std::u16string::npos)
        units.resize(zero);
    if (units.size() > kSceneNameMaxChars) {
        units.resize(kSceneNameMaxChars);
        // A pair cut in half would leave a lone surrogate.
        if (QChar::isHighSurrogate(units.back()))
            units.pop_back();
    }
    SceneNameField out{};
    for (std::size_t i = 0; i < units.size(); ++i) {
        out[2 * i] = static_cast<std::uint8_t>(units[i] & 0xFF);
        out[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
    }
    mSlots[static_cast<std::size_t>(slot)] = out;
}

void SceneNameTable::setFromDevice(int slot, std::span<const char> bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), '\0');
    const QByteArrayView raw(bytes.data(), static_cast<qsizetype>(end - bytes.begin()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString name = utf8(raw);
    if (utf8.hasError())
        name = QString::fromLatin1(raw);
    setText(slot, name.toStdString());
}

SceneNameField SceneNameTable::deviceBytes(int slot) const
{
    const std::string utf8 = text(slot);
    std::size_t length = std::min(utf8.size(), static_cast<std::size_t>(kSceneNameFieldBytes));
    // Back up to the start of a character if the cut fell inside one.
    if (length < utf8.size())
        while (length > 0 && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80)
            --length;
    SceneNameField out{};
    std::copy_n(utf8.begin(), length, out.begin());
    return out;
}

} // namespace dravo
