#pragma once
// The running process itself.

namespace platform {

class Process {
 public:
  virtual ~Process() = default;

  // Ends the process normally (buffered output is flushed) with this exit status.
  [[noreturn]] virtual void Exit(unsigned long code) = 0;
};

}  // namespace platform
