// dravo-cli: scripted access to a DRAVO-8.12 amplifier, real or simulated
// (DRAVO_HID_BUS selects the virtual HID bus).
#include "CliCommands.h"
#include "Log.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"devices", dravo::cli::devices, "devices                 list the amplifiers that are plugged in"},
    {"probe", dravo::cli::probe, "probe [--device PATH]   ask an amplifier for its model and firmware version"},
    {"save", dravo::cli::save, "save FILE.spf|FILE.wpf [--device PATH]\n"
                               "                          read the amplifier and write its live state (.spf) or\n"
                               "                          everything with its ten scenes (.wpf) to a profile"},
    {"load", dravo::cli::load, "load FILE [--device PATH]\n"
                               "                          check a profile and send it to the amplifier"},
    {"curve", dravo::cli::curve, "curve FILE --output N   print the response curve of output N (1..12) of a\n"
                                 "                          profile: frequency (Hz), gain (dB), phase (degrees)"},
};

int usage()
{
    std::fprintf(stderr, "usage: dravo-cli COMMAND [options]\n");
    for (const Command& c : kCommands)
        std::fprintf(stderr, "  %s\n", c.usage);
    return dravo::cli::kUsage;
}

} // namespace

int main(int argc, char** argv)
{
    dravo::LogStartup();
    if (argc < 2)
        return usage();
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(args);
    std::fprintf(stderr, "dravo-cli: unknown command '%s'\n", argv[1]);
    return usage();
}
