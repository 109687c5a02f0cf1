#pragma once
// Reading and writing the simulator folder as "EXE Path" in the simulator's key.
#include <string>
#include <string_view>

#include "registrar/registrar_platform.h"

namespace registrar {

// The stored text (at most kMaxPathLength characters, ending at the first NUL or
// at the data's end). False, with the reason on the report stream, when the
// version is unrecognised or any registry step fails; the text is then undefined.
bool ReadRegisteredPath(const RegistrarPlatform& system, std::string& path, std::string_view version);

// Stores the folder, creating the key when absent. False only for an
// unrecognised version (nothing written); a registry failure ends the process
// through FatalError.
bool WriteRegisteredPath(const RegistrarPlatform& system, std::string_view folder, std::string_view version);

}  // namespace registrar
