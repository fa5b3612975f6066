#pragma once
// The commands of dravo-cli. Each returns the process exit code; failures
// print one line on standard error.
#include <string>
#include <vector>

namespace dravo::cli {

enum ExitCode {
    kOk = 0,
    kUsage = 1,
    kNoDevice = 2,
    kCannotOpen = 3,
    kNoAnswer = 4,
    kWrongModel = 5,
    kBadProfile = 6,
    kCannotWrite = 7,
};

int devices(const std::vector<std::string>& args);
int probe(const std::vector<std::string>& args);
// Profile files (ProfileCommands.cpp).
int save(const std::vector<std::string>& args);
int load(const std::vector<std::string>& args);
int curve(const std::vector<std::string>& args);

} // namespace dravo::cli
