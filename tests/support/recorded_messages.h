#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/progress_view.h"
#include "platform/operator_messages.h"
#include "platform/text_encoding.h"

namespace konwerter::testing {

// Operator messages that are kept, for the tests and the benchmarks: a message with only OK is
// answered OK, a question with the next of the scripted answers, and once they run out with
// `answer_after_script` (No unless told otherwise).
class RecordedMessages final : public platform::OperatorMessages {
 public:
  explicit RecordedMessages(
      std::vector<platform::MessageAnswer> answers = {},
      platform::MessageAnswer answer_after_script = platform::MessageAnswer::kNo)
      : answers_(std::move(answers)), answer_after_script_(answer_after_script) {}

  platform::MessageAnswer Show(const platform::OperatorMessage& message) override {
    shown.push_back(message);
    if (message.buttons == platform::MessageButtons::kOk) return platform::MessageAnswer::kOk;
    if (next_answer_ == answers_.size()) return answer_after_script_;
    return answers_[next_answer_++];
  }

  // The texts shown, as UTF-8.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& message : shown) texts.push_back(platform::Utf8FromCp1250(message.text));
    return texts;
  }

  std::vector<platform::OperatorMessage> shown;  // texts in cp1250

 private:
  std::vector<platform::MessageAnswer> answers_;
  std::size_t next_answer_ = 0;
  platform::MessageAnswer answer_after_script_;
};

// A progress display that keeps what it was shown.
class RecordedProgress final : public app::ProgressView {
 public:
  void ShowRunPosition(int position) override { run_position = position; }
  void ShowTable(std::string_view caption, int) override { tables.emplace_back(caption); }
  void ShowRecordPosition(int) override { ++record_positions; }
  void Pause() override { ++pauses; }
  void Reset() override { ++resets; }

  int run_position = 0;
  int record_positions = 0;
  int pauses = 0;
  int resets = 0;
  std::vector<std::string> tables;  // the captions shown, cp1250
};

}  // namespace konwerter::testing
