#pragma once
// The simulator's key in the 32-bit view of the prefix's registry, as the tests
// prepare and inspect it; the key is removed on construction and destruction.
#include <optional>
#include <string>

namespace registrar_wine {

inline const std::string kKeyPath = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
inline const std::string kParentPath = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator";

class SimulatorKey {
 public:
  SimulatorKey();
  ~SimulatorKey();
  SimulatorKey(const SimulatorKey&) = delete;
  SimulatorKey& operator=(const SimulatorKey&) = delete;

  // "EXE Path" as REG_SZ data of exactly these bytes.
  void StoreBytes(const std::string& data);
  void StoreText(const std::string& text) { StoreBytes(text + '\0'); }
  void CreateEmptyKey();

  // "EXE Path" as reg.exe reports it (reg query /reg:32); none when absent.
  static std::optional<std::string> Query();
  // Whether the key exists in the 64-bit view, where nothing should write it.
  static bool ExistsIn64BitView();

 private:
  static void Remove();
};

// Makes creating the simulator's key fail for real while it lives: the parent key
// either denies creating subkeys to everyone, or is volatile.
class UncreatableKey {
 public:
  enum class Reason { kAccessDenied, kVolatileParent };
  explicit UncreatableKey(Reason reason);
  ~UncreatableKey();
  UncreatableKey(const UncreatableKey&) = delete;
  UncreatableKey& operator=(const UncreatableKey&) = delete;

 private:
  Reason reason_;
};

}  // namespace registrar_wine
