#include "ConnectionText.h"

#include <cctype>
#include <cstring>

namespace dravo {

std::string fillPlaceholders(std::string_view text, std::initializer_list<std::string_view> values)
{
    std::string out;
    const std::string_view* next = values.begin();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        if (text[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // Flags, width, precision and length letters, then the conversion.
        std::size_t j = i + 1;
        while (j < text.size() && (std::strchr("-+ #0.123456789lhzjtL", text[j]) != nullptr))
            ++j;
        if (j >= text.size() || !std::isalpha(static_cast<unsigned char>(text[j]))) {
            out += text[i];
            continue;
        }
        if (next != values.end())
            out += *next++;
        i = j;
    }
    return out;
}

} // namespace dravo
