#pragma once
// The simulator versions Simlocate knows and the registry key of each.
#include <string>
#include <string_view>

namespace registrar {

// The one version this build of Simlocate registers.
inline constexpr std::string_view kSimulatorVersion = "FS2004";

// The key under HKEY_LOCAL_MACHINE for a version text (its letters in any case);
// empty for an unrecognised version.
std::string SimulatorKeyPath(std::string_view version);

}  // namespace registrar
