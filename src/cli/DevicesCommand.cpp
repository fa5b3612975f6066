#include "CliCommands.h"
#include "DeviceLink.h"

#include <cstdio>

namespace dravo::cli {

int devices(const std::vector<std::string>& args)
{
    if (!args.empty()) {
        std::fprintf(stderr, "dravo-cli devices: takes no arguments\n");
        return kUsage;
    }
    DeviceLink link(makeDefaultBackend());
    link.UpdateDeviceList();
    const auto& rows = link.Devices().Rows();
    for (const DeviceEntry& row : rows)
        std::printf("%s\t%s\t%s\n", row.displayName.c_str(), row.nickname.c_str(), row.path.c_str());
    return kOk;
}

} // namespace dravo::cli
