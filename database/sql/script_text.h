#pragma once
// Scripts are read in Windows-1252, the programs' own text; one written in UTF-8 (as editors
// on other systems save them) is taken as such and turned into Windows-1252 first.
#include <string>
#include <string_view>

namespace sql {

// The script in Windows-1252, without a leading UTF-8 byte order mark. A UTF-8 character
// that Windows-1252 cannot hold is a std::runtime_error naming its line.
std::string ScriptText(std::string_view bytes);

}  // namespace sql
