#pragma once
// A scripted HID backend: one fake amplifier whose string answers, input
// reports and write behaviour a test sets, and which records every report
// written to it.
#include "transport/HidTransport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace dravo::test {

using Bytes = std::vector<std::uint8_t>;

struct FakeDevice {
    std::mutex mutex;
    std::condition_variable changed;

    // Answers to the four string requests; nullopt fails that request.
    std::optional<std::string> manufacturer = "Dravo";
    std::optional<std::string> product = "DRAVO-8.12";
    std::optional<std::string> serial = "SN1";
    std::optional<std::string> indexed = "idx";

    std::deque<Bytes> inbox;             // input reports still to be read
    std::vector<Bytes> written;          // completed writes, in order
    std::vector<std::size_t> readsBeforeWrite; // reports read when each write completed
    std::size_t reportsRead = 0;
    int writeCalls = 0;
    std::atomic<int> readCalls{0};
    int closeCalls = 0;
    int inFlight = 0;
    bool closed = false;
    bool nonblocking = false;
    bool holdWrites = false; // writes wait until released or closed
    bool pulledOut = false;  // reads fail at once

    // Reports the device sends back for each written report.
    std::function<std::vector<Bytes>(const Bytes& report)> answer;

    void push(Bytes report)
    {
        report.resize(64, 0);
        {
            std::lock_guard lock(mutex);
            inbox.push_back(std::move(report));
        }
        changed.notify_all();
    }

    void releaseWrites()
    {
        {
            std::lock_guard lock(mutex);
            holdWrites = false;
        }
        changed.notify_all();
    }

    // Waits until `pred` holds (checked under the lock) or 5 s pass.
    bool waitFor(const std::function<bool()>& pred)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), pred);
    }

    std::vector<Bytes> writtenCopy()
    {
        std::lock_guard lock(mutex);
        return written;
    }
};

class FakeConnection : public HidConnection {
public:
    explicit FakeConnection(std::shared_ptr<FakeDevice> device) : mDevice(std::move(device)) {}

    int write(const std::uint8_t* report, std::size_t size) override
    {
        std::unique_lock lock(mDevice->mutex);
        if (mDevice->closed)
            return -1;
        ++mDevice->writeCalls;
        ++mDevice->inFlight;
        mDevice->changed.notify_all();
        mDevice->changed.wait(lock, [&] { return !mDevice->holdWrites || mDevice->closed; });
        int result = -1;
        if (!mDevice->closed) {
            Bytes bytes(report, report + size);
            mDevice->written.push_back(bytes);
            mDevice->readsBeforeWrite.push_back(mDevice->reportsRead);
            if (mDevice->answer)
                for (Bytes& reply : mDevice->answer(bytes)) {
                    reply.resize(64, 0);
                    mDevice->inbox.push_back(std::move(reply));
                }
            result = static_cast<int>(size);
        }
        --mDevice->inFlight;
        mDevice->changed.notify_all();
        return result;
    }

    int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override
    {
        ++mDevice->readCalls;
        std::unique_lock lock(mDevice->mutex);
        if (mDevice->closed || mDevice->pulledOut)
            return -1;
        ++mDevice->inFlight;
        mDevice->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return !mDevice->inbox.empty() || mDevice->closed; });
        int result = 0;
        if (mDevice->closed) {
            result = -1;
        } else if (!mDevice->inbox.empty()) {
            Bytes report = std::move(mDevice->inbox.front());
            mDevice->inbox.pop_front();
            ++mDevice->reportsRead;
            result = static_cast<int>(std::min(size, report.size()));
            std::copy_n(report.begin(), result, buffer);
        }
        --mDevice->inFlight;
        mDevice->changed.notify_all();
        return result;
    }

    std::optional<std::string> manufacturer() override { return mDevice->manufacturer; }
    std::optional<std::string> product() override { return mDevice->product; }
    std::optional<std::string> serialNumber() override { return mDevice->serial; }
    std::optional<std::string> indexedString(int) override { return mDevice->indexed; }

    void setNonblocking(bool on) override
    {
        std::lock_guard lock(mDevice->mutex);
        mDevice->nonblocking = on;
    }
    std::string lastError() override { return "fake error"; }

    void close() override
    {
        std::unique_lock lock(mDevice->mutex);
        ++mDevice->closeCalls;
        mDevice->closed = true;
        mDevice->changed.notify_all();
        mDevice->changed.wait(lock, [&] { return mDevice->inFlight == 0; });
    }

private:
    std::shared_ptr<FakeDevice> mDevice;
};

class FakeBackend : public HidBackend {
public:
    explicit FakeBackend(std::shared_ptr<FakeDevice> device = std::make_shared<FakeDevice>())
        : device(std::move(device))
    {
    }

    bool init() override { return true; }

    std::vector<HidDeviceInfo> enumerate(std::uint16_t, std::uint16_t) override { return devices; }

    OpenResult open(const std::string& path) override
    {
        openedPath = path;
        return connect();
    }

    OpenResult openFirst(std::uint16_t, std::uint16_t) override
    {
        openedFirst = true;
        return connect();
    }

    std::unique_ptr<HotplugMonitor> watch(std::uint16_t, std::uint16_t,
                                          std::function<void(const HotplugEvent&)>) override
    {
        return nullptr;
    }

    std::shared_ptr<FakeDevice> device;
    std::vector<HidDeviceInfo> devices;
    std::optional<OpenResult> failure; // when set, opening fails like this
    std::string openedPath;
    bool openedFirst = false;

private:
    OpenResult connect()
    {
        if (failure)
            return OpenResult{nullptr, failure->error, failure->message};
        {
            std::lock_guard lock(device->mutex);
            device->closed = false;
        }
        OpenResult result;
        result.connection = std::make_unique<FakeConnection>(device);
        return result;
    }
};

} // namespace dravo::test
