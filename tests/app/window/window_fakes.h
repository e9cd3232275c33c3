#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/window/main_window.h"
#include "tests/support/recorded_messages.h"

namespace konwerter::testing {

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

}  // namespace konwerter::testing
