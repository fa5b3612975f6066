#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <numeric>
#include <thread>
#include <vector>

#include "BusBackend.h"
#include "FakeBusDevice.h"
#include "ProductInfo.h"

namespace dravo {
namespace {

using namespace std::chrono_literals;
using test::DevicePeer;
using test::FakeBusDevice;
using test::deviceJson;
using Clock = std::chrono::steady_clock;

constexpr auto kVid = kAmplifierUsbId.vendorId;
constexpr auto kPid = kAmplifierUsbId.productId;

std::array<std::uint8_t, 64> numberedReport(std::uint8_t first) {
    std::array<std::uint8_t, 64> report{};
    std::iota(report.begin(), report.end(), first);
    return report;
}

class BusBackendTest : public ::testing::Test {
protected:
    // A listening amplifier with every string present.
    FakeBusDevice& amplifier(const std::string& id) {
        devices_.push_back(std::make_unique<FakeBusDevice>(dir_.path(), id));
        auto& device = *devices_.back();
        device.writeJson(deviceJson(kVid, kPid,
                                    R"("serial_number":"SN-)" + id +
                                        R"(","manufacturer":"Dravo","product":"DRAVO-8.12","indexed_string_1":"one")"));
        device.listen();
        return device;
    }

    std::unique_ptr<HidConnection> openServed(const std::string& id, std::function<void(DevicePeer&)> session) {
        auto& device = amplifier(id);
        device.serve(std::move(session));
        auto result = backend_.open(device.socketPath());
        EXPECT_EQ(result.error, OpenError::None) << result.message;
        return std::move(result.connection);
    }

    test::TempDir dir_;
    BusBackend backend_{dir_.path()};
    std::vector<std::unique_ptr<FakeBusDevice>> devices_;
};

TEST_F(BusBackendTest, ListsAttachedMatchingDevicesSortedById) {
    const std::vector<std::string> ids = {"d", "a", "e", "b"}; // neither directory nor creation order
    for (const auto& id : ids)
        amplifier(id);
    FakeBusDevice other(dir_.path(), "c-other-ids");
    other.writeJson(deviceJson(kVid, 0x1234));
    other.listen();
    FakeBusDevice noSocket(dir_.path(), "d-no-socket");
    noSocket.writeJson(deviceJson(kVid, kPid));
    FakeBusDevice noJson(dir_.path(), "e-no-json");
    noJson.listen();
    FakeBusDevice badJson(dir_.path(), "f-bad-json");
    badJson.writeJson(R"({"vendor_id":1155,"product_id":)");
    badJson.listen();

    ASSERT_TRUE(backend_.init());
    const auto devices = backend_.enumerate(kVid, kPid);
    ASSERT_EQ(devices.size(), ids.size());
    for (std::size_t i = 0; i < devices.size(); ++i)
        EXPECT_EQ(devices[i].path, (dir_.path() / (std::string(1, "abde"[i]) + ".sock")).string());
    EXPECT_EQ(devices[0].vendorId, kVid);
    EXPECT_EQ(devices[0].productId, kPid);
    EXPECT_EQ(devices[0].serialNumber, "SN-a");
    EXPECT_EQ(backend_.enumerate(0, 0).size(), ids.size() + 1); // zero ids match any, as with hidapi
}

TEST_F(BusBackendTest, DevicePathIsAbsoluteWhenTheDirectoryIsRelative) {
    amplifier("a");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path().parent_path());
    BusBackend relative(dir_.path().filename());
    const auto devices = relative.enumerate(kVid, kPid);
    std::filesystem::current_path(cwd);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].path, (dir_.path() / "a.sock").string());
}

