#include "CliCommands.h"
#include "CommandCodes.h"
#include "DeviceLink.h"
#include "MessageIds.h"
#include "ProductInfo.h"
#include "Records.h"

#include <cstdio>
#include <mutex>
#include <optional>

namespace dravo::cli {
namespace {

// Keeps the handshake the decoder posts; it arrives on the reading thread.
class HandshakeCatcher final : public MessageSink {
public:
    void post(Message message) override
    {
        if (message.id != WM_READ_MCU_VALUE || message.wParam != MCU_HANDSHAKE)
            return;
        if (auto* record = dynamic_cast<HandshakeRecord*>(message.record.get())) {
            std::lock_guard lock(mMutex);
            mHandshake = *record;
        }
    }
    std::optional<HandshakeRecord> handshake()
    {
        std::lock_guard lock(mMutex);
        return mHandshake;
    }

private:
    std::mutex mMutex;
    std::optional<HandshakeRecord> mHandshake;
};

int reportOpenFailure(const OpenFailure& failure, const std::string& path)
{
    const char* what = path.empty() ? "the amplifier" : path.c_str();
    switch (failure.error) {
    case OpenError::NotFound:
        std::fprintf(stderr, "dravo-cli probe: no amplifier found%s%s\n", path.empty() ? "" : " at ",
                     path.c_str());
        return kNoDevice;
    case OpenError::PermissionDenied:
        std::fprintf(stderr, "dravo-cli probe: permission denied opening %s: %s\n", what, failure.message.c_str());
        return kCannotOpen;
    default:
        std::fprintf(stderr, "dravo-cli probe: cannot open %s%s%s\n", what, failure.message.empty() ? "" : ": ",
                     failure.message.c_str());
        return kCannotOpen;
    }
}

} // namespace

int probe(const std::vector<std::string>& args)
{
    std::string path;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--device" && i + 1 < args.size()) {
            path = args[++i];
        } else {
            std::fprintf(stderr, "dravo-cli probe: unexpected argument '%s'\n", args[i].c_str());
            return kUsage;
        }
    }

    DeviceLink link(makeDefaultBackend());
    HandshakeCatcher catcher;
    link.SetTarget(Target::Main, &catcher);

    link.OpenHIDDevice(path);
    if (!link.IsConnected())
        return reportOpenFailure(link.LastOpenError(), path);

    link.PC_Connect(1);
    const bool answered = link.Hand_Connect();
    const auto handshake = catcher.handshake();
    const bool normalMode = link.State().mcuIsNormalMode.load() != 0;
    link.CloseHIDDevice(true);
    link.SetTarget(Target::Main, nullptr);

    if (!answered) {
        std::fprintf(stderr, "dravo-cli probe: the device did not answer the handshake\n");
        return kNoAnswer;
    }
    if (!normalMode) {
        std::fprintf(stderr, "dravo-cli probe: the amplifier is in its loader (firmware update mode)\n");
        return kWrongModel;
    }
    if (!handshake) {
        std::fprintf(stderr, "dravo-cli probe: the device answered, but not with a handshake\n");
        return kNoAnswer;
    }
    if (handshake->model != kModelId) {
        std::fprintf(stderr, "dravo-cli probe: wrong model %d (this program tunes the %s, model %d)\n",
                     handshake->model, kModelName, kModelId);
        return kWrongModel;
    }
    std::printf("model %d (%s)\nfirmware version %d.%d\n", handshake->model, kModelName, handshake->master,
                handshake->slave);
    return kOk;
}

} // namespace dravo::cli
