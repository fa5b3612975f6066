#include "SimBackend.h"

#include "ProductInfo.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace dravo::sim {

namespace {

struct Device {
    std::string id;
    std::shared_ptr<SimulatedAmplifier> amplifier;
    SimDeviceStrings strings;
};

class SimConnection final : public HidConnection {
public:
    SimConnection(std::shared_ptr<SimulatedAmplifier> amplifier, SimDeviceStrings strings)
        : mAmplifier(std::move(amplifier)), mStrings(std::move(strings))
    {
        mAmplifier->discardPendingReports();
    }
    ~SimConnection() override { close(); }

    int write(const std::uint8_t* report, std::size_t size) override
    {
        Use use(*this);
        if (!use)
            return fail("device closed");
        if (!mAmplifier->receiveReport(report, size))
            return fail(mAmplifier->pluggedIn() ? "bad report" : "device unplugged");
        return static_cast<int>(size);
    }

    int read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override
    {
        Use use(*this);
        if (!use)
            return fail("device closed");
        std::uint8_t report[64];
        const int n = mAmplifier->nextReport(report, mNonblocking && timeoutMs < 0 ? 0 : timeoutMs, &mClosed);
        if (n < 0)
            return fail(mClosed ? "device closed" : "device unplugged");
        const std::size_t copied = std::min(size, static_cast<std::size_t>(n));
        std::copy_n(report, copied, buffer);
        return static_cast<int>(copied);
    }

    std::optional<std::string> manufacturer() override { return mStrings.manufacturer; }
    std::optional<std::string> product() override { return mStrings.product; }
    std::optional<std::string> serialNumber() override { return mStrings.serialNumber; }
    std::optional<std::string> indexedString(int index) override
    {
        return index == 1 ? mStrings.indexedString1 : std::nullopt;
    }
    void setNonblocking(bool on) override { mNonblocking = on; }
    std::string lastError() override
    {
        std::lock_guard lock(mMutex);
        return mLastError;
    }

    void close() override
    {
        mClosed = true;
        mAmplifier->wake();
        std::unique_lock lock(mMutex);
        mIdle.wait(lock, [this] { return mInUse == 0; });
    }

private:
    // Counts a read or write in progress so close() can wait for it to leave.
    class Use {
    public:
        explicit Use(SimConnection& c) : mC(c)
        {
            std::lock_guard lock(mC.mMutex);
            mOk = !mC.mClosed;
            if (mOk)
                ++mC.mInUse;
        }
        ~Use()
        {
            if (!mOk)
                return;
            std::lock_guard lock(mC.mMutex);
            if (--mC.mInUse == 0)
                mC.mIdle.notify_all();
        }
        explicit operator bool() const { return mOk; }

    private:
        SimConnection& mC;
        bool mOk = false;
    };

    int fail(const char* why)
    {
        std::lock_guard lock(mMutex);
        mLastError = why;
        return -1;
    }

    std::shared_ptr<SimulatedAmplifier> mAmplifier;
    SimDeviceStrings mStrings;
    std::atomic<bool> mClosed{false};
    std::atomic<bool> mNonblocking{false};
    std::mutex mMutex;
    std::condition_variable mIdle;
    int mInUse = 0;
    std::string mLastError;
};

} // namespace

// Reports hot-plug events on a thread of its own, in the order they happened.
class SimHotplugMonitor final : public HotplugMonitor {
public:
    SimHotplugMonitor(std::shared_ptr<SimBackend::Bus> bus, std::uint16_t vendorId, std::uint16_t productId,
                      std::function<void(const HotplugEvent&)> callback);
    ~SimHotplugMonitor() override;

    void post(const HotplugEvent& event)
    {
        if (event.vendorId != mVendorId || event.productId != mProductId)
            return;
        std::lock_guard lock(mMutex);
        mEvents.push_back(event);
        mWake.notify_all();
    }

private:
    void run()
    {
        std::unique_lock lock(mMutex);
        for (;;) {
            mWake.wait(lock, [this] { return mStop || !mEvents.empty(); });
            if (mStop)
                return;
            const HotplugEvent event = mEvents.front();
            mEvents.pop_front();
            lock.unlock();
            mCallback(event);
            lock.lock();
        }
    }

    std::shared_ptr<SimBackend::Bus> mBus;
    std::uint16_t mVendorId;
    std::uint16_t mProductId;
    std::function<void(const HotplugEvent&)> mCallback;
    std::mutex mMutex;
    std::condition_variable mWake;
    std::deque<HotplugEvent> mEvents;
    bool mStop = false;
    std::thread mThread;
};