TEST_F(BusBackendTest, AbsentDescriptorKeysAreFailedStringReads) {
    FakeBusDevice bare(dir_.path(), "bare");
    bare.writeJson(deviceJson(kVid, kPid, R"("product":"only product","manufacturer":null)"));
    bare.listen();
    bare.serve([](DevicePeer&) {});

    const auto devices = backend_.enumerate(kVid, kPid);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_FALSE(devices[0].serialNumber.has_value());

    auto result = backend_.open(bare.socketPath());
    ASSERT_TRUE(result.connection) << result.message;
    auto& c = *result.connection;
    EXPECT_EQ(c.product(), "only product");
    EXPECT_FALSE(c.manufacturer().has_value());
    EXPECT_FALSE(c.serialNumber().has_value());
    EXPECT_FALSE(c.indexedString(1).has_value());
    EXPECT_FALSE(c.lastError().empty());
}

TEST_F(BusBackendTest, PresentDescriptorKeysAreRead) {
    auto c = openServed("amp", [](DevicePeer&) {});
    ASSERT_TRUE(c);
    EXPECT_EQ(c->manufacturer(), "Dravo");
    EXPECT_EQ(c->product(), "DRAVO-8.12");
    EXPECT_EQ(c->serialNumber(), "SN-amp");
    EXPECT_EQ(c->indexedString(1), "one");
    EXPECT_FALSE(c->indexedString(2).has_value());
}

TEST_F(BusBackendTest, OpenFirstTakesTheLowestIdAndFailsOnAnEmptyBus) {
    EXPECT_EQ(backend_.openFirst(kVid, kPid).error, OpenError::NotFound);
    amplifier("z");
    amplifier("m").serve([](DevicePeer&) {});
    auto result = backend_.openFirst(kVid, kPid);
    ASSERT_TRUE(result.connection) << result.message;
    EXPECT_EQ(result.connection->serialNumber(), "SN-m");
}

TEST_F(BusBackendTest, OpeningAMissingDeviceIsNotFound) {
    EXPECT_EQ(backend_.open((dir_.path() / "nobody.sock").string()).error, OpenError::NotFound);
    EXPECT_EQ(backend_.open("/dev/hidraw0").error, OpenError::NotFound);
}

TEST_F(BusBackendTest, ReportRoundTrip) {
    std::promise<std::array<std::uint8_t, 65>> received;
    auto c = openServed("amp", [&](DevicePeer& peer) {
        const auto report = peer.readReport();
        received.set_value(report.value_or(std::array<std::uint8_t, 65>{}));
        const auto answer = numberedReport(10);
        peer.send(answer.data(), answer.size());
        peer.readReport(); // hold the connection until the host is done
    });
    ASSERT_TRUE(c);

    std::array<std::uint8_t, 65> out{};
    std::iota(out.begin() + 1, out.end(), 100);
    ASSERT_EQ(c->write(out.data(), out.size()), 65);
    EXPECT_EQ(received.get_future().get(), out);

    std::uint8_t in[64] = {};
    ASSERT_EQ(c->read(in, sizeof in, 2000), 64);
    EXPECT_TRUE(std::equal(std::begin(in), std::end(in), numberedReport(10).begin()));
    c->close();
}

TEST_F(BusBackendTest, ShortReportGoesOutPaddedToFullLength) {
    std::promise<std::array<std::uint8_t, 65>> received;
    auto c = openServed("amp", [&](DevicePeer& peer) {
        received.set_value(peer.readReport().value_or(std::array<std::uint8_t, 65>{0xEE}));
    });
    ASSERT_TRUE(c);
    const std::uint8_t out[3] = {0, 0xAA, 0xBB};
    EXPECT_EQ(c->write(out, sizeof out), 3);
    std::array<std::uint8_t, 65> expected{0, 0xAA, 0xBB};
    EXPECT_EQ(received.get_future().get(), expected);
    const std::uint8_t tooLong[66] = {};
    EXPECT_EQ(c->write(tooLong, sizeof tooLong), -1);
}

