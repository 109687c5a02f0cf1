#pragma once
// One run of Simlocate: compare the folder it was started from with the
// registered one, ask the user and record the folder.
#include <string_view>

#include "registrar/command_line.h"
#include "registrar/registrar_platform.h"

namespace registrar {

inline constexpr unsigned long kErrorBadPathname = 161;

// 1 when the registry already held the folder or the folder was written, 0
// otherwise. A program path without a folder ends the process with
// kErrorBadPathname after an error box; a failed write ends it through FatalError.
int RunRegistrar(const RegistrarPlatform& system, const RunSettings& settings, std::string_view version);

// The main routine: the switches, then the run. Always 0.
int RegistrarMain(const RegistrarPlatform& system, int argc, const char* const* argv);

}  // namespace registrar
