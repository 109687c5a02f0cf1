#pragma once
// What Simlocate shows, as the user sees it: shared by the tests against the
// fakes and the tests of the real program under Wine.
#include <string>
#include <vector>

namespace registrar {

inline const std::string kCaption = "Aerolune - FS2004 Simlocate - version 1.0b";

struct ExpectedBox {
  std::string text;
  std::string caption;
  unsigned style;
};

enum class Box { kZip, kUnchanged, kConfirm, kInvalid, kCancelled };

inline ExpectedBox Expected(Box box, const std::string& folder, const std::string& registered) {
  switch (box) {
    case Box::kZip:
      return {"Warning: You cannot run this program from within a ZIP archive.\n\nYou must extract it to a valid "
              "FS2004 folder and run it from there. See documentation for details.\n\nClick OK to continue anyway "
              "(NOT recommended), or Cancel to Quit.",
              kCaption, 0x41};
    case Box::kUnchanged:
      return {"FS2004 Path in Registry:\n\n\tOld: \t" + registered + "\n\tNew: \t" + folder +
                  "\n\nOld and new paths are the same. No change is required. Click OK to Exit.",
              kCaption, 0x30};
    case Box::kConfirm:
      return {"FS2004 Path in Registry\n\n\tOld: \t" + registered + "\n\tNew: \t" + folder +
                  "\n\nIf New Path is not what you want, please check documentation on how to use this "
                  "program.\n\nClick OK to change path in registry, or Cancel to Quit.",
              kCaption, 0x31};
    case Box::kInvalid:
      return {"Warning: " + folder +
                  " is NOT a valid FS2004 Path.\n\nTo use this program, you must copy it into a valid FS2004 folder "
                  "and run it from there. See documentation for details.\n\nClick OK to continue anyway (NOT "
                  "recommended), or Cancel to Quit.",
              kCaption, 0x41};
    case Box::kCancelled:
      return {"Operation cancelled.", kCaption, 0x40};
  }
  return {};
}

inline std::vector<std::string> ExpectedBanner() {
  return {"",
          "Aerolune - FS FS2004 Simlocate 1.0b - Add FS Path to Registry",
          "",
          "Copyright (C) Aerolune. Freeware, provided as is, without any warranty.",
          "Copy this program into your flight simulator folder and run it from there.",
          ""};
}

inline std::vector<std::string> ExpectedHelpBlock() {
  return {"Aerolune - FS2004_Simlocate version 1.0b - Add FS2004 Path to Registry",
          "Copyright (C) Aerolune. Freeware, provided as is, without any warranty.",
          "Copy this program into your flight simulator folder and run it from there.",
          "",
          "Usage:",
          "",
          "FS2004_SIMLOCATE [-nofscheck] [-notmpcheck] [-noprompt] [-fspath <FS2004 path>]",
          ""};
}

}  // namespace registrar
