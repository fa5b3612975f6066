#include "OpenFailure.h"

#include <cerrno>
#include <unistd.h>

namespace dravo {

namespace {

struct ErrnoOutcome {
    int err;
    OpenError error;
};

constexpr ErrnoOutcome kErrnoOutcomes[] = {
    {EACCES, OpenError::PermissionDenied},
    {EPERM, OpenError::PermissionDenied},
    {ENOENT, OpenError::NotFound},
    {ENODEV, OpenError::NotFound},
    {ENXIO, OpenError::NotFound},
    {ECONNREFUSED, OpenError::NotFound},
};

} // namespace

OpenError openErrorFromErrno(int err) {
    for (const auto& outcome : kErrnoOutcomes) {
        if (outcome.err == err)
            return outcome.error;
    }
    return OpenError::Failed;
}

OpenError diagnoseHidrawOpen(const std::string& path) {
    if (::access(path.c_str(), R_OK | W_OK) == 0)
        return OpenError::Failed;
    return openErrorFromErrno(errno);
}

std::string hidrawOpenMessage(const std::string& path, OpenError error, const std::string& detail) {
    switch (error) {
    case OpenError::PermissionDenied:
        return "Permission denied opening " + path +
               ". Install the udev rule 70-dravo.rules (packaging/70-dravo.rules; "
               "\"cmake --install\" puts it under lib/udev/rules.d), reload the rules with "
               "\"udevadm control --reload && udevadm trigger\", then plug the amplifier in again.";
    case OpenError::NotFound:
        return "No device at " + path + " (unplugged?)";
    case OpenError::None:
    case OpenError::Failed:
        break;
    }
    return "Unable to open " + path + (detail.empty() ? std::string() : ": " + detail);
}

OpenResult openFailure(OpenError error, std::string message) {
    OpenResult result;
    result.error = error;
    result.message = std::move(message);
    return result;
}

} // namespace dravo
