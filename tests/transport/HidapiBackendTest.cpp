#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "BusBackend.h"
#include "FakeBusDevice.h"
#include "HidapiBackend.h"
#include "ProductInfo.h"
#include "UdevHotplugMonitor.h"

namespace dravo {
namespace {

// Without an amplifier on the machine, only the plumbing can be checked.
TEST(HidapiBackend, InitAndEnumerateWork) {
    HidapiBackend backend;
    ASSERT_TRUE(backend.init());
    for (const auto& device : backend.enumerate(kAmplifierUsbId.vendorId, kAmplifierUsbId.productId)) {
        EXPECT_EQ(device.vendorId, kAmplifierUsbId.vendorId);
        EXPECT_EQ(device.productId, kAmplifierUsbId.productId);
    }
    const auto result = backend.open("/dev/no-such-hidraw");
    EXPECT_FALSE(result.connection);
    EXPECT_EQ(result.error, OpenError::NotFound);
}

TEST(UdevHotplugMonitor, StopsPromptlyWhereUdevCanBeWatched) {
    auto monitor = UdevHotplugMonitor::start(kAmplifierUsbId, [](const HotplugEvent&) {});
    if (!monitor)
        GTEST_SKIP() << "no udev netlink here";
    const auto start = std::chrono::steady_clock::now();
    monitor.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedEnv() { set(old_); }

private:
    void set(const std::optional<std::string>& value) {
        if (value)
            ::setenv(name_, value->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DefaultBackend, TheBusIsUsedWhenItsVariableNamesADirectory) {
    test::TempDir dir;
    struct Case {
        std::optional<std::string> value;
        bool bus;
    } const cases[] = {
        {dir.path().string(), true},
        {std::nullopt, false},
        {"", false},
        {(dir.path() / "missing").string(), false},
    };
    for (const auto& c : cases) {
        ScopedEnv env("DRAVO_HID_BUS", c.value);
        const auto backend = makeDefaultBackend();
        EXPECT_EQ(dynamic_cast<BusBackend*>(backend.get()) != nullptr, c.bus) << c.value.value_or("(unset)");
        EXPECT_EQ(dynamic_cast<HidapiBackend*>(backend.get()) != nullptr, !c.bus) << c.value.value_or("(unset)");
    }
}

} // namespace
} // namespace dravo
