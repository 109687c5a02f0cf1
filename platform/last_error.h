#pragma once
// The calling thread's last-error value (GetLastError, SetLastError).

namespace platform {

class LastError {
 public:
  virtual ~LastError() = default;

  virtual unsigned long Get() = 0;
  virtual void Set(unsigned long code) = 0;
};

}  // namespace platform
