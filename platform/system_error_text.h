#pragma once
// The system's texts for error codes: FormatMessageA from the system's own table
// or from a module loaded as a data file (LoadLibraryExA, FreeLibrary).
#include <string>

namespace platform {

struct ModuleObject;
using Module = ModuleObject*;

inline constexpr unsigned long kLoadLibraryAsDatafile = 0x00000002;

inline constexpr unsigned long kFormatMessageAllocateBuffer = 0x0100;
inline constexpr unsigned long kFormatMessageIgnoreInserts = 0x0200;
inline constexpr unsigned long kFormatMessageFromHmodule = 0x0800;
inline constexpr unsigned long kFormatMessageFromSystem = 0x1000;

inline constexpr unsigned long kLangUserDefault = 0x400;

class SystemErrorText {
 public:
  virtual ~SystemErrorText() = default;

  // LoadLibraryExA without a file handle; null when the module cannot be loaded.
  virtual Module LoadModule(const char* file_name, unsigned long flags) = 0;
  virtual void UnloadModule(Module module) = 0;
  // FormatMessageA into a buffer the system allocates (and which is released
  // here): the text, or an empty text when the system has none.
  virtual std::string Format(unsigned long flags, Module module, unsigned long code,
                             unsigned long language) = 0;
};

}  // namespace platform
