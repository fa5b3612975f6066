#include "BusServer.h"

#include "Log.h"
#include "Packet.h"
#include "ProductInfo.h"

#include <cjson/cJSON.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace dravo::sim {
namespace {

// How often the server looks at its stop flag while it waits.
constexpr int kPollMs = 50;

int setupFailed(const std::string& what)
{
    const std::string text = "dravo-sim: " + what + ": " + std::strerror(errno);
    LogWrite("%s\n", text.c_str());
    std::fprintf(stderr, "%s\n", text.c_str());
    return 1;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : mFd(fd) {}
    ~FileDescriptor()
    {
        if (mFd >= 0)
            ::close(mFd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return mFd; }

private:
    int mFd;
};

bool sendAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool writeFileAtomically(const std::filesystem::path& path, const std::string& text)
{
    const std::filesystem::path temp = path.parent_path() / ("." + path.filename().string() + ".tmp");
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) {
        std::filesystem::remove(temp, error);
        return false;
    }
    return true;
}

// One host connection: output reports in on this thread, input reports out
// on another, until either side goes away or the server stops.
void serveHost(int fd, SimulatedAmplifier& amplifier, const std::atomic<bool>& stop)
{
    LogWrite("dravo-sim: host connected\n");
    amplifier.plugIn();
    amplifier.discardPendingReports();
    std::atomic<bool> over{false};

    std::thread writer([&] {
        std::uint8_t report[kInputReportSize];
        while (!over) {
            const int n = amplifier.nextReport(report, kPollMs, &over);
            if (n > 0 && !sendAll(fd, report, sizeof report))
                over = true;
        }
    });

    std::vector<std::uint8_t> pending;
    std::uint8_t chunk[4 * kOutputReportSize];
    while (!over && !stop) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, kPollMs);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        pending.insert(pending.end(), chunk, chunk + n);
        std::size_t used = 0;
        for (; pending.size() - used >= kOutputReportSize; used += kOutputReportSize)
            amplifier.receiveReport(pending.data() + used, kOutputReportSize);
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(used));
    }

    over = true;
    amplifier.wake();
    writer.join();
    LogWrite("dravo-sim: host gone\n");
}

} // namespace

std::string deviceJson(const SimDeviceStrings& strings)
{
    cJSON* root = cJSON_CreateObject();
    cJSON_AddNumberToObject(root, "vendor_id", kAmplifierUsbId.vendorId);
    cJSON_AddNumberToObject(root, "product_id", kAmplifierUsbId.productId);
    const std::pair<const char*, const std::optional<std::string>*> keys[] = {
        {"serial_number", &strings.serialNumber},
        {"manufacturer", &strings.manufacturer},
        {"product", &strings.product},
        {"indexed_string_1", &strings.indexedString1},
    };
    for (const auto& [key, value] : keys)
        if (*value)
            cJSON_AddStringToObject(root, key, (*value)->c_str());
    char* printed = cJSON_PrintUnformatted(root);
    std::string text = printed ? printed : "{}";
    cJSON_free(printed);
    cJSON_Delete(root);
    return text;
}

int runBusServer(const std::filesystem::path& dir, const std::string& id, const BusServerOptions& options,
                 const std::atomic<bool>& stop)
{
    const std::filesystem::path socketPath = dir / (id + ".sock");
    const std::filesystem::path jsonPath = dir / (id + ".json");
    std::shared_ptr<SimulatedAmplifier> amplifier =
        options.amplifier ? options.amplifier : std::make_shared<SimulatedAmplifier>(options.sim);

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.native().size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return setupFailed("socket path " + socketPath.string());
    }
    std::strcpy(address.sun_path, socketPath.c_str());

    FileDescriptor listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (listener.get() < 0)
        return setupFailed("socket");
    // A socket file left by a simulator that was killed would block the bind.
    ::unlink(socketPath.c_str());
    if (::bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0)
        return setupFailed("bind " + socketPath.string());
    if (::listen(listener.get(), 1) < 0) {
        ::unlink(socketPath.c_str());
        return setupFailed("listen");
    }
    // Hosts take a device as attached once its json exists, so it comes last
    // and whole.
    if (!writeFileAtomically(jsonPath, deviceJson(options.strings))) {
        ::unlink(socketPath.c_str());
        return setupFailed("write " + jsonPath.string());
    }
    LogWrite("dravo-sim: %s on %s\n", id.c_str(), socketPath.c_str());
    if (options.onReady)
        options.onReady(socketPath);

    while (!stop) {
        pollfd p{listener.get(), POLLIN, 0};
        const int ready = ::poll(&p, 1, kPollMs);
        if (ready <= 0)
            continue;
        FileDescriptor host(::accept4(listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (host.get() >= 0)
            serveHost(host.get(), *amplifier, stop);
    }

    std::error_code ignored;
    std::filesystem::remove(jsonPath, ignored);
    std::filesystem::remove(socketPath, ignored);
    LogWrite("dravo-sim: %s stopped\n", id.c_str());
    return 0;
}

} // namespace dravo::sim
