// Sending one request and reading one report: the write turn, the framing,
// the read loop and the hand-over to the parser.
#include "DeviceLink.h"

#include "CommandCodes.h"
#include "Log.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <thread>

namespace dravo {
namespace {

using Clock = std::chrono::steady_clock;

// Like the system tick: milliseconds on a clock that never jumps.
long tickMs(Clock::time_point t)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count());
}

long msSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// A sender gives up when it has waited more than this for the write turn.
constexpr std::chrono::milliseconds kWriteTurnPatience{2000};

} // namespace

bool DeviceLink::takeWriteTurn(Clock::time_point start)
{
    const auto deadline = start + kWriteTurnPatience + std::chrono::milliseconds(1);
    std::unique_lock lock(mWriteTurnMutex);
    for (;;) {
        if (!mWriteBusy) {
            mWriteBusy = true;
            return true;
        }
        if (!mOpen) {
            LogWrite("mHidHandle is NULL, break out send cmd!\n");
            return false;
        }
        if (Clock::now() >= deadline) {
            LogWrite("time out, break out send cmd!\n");
            return false;
        }
        mWriteTurnFree.wait_until(lock, deadline);
    }
}

void DeviceLink::releaseWriteTurn()
{
    {
        std::lock_guard lock(mWriteTurnMutex);
        mWriteBusy = false;
    }
    mWriteTurnFree.notify_one();
}

bool DeviceLink::SendCtrlCommand(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype,
                                 const std::uint8_t* data, std::uint8_t len)
{
    const auto start = Clock::now();
    if (cmd == CMD_DSP && optype == OP_GET) {
        const int count = ++mDspQueryCount;
        const std::string name(dspSubCommandName(subcmd));
        if (name.empty())
            LogWrite("SendCtrlCommand %d, %d\n", count, subcmd);
        else
            LogWrite("SendCtrlCommand %d, %s\n", count, name.c_str());
    }
    LogWrite("SendCtrlCommand timestart = %ld\n", tickMs(start));

    if (!IsConnected())
        return false;
    // A longer request cannot be framed whole; sending a cut one would set
    // something else than the caller meant.
    if (len > kMaxRequestData) {
        LogWrite("SendCtrlCommand: %d data bytes do not fit one report, not sent\n", len);
        return false;
    }
    if (!takeWriteTurn(start))
        return false;
    struct TurnRelease {
        DeviceLink* link;
        ~TurnRelease() { link->releaseWriteTurn(); }
    } release{this};

    LogWrite("SendCtrlCommand Cmd:0x%02x, subcmd:0x%02x, optype:0x%02x, len:0x%02x\n", cmd, subcmd, optype, len);
    const OutputReport report = buildOutputReport(cmd, subcmd, optype, data, len);
    LogWrite("begain to write data to devices:\n");
    LogDump(report.data(), report.size());
    LogWrite("set WRITE_ROPRT = TRUE\n");

    const std::shared_ptr<HidConnection> connection = handle();
    if (!connection) {
        LogWrite("mHidHandle is NULL, can't send cmd\n");
        return false;
    }
    return writeReport(*connection, report.data());
}

bool DeviceLink::writeReport(HidConnection& connection, const std::uint8_t* report)
{
    try {
        const int written = connection.write(report, kOutputReportSize);
        if (written < 0) {
            LogWrite("Write HidDeviceObject = %d errot = %s\n", mHandleNumber.load(), connection.lastError().c_str());
            return false;
        }
        LogWrite("write data ok! HidDeviceObject = %d\n", mHandleNumber.load());
        return true;
    } catch (...) {
        LogWrite("write data failed with throw crash: %d, plugged out?\n", errno);
        return false;
    }
}

bool DeviceLink::ReadHIDData(std::uint8_t* buffer, std::uint32_t timeoutMs)
{
    std::lock_guard lock(mReadMutex);
    try {
        return readReport(buffer, timeoutMs);
    } catch (...) {
        LogWrite("read data failed with throw crash: %d, plugged out?\n", errno);
        mLastReadLength = 0;
        return false;
    }
}

bool DeviceLink::readReport(std::uint8_t* buffer, std::uint32_t timeoutMs)
{
    const auto start = Clock::now();
    const long limit = static_cast<long>(std::min<std::uint32_t>(timeoutMs, INT_MAX));
    LogWrite("ReadHIDData timestart = %ld\n", tickMs(start));

    int count = 0;
    for (;;) {
        const std::shared_ptr<HidConnection> connection = handle();
        if (!connection) {
            LogWrite("mHidHandle is NULL\n");
            mLastReadLength = 0;
            return false;
        }
        // A retry only gets what is left of the time-out.
        const long left = std::max(0L, limit - msSince(start));
        count = connection->read(buffer, kInputReportSize, static_cast<int>(left));
        mLastReadLength = count;
        if (count >= 0 || msSince(start) > limit || !IsConnected())
            break;
        // A pulled-out device fails at once, again and again; don't spin on it.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    LogWrite("ReadHIDData done timeend-timestart = %ld\n", msSince(start));
    LogWrite("ReadHIDData NumberOfBytesRead = %d\n", count);
    if (count <= 0) {
        mLastReadLength = 0;
        return false;
    }
    count = std::min(count, static_cast<int>(kInputReportSize));
    mLastReadLength = count;

    LogWrite("read data: ");
    for (int i = 0; i < count; ++i) {
        if (!IsConnected()) {
            LogWrite("mHidHandle is NULL\n");
            mLastReadLength = 0;
            return false;
        }
        mReceiver.append(buffer[i]);
    }
    LogDump(buffer, static_cast<std::size_t>(count));
    mReceiver.drain([this] { return IsConnected(); });
    return true;
}

} // namespace dravo
