#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/win32/window_controls.h"
#include "app/window/outcome_dialog.h"
#include "app/window/outcome_layout.h"

namespace konwerter::win32 {

// Opens a file in the system's browser (the report); tests put their own in its place.
using ReportOpener = std::function<void(const std::wstring& path)>;
ReportOpener ShellReportOpener();

// The dialog at the end of a run (app/window/outcome_dialog.h) as a modal Windows window:
// the icon, the outcome text (read-only, scrolling when long), the counts, the warnings per
// file in a tree view that scrolls, and the buttons "Otwórz raport", "Kopiuj" and "Zamknij"
// (or, for the plain end of a clean run, the text with "Otwórz raport" and "OK"). It opens
// sized to fit the screen's work area and lays its parts out again as the operator resizes
// it, at the fonts' scale. Enter presses the closing button; Escape and the close box close
// it.
class OutcomeFrame {
 public:
  OutcomeFrame(app::window::OutcomeDialog dialog, const WindowFonts& fonts, HWND owner,
               ReportOpener open_report);
  ~OutcomeFrame();
  OutcomeFrame(const OutcomeFrame&) = delete;
  OutcomeFrame& operator=(const OutcomeFrame&) = delete;

  // Shows the dialog until it closes.
  void RunModal();

  HWND window() const { return window_; }
  HWND text() const { return text_; }
  HWND facts() const { return facts_; }
  HWND list() const { return list_; }
  // The button of that kind. REQUIRES: the dialog has it.
  HWND button(app::window::OutcomeButton kind) const;
  bool closed() const { return done_; }

  static constexpr wchar_t kClassName[] = L"KonwerterWynik";

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(HWND window, UINT message, WPARAM w, LPARAM l);
  HWND Part(const wchar_t* window_class, const std::wstring& text, DWORD style, DWORD ex_style = 0);
  void CreateParts();
  void FillList();
  void LayOut();
  void Pressed(app::window::OutcomeButton kind);
  void CopyToClipboard() const;
  app::window::TextMeasures Measures() const;
  DWORD Style() const;

  app::window::OutcomeDialog dialog_;
  const WindowFonts& fonts_;
  HWND owner_;
  ReportOpener open_report_;
  HWND window_ = nullptr;
  HWND icon_ = nullptr;
  HWND text_ = nullptr;
  HWND facts_ = nullptr;
  HWND list_title_ = nullptr;
  HWND list_ = nullptr;
  std::vector<HWND> buttons_;  // in the order of dialog_.buttons
  bool done_ = false;
};

}  // namespace konwerter::win32
