#pragma once
// The arithmetic of layout templates: integer expressions over named values,
// so a repeated control can say where it sits ("8 + c * 95") instead of
// every copy spelling out its own numbers.
//
//   numbers, names, ( ), unary -, * / %, + -, < <= > >= == !=, && ||
//   min(a, b, ...), max(a, b, ...), pick(i, v0, v1, ...)  (the i-th of the list)
#include <map>
#include <optional>
#include <string>

namespace dravo::layoutgen {

using Values = std::map<std::string, long long>;

struct ExpressionResult {
    std::optional<long long> value;
    std::string error; // why there is no value
};

ExpressionResult evaluate(const std::string& expression, const Values& values);

// Replaces every "{{expression}}" in `text` by its value. On a bad
// expression returns nothing and says why in `error`.
std::optional<std::string> substitute(const std::string& text, const Values& values, std::string& error);

} // namespace dravo::layoutgen
