#pragma once
// fuelsend [--folder DIR] LEFT CENTRE RIGHT: the fuel transfer from a console,
// kilograms per tank; the texts the window would show go to standard output.
#include <ostream>
#include <string>
#include <vector>

namespace simlink {

// Exit status when the command line is not understood (result codes stop at 15).
constexpr int kFuelSendUsage = 64;

// The exit status: 0 after success, else the failing step's result code.
int RunFuelSend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace simlink
