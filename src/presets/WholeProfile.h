#pragma once
// Whole Config Profile (".wpf"): the live parameter set plus the ten scenes
// stored in the amplifier and their names, as unformatted JSON.
//
// Taken whole or not at all, like a Scene Profile: the live record, the
// scene records and the names change only when every item was good.
#include "EqualizerManager.h"
#include "ManagerHost.h"
#include "ProfileResult.h"
#include "SceneNameTable.h"
#include "SenceConfig.h"

#include <array>
#include <string>
#include <string_view>

namespace dravo {

using SceneRecords = std::array<SenceConfig, kSceneSlots>;

std::string WholeProfileText(const SenceConfig& live, const SceneRecords& scenes, const SceneNameTable& names);

// Checks `text` and, when the whole of it is good, stores it.
ProfileResult parseWholeProfile(std::string_view text, SenceConfig& live, SceneRecords& scenes,
                                SceneNameTable& names);
ProfileResult loadWholeProfile(const std::string& path, SenceConfig& live, SceneRecords& scenes,
                               SceneNameTable& names);
ProfileResult saveWholeProfile(const SenceConfig& live, const SceneRecords& scenes, const SceneNameTable& names,
                               const std::string& path);

// The codec as the program uses it. Writing shows nothing; reading shows
// "${profile_open_error}", "${profile_load_error}" or "${software_not_match}"
// and leaves everything as it was on any failure.
bool WriteWholeProfile(const SenceConfig& live, const SceneRecords& scenes, const SceneNameTable& names,
                       const std::string& path);
bool ReadWholeProfile(const std::string& path, SenceConfig& live, SceneRecords& scenes, SceneNameTable& names,
                      ManagerHost& host);
// Into the manager's live record, scene records and scene names.
bool ReadWholeProfile(const std::string& path, EqualizerManager& manager);

} // namespace dravo
