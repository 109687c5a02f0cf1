#pragma once
// A scratch simulator folder on drive C: holding a copy of Simlocate.exe and,
// when asked, a "scenery.cfg"; removed with everything in it when it goes.
// Drive C: of the prefix keeps "temp" and "tmp" out of the path, wherever the
// build lies, unless a case puts them in.
#include <string>

namespace registrar_wine {

inline const std::string kScratchRoot = "C:\\Simlocate tests";

class SimulatorFolder {
 public:
  SimulatorFolder(const std::string& relative_path, bool with_scenery);
  ~SimulatorFolder();
  SimulatorFolder(const SimulatorFolder&) = delete;
  SimulatorFolder& operator=(const SimulatorFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Program() const { return path_ + "\\Simlocate.exe"; }

 private:
  std::string path_;
};

}  // namespace registrar_wine
