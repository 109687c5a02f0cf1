#include "simlink/fuelsend/fuelsend.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "simlink/fuel_transfer.h"

namespace simlink {

namespace {

constexpr char kUsage[] =
    "usage: fuelsend [--folder DIR] LEFT CENTRE RIGHT\n"
    "  kilograms in the left main, centre and right main tanks (whole numbers;\n"
    "  held to 0..3914, 0..13064 and 0..3914 as the fuel gauges do)\n";

class ConsoleView final : public TransferView {
 public:
  explicit ConsoleView(std::ostream& out) : out_(out) {}
  void SetStatusText(const std::string& text) override { out_ << text << '\n'; }
  void ShowInformation(const std::string& text) override { out_ << text << '\n'; }
  void ShowMessage(const std::string& text, const std::string&) override { out_ << text << '\n'; }

 private:
  std::ostream& out_;
};

std::optional<int> WholeNumber(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

int RunFuelSend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string folder;
  std::vector<std::string> tanks;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size()) {
      folder = args[++i];
    } else {
      tanks.push_back(args[i]);
    }
  }
  std::optional<int> kilograms[3];
  if (tanks.size() == 3) {
    for (int i = 0; i < 3; ++i) kilograms[i] = WholeNumber(tanks[i]);
  }
  if (!kilograms[0] || !kilograms[1] || !kilograms[2]) {
    err << kUsage;
    return kFuelSendUsage;
  }
  // The levels are held to the gauges' ranges as the gauges hold their values.
  const TankGauges gauges{{*kilograms[0], kMainTankMaximum},
                          {*kilograms[1], kCentreTankMaximum},
                          {*kilograms[2], kMainTankMaximum}};
  ConsoleView view(out);
  const std::uint32_t result = SendFuelToSimulator(gauges, folder, view);
  out.flush();
  return static_cast<int>(result);
}

}  // namespace simlink
