#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/progress_view.h"
#include "app/win32/message_boxes.h"
#include "app/win32/window_controls.h"
#include "app/window/main_window.h"
#include "platform/clock.h"
#include "run/session.h"

namespace konwerter::win32 {

// The main window "Konwerter" (TForm1) as a Windows window: its controls, the file-open
// dialog, the renumbering dialog, the busy cursor and the progress display of a run. The
// rules of every control live in app::window::MainWindow; this class only draws them and
// forwards the operator's clicks and typing.
class MainFrame final : public app::window::MainWindowHost, public app::ProgressView {
 public:
  MainFrame(app::window::MainWindow& rules, run::Session& session, const platform::Clock& clock,
            const WindowFonts& fonts);
  ~MainFrame() override;
  MainFrame(const MainFrame&) = delete;
  MainFrame& operator=(const MainFrame&) = delete;

  HWND window() const { return window_; }
  // The fonts the controls are drawn with, of the scale of the window's screen.
  const WindowFonts& fonts() const { return *current_fonts_; }
  HWND Control(std::string_view name) const { return controls_->Get(name); }

  // MainWindowHost
  std::optional<std::string> ChooseFile() override;
  bool RunRenumberingDialog() override;
  void ShowFields() override;
  void SetBusy(bool busy) override;
  void CloseWindow() override;

  // ProgressView
  void ShowRunPosition(int position) override;
  void ShowTable(std::string_view caption, int record_maximum) override;
  void ShowRecordPosition(int position) override;
  void Pause() override;
  void Reset() override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(HWND window, UINT message, WPARAM w, LPARAM l);
  void Command(int id, int code, HWND control);
  // "O programie..." in the window's system menu.
  void AddAboutEntry();
  // Lays the window out again for a screen of `scale`; `frame`: the window's new place, as
  // Windows suggests it (nullptr: where it stands, sized for the scale).
  void Rescale(DisplayScale scale, const RECT* frame);
  // Repaints and answers the system during a run (so that Windows never takes the window
  // for hung), dropping the operator's clicks and keys to this window while it is busy.
  void ProcessMessages();
  void ProcessMessagesNowAndThen();
  bool IsInputToThisWindow(const MSG& message) const;

  static constexpr ULONGLONG kProcessingInterval = 50;  // milliseconds

  app::window::MainWindow& rules_;
  run::Session& session_;
  const platform::Clock& clock_;
  const WindowFonts& fonts_;
  // The fonts of the other scales the window was shown at, by dots per inch: kept while the
  // window lives, as a dialog open over it may still draw with them.
  std::map<int, std::unique_ptr<WindowFonts>> scaled_fonts_;
  const WindowFonts* current_fonts_ = &fonts_;
  HWND window_ = nullptr;
  std::unique_ptr<ControlWindows> controls_;
  std::unique_ptr<MessageBoxes> messages_;
  HWND focus_ = nullptr;  // the control to have the focus when the window is activated
  bool busy_ = false;
  bool showing_fields_ = false;
  ULONGLONG last_processing_ = 0;
};

}  // namespace konwerter::win32
