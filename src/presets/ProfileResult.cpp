#include "ProfileResult.h"

#include "ProductInfo.h"

namespace dravo {

std::string describe(const ProfileResult& result)
{
    switch (result.status) {
    case ProfileStatus::Ok: return "ok";
    case ProfileStatus::CannotOpen: return "cannot open or read the file";
    case ProfileStatus::NotJson: return "the file is not a profile (not JSON text)";
    case ProfileStatus::WrongModel:
        return "the profile is for another model" + (result.detail.empty() ? "" : " (" + result.detail + ")") +
               ", not the " + kModelName;
    case ProfileStatus::InvalidItem: return "invalid item \"" + result.detail + "\" in the profile";
    case ProfileStatus::CannotCreate: return "cannot create the file";
    }
    return "unknown failure";
}

} // namespace dravo
