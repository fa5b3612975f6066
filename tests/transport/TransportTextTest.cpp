#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "BusDescriptor.h"
#include "HidrawEventFilter.h"
#include "OpenFailure.h"
#include "UsbIdText.h"
#include "WideText.h"

namespace dravo {
namespace {

TEST(WideText, ConvertsToUtf8AndReplacesNonCharacters) {
    const wchar_t surrogate[] = {static_cast<wchar_t>(0xD800), 0};
    const wchar_t beyond[] = {L'a', static_cast<wchar_t>(0x110000), L'b', 0};
    struct Case {
        const wchar_t* wide;
        std::string utf8;
    } const cases[] = {
        {nullptr, ""},
        {L"DRAVO 8.12", "DRAVO 8.12"},
        {L"\u00e9\u20ac", "\xc3\xa9\xe2\x82\xac"},
        {L"\U0001F50A", "\xf0\x9f\x94\x8a"},
        {surrogate, "\xef\xbf\xbd"},
        {beyond, "a\xef\xbf\xbd" "b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wideToUtf8(c.wide), c.utf8);
}

TEST(UsbIdText, ReadsSysfsAttributesAndHidIdProperty) {
    EXPECT_EQ(parseHexId("0483\n"), 0x0483);
    EXPECT_EQ(parseHexId("5750"), 0x5750);
    for (const char* bad : {"", "\n", "10483", "04g3", "-483"})
        EXPECT_FALSE(parseHexId(bad).has_value()) << bad;

    const auto ids = parseHidIdProperty("0003:00000483:00005750");
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->vendorId, 0x0483);
    EXPECT_EQ(ids->productId, 0x5750);
    for (const char* bad : {"", "0003:00000483", "0003:00010483:00005750", "0003:00000483:", "x:00000483:00005750"})
        EXPECT_FALSE(parseHidIdProperty(bad).has_value()) << bad;
}

TEST(OpenFailure, ErrnoDecidesWhatTheUserCanDo) {
    struct Case {
        int err;
        OpenError error;
    } const cases[] = {
        {EACCES, OpenError::PermissionDenied}, {EPERM, OpenError::PermissionDenied}, {ENOENT, OpenError::NotFound},
        {ENODEV, OpenError::NotFound},         {EBUSY, OpenError::Failed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(openErrorFromErrno(c.err), c.error) << c.err;
    EXPECT_EQ(diagnoseHidrawOpen("/dev/no-such-hidraw"), OpenError::NotFound);
}

TEST(OpenFailure, PermissionMessageNamesTheNodeAndTheRule) {
    const auto message = hidrawOpenMessage("/dev/hidraw3", OpenError::PermissionDenied, "");
    for (const char* part : {"/dev/hidraw3", "70-dravo.rules", "lib/udev/rules.d",
                             "udevadm control --reload && udevadm trigger", "plug"})
        EXPECT_NE(message.find(part), std::string::npos) << part;
    EXPECT_NE(hidrawOpenMessage("/dev/hidraw3", OpenError::Failed, "busy").find("busy"), std::string::npos);
}

// udev can no longer read the ids of a removed node; what was seen at its
// arrival decides.
TEST(HidrawEventFilter, RemovalIsRecognisedByWhatWasSeenAtArrival) {
    const UsbId amp{0x0483, 0x5750};
    const UsbId other{0x046d, 0xc52b};
    enum Kind { Remember, Add, Remove };
    struct Step {
        Kind kind;
        std::string path;
        std::optional<UsbId> ids;
        bool reported;
    };
    const std::vector<std::vector<Step>> scenarios = {
        {{Add, "/dev/hidraw1", amp, true}, {Remove, "/dev/hidraw1", std::nullopt, true}},
        {{Add, "/dev/hidraw1", other, false}, {Remove, "/dev/hidraw1", std::nullopt, false}},
        {{Remember, "/dev/hidraw2", amp, false}, {Remove, "/dev/hidraw2", std::nullopt, true}},
        {{Remove, "/dev/hidraw3", std::nullopt, false}, {Remove, "/dev/hidraw3", other, false}},
        {{Remove, "/dev/hidraw3", amp, true}},
        // The node number is taken over by another device.
        {{Add, "/dev/hidraw1", amp, true},
         {Remove, "/dev/hidraw1", std::nullopt, true},
         {Add, "/dev/hidraw1", other, false},
         {Remove, "/dev/hidraw1", std::nullopt, false}},
        {{Remember, "/dev/hidraw1", amp, false}, {Add, "/dev/hidraw1", other, false},
         {Remove, "/dev/hidraw1", std::nullopt, false}},
        {{Add, "/dev/hidraw4", std::nullopt, false}, {Remove, "/dev/hidraw4", std::nullopt, false}},
    };
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
        HidrawEventFilter filter(amp);
        for (std::size_t i = 0; i < scenarios[s].size(); ++i) {
            const auto& step = scenarios[s][i];
            SCOPED_TRACE("scenario " + std::to_string(s) + " step " + std::to_string(i));
            std::optional<HotplugEvent> event;
            if (step.kind == Remember)
                filter.remember(step.path, step.ids);
            else if (step.kind == Add)
                event = filter.added(step.path, step.ids);
            else
                event = filter.removed(step.path, step.ids);
            ASSERT_EQ(event.has_value(), step.reported);
            if (event) {
                EXPECT_EQ(event->arrived, step.kind == Add);
                EXPECT_EQ(event->path, step.path);
                EXPECT_EQ(event->vendorId, amp.vendorId);
                EXPECT_EQ(event->productId, amp.productId);
            }
        }
    }
}

TEST(BusDescriptor, ReadsIdsAndStrings) {
    const auto d = parseBusDescriptor(
        R"({"vendor_id":1155,"product_id":22352,"serial_number":"A1","manufacturer":"M","product":"P",)"
        R"("indexed_string_1":"one","indexed_string_12":"twelve","indexed_string_x":"no"})");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->vendorId, 0x0483);
    EXPECT_EQ(d->productId, 0x5750);
    EXPECT_EQ(d->serialNumber, "A1");
    EXPECT_EQ(d->manufacturer, "M");
    EXPECT_EQ(d->product, "P");
    EXPECT_EQ(d->indexedString(1), "one");
    EXPECT_EQ(d->indexedString(12), "twelve");
    EXPECT_FALSE(d->indexedString(2).has_value());
}

TEST(BusDescriptor, NonStringValuesAreAbsentStrings) {
    const auto d = parseBusDescriptor(R"({"vendor_id":1,"product_id":2,"serial_number":7,"product":null})");
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->serialNumber.has_value());
    EXPECT_FALSE(d->product.has_value());
    EXPECT_FALSE(d->manufacturer.has_value());
}

TEST(BusDescriptor, RejectsWhatCannotBeADevice) {
    for (const char* bad : {
             "",
             R"({"vendor_id":1155,"product_id":)",
             R"([1155,22352])",
             R"({"product_id":22352})",
             R"({"vendor_id":"1155","product_id":22352})",
             R"({"vendor_id":65536,"product_id":22352})",
             R"({"vendor_id":-1,"product_id":22352})",
             R"({"vendor_id":1155.5,"product_id":22352})",
         })
        EXPECT_FALSE(parseBusDescriptor(bad).has_value()) << bad;
}

} // namespace
} // namespace dravo
