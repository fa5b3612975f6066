#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "ProductInfo.h"

namespace dravo {
namespace {

std::vector<std::string> ruleLines() {
    std::ifstream in(DRAVO_UDEV_RULE_FILE);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (line.find_first_not_of(" \t") != std::string::npos && line[line.find_first_not_of(" \t")] != '#')
            lines.push_back(line);
    }
    return lines;
}

std::string idMatch(const char* attribute, std::uint16_t id) {
    char text[64];
    std::snprintf(text, sizeof text, "ATTRS{%s}==\"%04x\"", attribute, id);
    return text;
}

bool contains(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

// The rule hands the seat's user the amplifier's hidraw node and nothing else.
TEST(UdevRule, GrantsTheSeatUserEveryAmplifierId) {
    const auto lines = ruleLines();
    ASSERT_FALSE(lines.empty()) << "cannot read " << DRAVO_UDEV_RULE_FILE;
    for (const auto& line : lines) {
        EXPECT_TRUE(contains(line, "KERNEL==\"hidraw*\"")) << line;
        EXPECT_TRUE(contains(line, "TAG+=\"uaccess\"")) << line;
        EXPECT_FALSE(contains(line, "MODE=")) << line;
    }
    std::set<std::string> wanted;
    for (const auto& id : kUsbIds) {
        const auto vendor = idMatch("idVendor", id.vendorId);
        const auto product = idMatch("idProduct", id.productId);
        wanted.insert(vendor + product);
        bool found = false;
        for (const auto& line : lines)
            found = found || (contains(line, vendor) && contains(line, product));
        EXPECT_TRUE(found) << vendor << " " << product;
    }
    EXPECT_EQ(lines.size(), wanted.size()) << "one rule per id pair, no others";
}

} // namespace
} // namespace dravo
