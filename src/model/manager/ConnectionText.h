#pragma once
// Fills a translated text with values. The language tables carry printf-like
// placeholders ("%s", "%ls", "%d"), but a table is data, not code: handing it
// to printf as a format would let a stray or extra placeholder read past the
// arguments. Here each placeholder takes the next given value as text; one
// without a value is dropped, "%%" is a percent sign.
#include <initializer_list>
#include <string>
#include <string_view>

namespace dravo {

std::string fillPlaceholders(std::string_view text, std::initializer_list<std::string_view> values);

} // namespace dravo
