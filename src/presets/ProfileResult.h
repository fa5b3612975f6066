#pragma once
// What became of reading or writing a profile file, and the texts the user
// is shown for it.
#include <string>

namespace dravo {

enum class ProfileStatus {
    Ok,
    CannotOpen,    // missing, unreadable or cut short
    NotJson,
    WrongModel,    // "model" is not this amplifier's
    InvalidItem,   // an item missing, of the wrong type or shape, or out of range
    CannotCreate,  // the file could not be written
};

struct ProfileResult {
    ProfileStatus status = ProfileStatus::Ok;
    // For InvalidItem: the first bad item, such as "channels[3].eqArray";
    // for WrongModel: the model number found, when there was one.
    std::string detail;

    bool ok() const { return status == ProfileStatus::Ok; }
};

// One line for a person reading a terminal or the log.
std::string describe(const ProfileResult& result);

// Language ids of the message boxes.
inline constexpr const char* kTipsTitle = "${tips}";
inline constexpr const char* kConfirmCaption = "${confirm}";
inline constexpr const char* kProfileSaveOk = "${profile_save_ok}";
inline constexpr const char* kProfileCreateError = "${profile_create_error}";
inline constexpr const char* kProfileOpenError = "${profile_open_error}";
inline constexpr const char* kProfileLoadError = "${profile_load_error}";
inline constexpr const char* kSoftwareNotMatch = "${software_not_match}";

} // namespace dravo