// However the device's writes cut the stream, each read returns exactly one
// whole report.
TEST_F(BusBackendTest, PiecesOfTheStreamAreReassembledIntoReports) {
    const std::vector<std::vector<std::size_t>> cuts = {
        {64, 64},            // two reports
        {1, 63, 64},         // first byte alone
        {10, 10, 44, 30, 34},
        {128},               // both reports in one write
        {63, 2, 63},         // a report boundary inside a piece
    };
    for (std::size_t c = 0; c < cuts.size(); ++c) {
        SCOPED_TRACE("cut " + std::to_string(c));
        auto connection = openServed("amp" + std::to_string(c), [&](DevicePeer& peer) {
            std::vector<std::uint8_t> stream(128);
            std::iota(stream.begin(), stream.end(), 0);
            std::size_t at = 0;
            for (std::size_t piece : cuts[c]) {
                peer.send(stream.data() + at, piece);
                at += piece;
                std::this_thread::sleep_for(15ms);
            }
            peer.readReport();
        });
        ASSERT_TRUE(connection);
        for (std::uint8_t first : {0, 64}) {
            std::uint8_t in[64] = {};
            ASSERT_EQ(connection->read(in, sizeof in, 2000), 64);
            EXPECT_TRUE(std::equal(std::begin(in), std::end(in), numberedReport(first).begin()));
        }
        connection->close();
        devices_.back()->join();
    }
}

TEST_F(BusBackendTest, TimeOutReturnsZeroAndKeepsAPartReport) {
    std::promise<void> timedOut;
    auto c = openServed("amp", [&](DevicePeer& peer) {
        const auto report = numberedReport(0);
        peer.send(report.data(), 30);
        timedOut.get_future().wait();
        peer.send(report.data() + 30, 34);
        peer.readReport();
    });
    ASSERT_TRUE(c);
    std::uint8_t in[64] = {};
    const auto start = Clock::now();
    EXPECT_EQ(c->read(in, sizeof in, 150), 0);
    EXPECT_GE(Clock::now() - start, 140ms);
    EXPECT_EQ(c->read(in, sizeof in, 0), 0);
    timedOut.set_value();
    ASSERT_EQ(c->read(in, sizeof in, 2000), 64);
    EXPECT_TRUE(std::equal(std::begin(in), std::end(in), numberedReport(0).begin()));
    c->close();
}

TEST_F(BusBackendTest, DeviceClosingItsEndIsAPullOut) {
    std::promise<void> hostReading;
    auto c = openServed("amp", [&](DevicePeer& peer) {
        hostReading.get_future().wait();
        std::this_thread::sleep_for(50ms);
        peer.close();
    });
    ASSERT_TRUE(c);
    hostReading.set_value();
    std::uint8_t in[64] = {};
    const auto start = Clock::now();
    EXPECT_EQ(c->read(in, sizeof in, 10000), -1);
    EXPECT_LT(Clock::now() - start, 1s);
    // Once gone, everything fails at once.
    const auto again = Clock::now();
    EXPECT_EQ(c->read(in, sizeof in, 10000), -1);
    EXPECT_LT(Clock::now() - again, 100ms);
    const std::uint8_t out[65] = {};
    EXPECT_EQ(c->write(out, sizeof out), -1);
    EXPECT_FALSE(c->lastError().empty());
}

TEST_F(BusBackendTest, CloseFromAnotherThreadEndsABlockedReadPromptly) {
    std::promise<void> done;
    auto c = openServed("amp", [&](DevicePeer&) { done.get_future().wait(); });
    ASSERT_TRUE(c);
    auto reader = std::async(std::launch::async, [&] {
        std::uint8_t in[64] = {};
        return c->read(in, sizeof in, 10000);
    });
    std::this_thread::sleep_for(100ms);
    const auto start = Clock::now();
    c->close();
    EXPECT_LT(Clock::now() - start, 1s);
    ASSERT_EQ(reader.wait_for(1s), std::future_status::ready);
    EXPECT_EQ(reader.get(), -1);

    std::uint8_t buffer[65] = {};
    EXPECT_EQ(c->read(buffer, 64, 10000), -1);
    EXPECT_EQ(c->write(buffer, 65), -1);
    EXPECT_FALSE(c->product().has_value());
    c->close(); // twice is harmless
    done.set_value();
}

} // namespace
} // namespace dravo
