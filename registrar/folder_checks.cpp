#include "registrar/folder_checks.h"

#include "registrar/text.h"

namespace registrar {

bool SplitProgramPath(std::string_view path, std::string& folder) {
  if (path.empty() || path.size() > kMaxPathLength) return false;
  std::size_t dot = path.size() - 1;
  while (dot >= 1 && path[dot] != '.') --dot;
  if (dot == 0) return false;
  std::size_t separator = dot;
  while (separator >= 1 && path[separator] != '\\' && path[separator] != ':') --separator;
  if (separator == 0) return false;
  folder.assign(path.substr(0, separator));
  return true;
}

bool HasSceneryConfig(platform::FileAttributes& files, std::string_view folder) {
  std::string path(folder);
  path += path.ends_with('\\') ? "scenery.cfg" : "\\scenery.cfg";
  return files.Get(path.c_str()) != platform::kInvalidFileAttributes;
}

bool IsTempFolder(std::string_view folder) {
  const std::string lower = ToLowerAscii(folder);
  return lower.find("temp") != std::string::npos || lower.find("tmp") != std::string::npos;
}

}  // namespace registrar
