#pragma once

#include <windows.h>

#include <memory>

#include "app/win32/grid_control.h"
#include "app/win32/message_boxes.h"
#include "app/win32/window_controls.h"
#include "app/window/renumbering_dialog.h"
#include "run/run_options.h"

namespace konwerter::win32 {

// The renumbering dialog (TForm2) as a modal Windows window, its grid a list view edited in
// place (grid_control.h); every edit goes straight into the dialog's rules.
class RenumberingFrame {
 public:
  RenumberingFrame(app::window::RenumberingDialog& rules, run::RunOptions& options,
                   const WindowFonts& fonts, HWND owner);
  ~RenumberingFrame();
  RenumberingFrame(const RenumberingFrame&) = delete;
  RenumberingFrame& operator=(const RenumberingFrame&) = delete;

  // Shows the dialog until it closes; true when it closed with OK.
  bool RunModal();

  HWND window() const { return window_; }
  GridControl& grid() { return *grid_; }
  HWND Control(std::string_view name) const { return controls_->Get(name); }
  // Fills the grid and the boxes from the rules, as every showing does (the grid from the
  // renumbering file when it can be read).
  void ShowRules();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(HWND window, UINT message, WPARAM w, LPARAM l);
  void Command(int id, int code, HWND control);
  void Leave();

  app::window::RenumberingDialog& rules_;
  run::RunOptions& options_;
  const WindowFonts& fonts_;
  HWND owner_;
  HWND window_ = nullptr;
  std::unique_ptr<GridControl> grid_;
  std::unique_ptr<ControlWindows> controls_;
  std::unique_ptr<MessageBoxes> messages_;
  bool done_ = false;
  bool accepted_ = false;
};

}  // namespace konwerter::win32
