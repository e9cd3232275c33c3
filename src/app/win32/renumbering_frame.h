#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/win32/message_boxes.h"
#include "app/win32/window_controls.h"
#include "app/window/renumbering_dialog.h"
#include "run/run_options.h"

namespace konwerter::win32 {

// The renumbering dialog (TForm2) as a modal Windows window. Its grid is drawn as a title
// row and one pair of edit fields per visible row ("Stary numer", "Nowy numer"), with a
// scroll bar when the rows do not fit; every edit goes straight into the dialog's rules.
class RenumberingFrame {
 public:
  RenumberingFrame(app::window::RenumberingDialog& rules, run::RunOptions& options,
                   const WindowFonts& fonts, HWND owner);
  ~RenumberingFrame();
  RenumberingFrame(const RenumberingFrame&) = delete;
  RenumberingFrame& operator=(const RenumberingFrame&) = delete;

  // Shows the dialog until it closes; true when it closed with OK.
  bool RunModal();

 private:
  struct CellPair {
    HWND old_number;
    HWND new_number;
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(HWND window, UINT message, WPARAM w, LPARAM l);
  void Command(int id, int code, HWND control);
  void CreateGrid();
  void ShowGrid();
  void ShowRowVisible(int row);
  HWND CreateChild(const wchar_t* window_class, const wchar_t* text, DWORD style,
                   const app::window::Bounds& bounds, int id) const;
  void Leave();

  app::window::RenumberingDialog& rules_;
  run::RunOptions& options_;
  const WindowFonts& fonts_;
  HWND owner_;
  HWND window_ = nullptr;
  std::unique_ptr<ControlWindows> controls_;
  std::unique_ptr<MessageBoxes> messages_;
  std::vector<CellPair> cells_;
  HWND scroll_ = nullptr;
  int top_row_ = 0;
  bool filling_ = false;
  bool done_ = false;
  bool accepted_ = false;
};

}  // namespace konwerter::win32