struct SimBackend::Bus {
    mutable std::mutex mutex;
    std::vector<Device> devices;
    std::vector<SimHotplugMonitor*> monitors;

    void announce(const std::string& id, bool arrived)
    {
        const HotplugEvent event{arrived, SimBackend::pathOf(id), kAmplifierUsbId.vendorId,
                                 kAmplifierUsbId.productId};
        for (SimHotplugMonitor* m : monitors)
            m->post(event);
    }
};

SimHotplugMonitor::SimHotplugMonitor(std::shared_ptr<SimBackend::Bus> bus, std::uint16_t vendorId,
                                     std::uint16_t productId, std::function<void(const HotplugEvent&)> callback)
    : mBus(std::move(bus)), mVendorId(vendorId), mProductId(productId), mCallback(std::move(callback))
{
    {
        std::lock_guard lock(mBus->mutex);
        mBus->monitors.push_back(this);
    }
    mThread = std::thread([this] { run(); });
}

SimHotplugMonitor::~SimHotplugMonitor()
{
    {
        std::lock_guard lock(mBus->mutex);
        std::erase(mBus->monitors, this);
    }
    {
        std::lock_guard lock(mMutex);
        mStop = true;
        mWake.notify_all();
    }
    mThread.join();
}

SimDeviceStrings defaultDeviceStrings(const std::string& id)
{
    return {kSimManufacturer, kModelName, "SIM-" + id, kSimManufacturer};
}

SimBackend::SimBackend() : mBus(std::make_shared<Bus>()) {}
SimBackend::SimBackend(std::shared_ptr<Bus> bus) : mBus(std::move(bus)) {}
SimBackend::~SimBackend() = default;

std::unique_ptr<HidBackend> SimBackend::handle() const
{
    return std::unique_ptr<HidBackend>(new SimBackend(mBus));
}

std::shared_ptr<SimulatedAmplifier> SimBackend::attach(const std::string& id, SimOptions options)
{
    auto amplifier = std::make_shared<SimulatedAmplifier>(options);
    attach(id, amplifier, defaultDeviceStrings(id));
    return amplifier;
}

void SimBackend::attach(const std::string& id, std::shared_ptr<SimulatedAmplifier> amplifier,
                        SimDeviceStrings strings)
{
    detach(id);
    amplifier->plugIn();
    std::lock_guard lock(mBus->mutex);
    mBus->devices.push_back({id, std::move(amplifier), std::move(strings)});
    mBus->announce(id, true);
}

void SimBackend::detach(const std::string& id)
{
    std::lock_guard lock(mBus->mutex);
    auto it = std::find_if(mBus->devices.begin(), mBus->devices.end(), [&](const Device& d) { return d.id == id; });
    if (it == mBus->devices.end())
        return;
    it->amplifier->unplug();
    mBus->devices.erase(it);
    mBus->announce(id, false);
}

std::shared_ptr<SimulatedAmplifier> SimBackend::amplifier(const std::string& id) const
{
    std::lock_guard lock(mBus->mutex);
    for (const Device& d : mBus->devices)
        if (d.id == id)
            return d.amplifier;
    return nullptr;
}

bool SimBackend::init() { return true; }

std::vector<HidDeviceInfo> SimBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId)
{
    std::vector<HidDeviceInfo> found;
    std::lock_guard lock(mBus->mutex);
    const bool any = vendorId == 0 && productId == 0;
    if (!any && (vendorId != kAmplifierUsbId.vendorId || productId != kAmplifierUsbId.productId))
        return found;
    for (const Device& d : mBus->devices)
        found.push_back({pathOf(d.id), kAmplifierUsbId.vendorId, kAmplifierUsbId.productId, d.strings.serialNumber});
    return found;
}

OpenResult SimBackend::open(const std::string& path)
{
    std::lock_guard lock(mBus->mutex);
    for (const Device& d : mBus->devices)
        if (pathOf(d.id) == path)
            return {std::make_unique<SimConnection>(d.amplifier, d.strings), OpenError::None, {}};
    return {nullptr, OpenError::NotFound, "no simulated device at " + path};
}

OpenResult SimBackend::openFirst(std::uint16_t vendorId, std::uint16_t productId)
{
    const std::vector<HidDeviceInfo> devices = enumerate(vendorId, productId);
    if (devices.empty())
        return {nullptr, OpenError::NotFound, "no simulated device"};
    return open(devices.front().path);
}

std::unique_ptr<HotplugMonitor> SimBackend::watch(std::uint16_t vendorId, std::uint16_t productId,
                                                  std::function<void(const HotplugEvent&)> callback)
{
    return std::make_unique<SimHotplugMonitor>(mBus, vendorId, productId, std::move(callback));
}

} // namespace dravo::sim
