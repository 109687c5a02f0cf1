#pragma once
// Deriving the simulator folder from a program path, and two tests on a folder.
#include <string>
#include <string_view>

#include "platform/file_attributes.h"

namespace registrar {

// Folders and the paths they come from hold at most this many characters.
inline constexpr std::size_t kMaxPathLength = 259;

// The folder in front of the separator ('\' or ':') that precedes the last '.'
// of the path; position 0 is never taken for either. False, with the folder
// untouched, when there is none or the path is longer than kMaxPathLength.
bool SplitProgramPath(std::string_view path, std::string& folder);

// Whether "scenery.cfg" (a file or a folder) exists in the folder.
bool HasSceneryConfig(platform::FileAttributes& files, std::string_view folder);

// Whether the path holds "temp" or "tmp" in any letter case: the sign of a
// program started from inside a ZIP archive, which unpacks to a temporary folder.
bool IsTempFolder(std::string_view folder);

}  // namespace registrar
