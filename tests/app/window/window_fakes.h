#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/progress_view.h"
#include "app/window/main_window.h"
#include "platform/operator_messages.h"
#include "platform/text_encoding.h"

namespace konwerter::testing {

// Answers questions from a script (No when it runs out) and keeps every message shown.
class RecordedMessages final : public platform::OperatorMessages {
 public:
  explicit RecordedMessages(std::vector<platform::MessageAnswer> answers = {})
      : answers_(std::move(answers)) {}
  platform::MessageAnswer Show(const platform::OperatorMessage& message) override {
    shown.push_back(message);
    if (message.buttons == platform::MessageButtons::kOk) return platform::MessageAnswer::kOk;
    if (answers_.empty()) return platform::MessageAnswer::kNo;
    const platform::MessageAnswer answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
  }
  // The texts shown, as UTF-8.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& message : shown) texts.push_back(platform::Utf8FromCp1250(message.text));
    return texts;
  }

  std::vector<platform::OperatorMessage> shown;

 private:
  std::vector<platform::MessageAnswer> answers_;
};

// A main window that records what the rules asked of it.
class FakeHost final : public app::window::MainWindowHost {
 public:
  std::optional<std::string> ChooseFile() override {
    ++file_dialogs;
    return chosen_file;
  }
  bool RunRenumberingDialog() override {
    ++dialogs;
    return dialog_ends_with_ok;
  }
  void ShowFields() override { ++refreshes; }
  void SetBusy(bool busy) override { busy_changes.push_back(busy); }
  void CloseWindow() override { closed = true; }

  std::optional<std::string> chosen_file;
  bool dialog_ends_with_ok = false;
  int file_dialogs = 0;
  int dialogs = 0;
  int refreshes = 0;
  std::vector<bool> busy_changes;
  bool closed = false;
};

// A progress display that keeps the captions and the highest run position.
class RecordedProgress final : public app::ProgressView {
 public:
  void ShowRunPosition(int position) override { run_positions.push_back(position); }
  void ShowTable(std::string_view caption, int) override {
    captions.push_back(platform::Utf8FromCp1250(caption));
  }
  void ShowRecordPosition(int) override { ++record_positions; }
  void Pause() override { ++pauses; }
  void Reset() override { ++resets; }

  std::vector<int> run_positions;
  std::vector<std::string> captions;
  int record_positions = 0;
  int pauses = 0;
  int resets = 0;
};

}  // namespace konwerter::testing
