#pragma once
// Records every box shown and answers with the buttons queued, OK once they run out.
#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace fakes {

struct ShownBox {
  std::string text;
  std::string caption;
  unsigned style;
  bool operator==(const ShownBox&) const = default;
};

class FakeMessageBoxes final : public platform::MessageBoxes {
 public:
  std::vector<ShownBox> shown;
  std::deque<int> answers;

  int Show(const char* text, const char* caption, unsigned style) override {
    shown.push_back(ShownBox{text, caption, style});
    if (answers.empty()) return platform::kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace fakes
