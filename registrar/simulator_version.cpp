#include "registrar/simulator_version.h"

#include "registrar/text.h"

namespace registrar {

std::string SimulatorKeyPath(std::string_view version) {
  std::string key_path;
  if (EqualsIgnoringAsciiCase(version, "FS2002")) key_path = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
  if (EqualsIgnoringAsciiCase(version, "FS2004")) key_path = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
  return key_path;
}

}  // namespace registrar
