// The command worker: queued requests go out one at a time, each after the
// answer to the previous one (or its time-out).
#include "DeviceLink.h"

#include "Log.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace dravo {
namespace {

void logRecord(const CommandRecord& record)
{
    std::string line(64 + record.data.size() * 5, '\0');
    int n = std::snprintf(line.data(), line.size(), "get mcmd 0x%02x subcmd 0x%02x optype 0x%02x len 0x%02x cmd_data:",
                          record.cmd, record.subcmd, record.optype, record.len());
    for (const std::uint8_t byte : record.data)
        n += std::snprintf(line.data() + n, line.size() - static_cast<std::size_t>(n), " 0x%02x", byte);
    line.resize(static_cast<std::size_t>(n));
    LogWrite("%s\n", line.c_str());
}

} // namespace

void DeviceLink::EnableCmdCtrl()
{
    LogWrite("EnableCmdCtrl\n");
    mCmdEnabled = 1;
}

void DeviceLink::DisableCmdCtrl()
{
    LogWrite("DisableCmdCtrl\n");
    mCmdEnabled = 0;
}

void DeviceLink::appendCommand(const Request& request)
{
    if (request.len > kMaxRequestData) {
        LogWrite("queued request 0x%02x/0x%02x has %d data bytes, more than one report holds; dropped\n",
                 request.cmd, request.subcmd, request.len);
        return;
    }
    CommandRecord record;
    record.cmd = request.cmd;
    record.subcmd = request.subcmd;
    record.optype = request.optype;
    record.data.assign(request.data.begin(), request.data.begin() + request.len);
    mQueue.append(std::move(record));
}

void DeviceLink::submit(const Request& request, bool immediate, std::uint32_t readTimeoutMs)
{
    if (immediate) {
        SendCtrlCommand(request.cmd, request.subcmd, request.optype, request.data.data(), request.len);
        ReadHIDData(mReadBuffer.data(), readTimeoutMs);
        return;
    }
    // A closed request path drops the request without a trace; the model
    // keeps the change.
    if (mCmdEnabled)
        appendCommand(request);
}

bool DeviceLink::sendAndRead(const Request& request, std::uint32_t readTimeoutMs)
{
    SendCtrlCommand(request.cmd, request.subcmd, request.optype, request.data.data(), request.len);
    return ReadHIDData(mReadBuffer.data(), readTimeoutMs);
}

bool DeviceLink::sendOnly(const Request& request)
{
    return SendCtrlCommand(request.cmd, request.subcmd, request.optype, request.data.data(), request.len);
}

void DeviceLink::McuCmdThread()
{
    LogWrite("McuCmdThread start\n");
    while (mWorkerRun) {
        std::optional<CommandRecord> record = mQueue.takeOrMarkIdle();
        if (!record) {
            mQueue.waitForWork(mWorkerRun);
            continue;
        }
        logRecord(*record);
        SendCtrlCommand(record->cmd, record->subcmd, record->optype, record->data.data(), record->len());
        record.reset();
        // The answer is decoded inside the read; whether it came is not
        // looked at, the next request goes out either way.
        ReadHIDData(mReadBuffer.data(), kDefaultReplyTimeoutMs);
    }
    for (const CommandRecord& dropped : mQueue.takeAll())
        logRecord(dropped);
    LogWrite("McuCmdThread end\n");
}

} // namespace dravo
