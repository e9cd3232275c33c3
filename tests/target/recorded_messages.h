#pragma once

#include <vector>

#include "platform/operator_messages.h"

namespace konwerter::target::testing {

// Operator messages that are only recorded; every one is answered with OK.
class RecordedMessages : public platform::OperatorMessages {
 public:
  platform::MessageAnswer Show(const platform::OperatorMessage& message) override {
    shown.push_back(message);
    return platform::MessageAnswer::kOk;
  }

  std::vector<platform::OperatorMessage> shown;
};

}  // namespace konwerter::target::testing
