#pragma once
// Scene Profile (".spf"): one parameter set as unformatted JSON.
//
// A file is taken whole or not at all: the items are read into a copy and
// the record changes only when every item was good, so a damaged or foreign
// file never costs the user the tuning they had.
#include "ManagerHost.h"
#include "ProfileResult.h"
#include "SenceConfig.h"

#include <string>
#include <string_view>

namespace dravo {

// The file's content for `record`.
std::string SceneProfileText(const SenceConfig& record);

// Checks `text` and, when the whole of it is good, stores it into `record`.
ProfileResult parseSceneProfile(std::string_view text, SenceConfig& record);
// The same from a file.
ProfileResult loadSceneProfile(const std::string& path, SenceConfig& record);
ProfileResult saveSceneProfile(const SenceConfig& record, const std::string& path);

// The codec as the program uses it, with the log lines and message boxes:
// "${profile_save_ok}" / "${profile_create_error}" when `showMessages`.
bool WriteSceneProfile(const SenceConfig& record, const std::string& path, ManagerHost& host, bool showMessages);
// "${profile_open_error}" and "${software_not_match}" are always shown,
// "${profile_load_error}" only with `showMessages`. On any failure the
// record is left as it was.
bool ReadSceneProfile(const std::string& path, SenceConfig& record, ManagerHost& host, bool showMessages);

} // namespace dravo
