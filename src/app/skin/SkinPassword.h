#pragma once
// The skin archive's members are encrypted with the traditional zip cipher.
// It keeps casual eyes off the layouts and pictures; the program carries the
// key, so it protects nothing more than that. The build tool that packs the
// skin uses this same constant.

namespace dravo {

inline constexpr const char* kSkinPassword = "kelmor-vabt-pinzok";

} // namespace dravo
