#pragma once
// The end of Simlocate when the registry cannot be written.
#include <string_view>

#include "registrar/registrar_platform.h"

namespace registrar {

// Reports the text with the thread's last-error code on the report stream and in
// an "Error" box, shows the system's text for the code, and ends the process
// with the code as exit status.
[[noreturn]] void FatalError(const RegistrarPlatform& system, std::string_view text);
[[noreturn]] void FatalError(const RegistrarPlatform& system, std::string_view prefix, std::string_view detail);

// Writes and shows (box "ErrorText") the system's text for the code, if it has
// one; network codes are looked up in "netmsg.dll" first.
void ShowErrorText(const RegistrarPlatform& system, unsigned long code);

}  // namespace registrar
