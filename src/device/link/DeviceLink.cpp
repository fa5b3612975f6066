#include "DeviceLink.h"

#include "CommandCodes.h"
#include "Log.h"
#include "ProductInfo.h"

#include <QString>

#include <cstdio>

namespace dravo {
namespace {

// The code of the first UTF-16 unit, as the open log shows it for the serial.
int firstUnitCode(const std::string& text)
{
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return s.isEmpty() ? 0 : s.at(0).unicode();
}

} // namespace

DeviceLink::DeviceLink(std::unique_ptr<HidBackend> backend)
    : mBackend(std::move(backend)),
      mDecoder(mState, [this](Target target, Message message) { post(target, std::move(message)); }),
      mReceiver([this](std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes) { onPacket(L, type, bytes); })
{
    // Set here rather than by the worker, so a link destroyed right after
    // construction cannot have its stop request overwritten.
    mWorkerRun = 1;
    mWorker = std::thread(&DeviceLink::McuCmdThread, this);
}

DeviceLink::~DeviceLink()
{
    mWorkerRun = 0;
    mQueue.wakeAll();
    // A worker waiting for an answer would otherwise sit out its time-out.
    CloseHIDDevice(false);
    if (mWorker.joinable())
        mWorker.join();
}

std::shared_ptr<HidConnection> DeviceLink::handle() const
{
    std::lock_guard lock(mHandleMutex);
    return mHidHandle;
}

bool DeviceLink::IsConnected() const
{
    return mOpen;
}

OpenFailure DeviceLink::LastOpenError() const
{
    std::lock_guard lock(mHandleMutex);
    return mLastOpenError;
}

void DeviceLink::OpenHIDDevice(const std::string& path)
{
    if (!mBackend->init()) {
        LogWrite("hid_init failed\n");
        std::lock_guard lock(mHandleMutex);
        mLastOpenError = {OpenError::Failed, "the HID library could not be initialised"};
        return;
    }
    // Opening over an open device would lose the old handle.
    if (IsConnected())
        CloseHIDDevice(false);

    OpenResult result;
    if (path.empty()) {
        char ids[16];
        std::snprintf(ids, sizeof ids, "%04x:%04x", kAmplifierUsbId.vendorId, kAmplifierUsbId.productId);
        LogWrite("auto open device %s\n", ids);
        result = mBackend->openFirst(kAmplifierUsbId.vendorId, kAmplifierUsbId.productId);
    } else {
        LogWrite("open device %s\n", path.c_str());
        result = mBackend->open(path);
    }

    if (!result.connection) {
        LogWrite("unable to open device\n");
        if (!result.message.empty())
            LogWrite("%s\n", result.message.c_str());
        std::lock_guard lock(mHandleMutex);
        mLastOpenError = {result.error == OpenError::None ? OpenError::Failed : result.error, result.message};
        return;
    }

    HidConnection& connection = *result.connection;
    int failed = 0;
    if (const auto s = connection.manufacturer()) {
        LogWrite("Manufacturer String: %s\n", s->c_str());
    } else {
        LogWrite("Unable to read manufacturer string\n");
        ++failed;
    }
    if (const auto s = connection.product()) {
        LogWrite("Product String: %s\n", s->c_str());
    } else {
        LogWrite("Unable to read product string\n");
        ++failed;
    }
    if (const auto s = connection.serialNumber()) {
        LogWrite("Serial Number String: (%d) %s\n", firstUnitCode(*s), s->c_str());
    } else {
        LogWrite("Unable to read serial number string\n");
        ++failed;
    }
    if (const auto s = connection.indexedString(1)) {
        LogWrite("Indexed String 1: %s\n", s->c_str());
    } else {
        LogWrite("Unable to read indexed string 1\n");
        ++failed;
    }

    if (failed >= 3) {
        LogWrite("read HID info error, unable open device correctly\n");
        connection.close();
        std::lock_guard lock(mHandleMutex);
        mLastOpenError = {OpenError::Failed, "the device does not answer like an amplifier (string requests failed)"};
        return;
    }
    // Reads always pass a time-out; this only matters for calls without one.
    connection.setNonblocking(true);

    std::lock_guard lock(mHandleMutex);
    mHidHandle = std::move(result.connection);
    ++mHandleNumber;
    mOpen = true;
    mLastOpenError = {};
}

void DeviceLink::CloseHIDDevice(bool announce)
{
    if (!IsConnected())
        return;
    if (announce) {
        Request notice;
        notice.cmd = CMD_MCU;
        notice.subcmd = MCU_PC_CONNECT;
        notice.optype = OP_SET;
        notice.len = 1;
        notice.data[0] = 0;
        sendOnly(notice);
    }

    LogWrite("call hid_close\n");
    // The handle goes first, so every loop and drain on another thread stops
    // at its next look and a sender waiting for the write turn gives up; then
    // close() waits for calls still inside the device.
    std::shared_ptr<HidConnection> connection;
    {
        std::lock_guard lock(mHandleMutex);
        mOpen = false;
        connection = std::move(mHidHandle);
    }
    if (!connection)
        return; // another thread closed it meanwhile
    {
        std::lock_guard lock(mWriteTurnMutex);
    }
    mWriteTurnFree.notify_all();
    connection->close();
    LogWrite("CloseHIDDevice!\n");
}

void DeviceLink::SetTarget(Target target, MessageSink* sink)
{
    {
        std::lock_guard lock(mTargetMutex);
        mTargets[static_cast<std::size_t>(target)] = sink;
    }
    if (target == Target::Main)
        mQueue.markIdleIfEmpty();
}

void DeviceLink::post(Target target, Message message)
{
    const auto index = static_cast<std::size_t>(target);
    if (index >= mTargets.size())
        return;
    std::lock_guard lock(mTargetMutex);
    if (MessageSink* sink = mTargets[index])
        sink->post(std::move(message));
}

void DeviceLink::SetPacketObserver(PacketObserver observer)
{
    std::lock_guard lock(mObserverMutex);
    mPacketObserver = std::move(observer);
}

void DeviceLink::onPacket(std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes)
{
    {
        std::lock_guard lock(mObserverMutex);
        if (mPacketObserver)
            mPacketObserver(L, type, bytes);
    }
    mDecoder.packetProcess(L, type, bytes);
}

void DeviceLink::UpdateDeviceList()
{
    mDevices.UpdateDeviceList(*mBackend);
}

std::unique_ptr<HotplugMonitor> DeviceLink::WatchDevices(std::function<void(const HotplugEvent&)> callback)
{
    return mBackend->watch(kAmplifierUsbId.vendorId, kAmplifierUsbId.productId, std::move(callback));
}

} // namespace dravo
