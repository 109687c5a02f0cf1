#include "registrar/wine_tests/simulator_folder.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "testing/wine/child_process.h"

namespace registrar_wine {

SimulatorFolder::SimulatorFolder(const std::string& relative_path, bool with_scenery)
    : path_(kScratchRoot + "\\" + relative_path) {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
  std::filesystem::create_directories(path_);
  std::filesystem::copy_file(wine_testing::ProgramDir() + "\\Simlocate.exe", Program());
  if (with_scenery) std::ofstream(path_ + "\\scenery.cfg") << "[General]\nTitle=FS9 World Scenery\n";
}

SimulatorFolder::~SimulatorFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
  // Then the parents this folder needed, as far as they are empty.
  for (std::filesystem::path parent = std::filesystem::path(path_).parent_path();
       parent.string().size() >= kScratchRoot.size() && std::filesystem::remove(parent, ignored);
       parent = parent.parent_path()) {
  }
}

}  // namespace registrar_wine
