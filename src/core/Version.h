#pragma once

namespace Brivara {
inline constexpr const char *ProgramName = "Brivara";
inline constexpr const char *VersionText = "V1.7";
// The number the update check compares against the published one.
inline constexpr int VersionNumber = 45;
inline constexpr const char *Organisation = "Zendor";
// Shown on the empty video window; the maker's address is a build-time choice.
inline constexpr const char *WebAddress = "www.zendor.org/brivara";
} // namespace Brivara
