#pragma once
// Profile files as whole texts. Writing goes to a temporary file in the same
// folder that replaces the target only once it is complete, so a failed or
// interrupted save never leaves a cut-off profile where the old one was.
#include <optional>
#include <string>

namespace dravo {

// The whole file; nothing when it cannot be opened or read to its end.
std::optional<std::string> readProfileFile(const std::string& path);

// True when `text` is in place under `path`.
bool writeProfileFile(const std::string& path, const std::string& text);

} // namespace dravo
