// konwerter.exe: the operator's window for Windows, made with the Windows API alone.
// Start-up: the database session gets the Polish language driver and table level 5, the
// main window is created (its output folder: the program's own), and the message loop runs
// until the window closes, which a successful conversion does by itself.

#include <windows.h>

#include "app/win32/main_frame.h"
#include "app/win32/window_controls.h"
#include "app/window/main_window.h"
#include "platform/clock.h"
#include "platform/program_path.h"
#include "run/session.h"
#include "target/table_builder.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  konwerter::win32::EnsureCommonControls();

  konwerter::run::Session session;
  konwerter::target::ConfigureEngine(session.engine, false);
  const konwerter::platform::SystemClock clock;
  const konwerter::win32::WindowFonts fonts(konwerter::win32::SystemScale());
  konwerter::app::window::MainWindow rules(konwerter::platform::ProgramPath());
  konwerter::win32::MainFrame frame(rules, session, clock, fonts);
  ::ShowWindow(frame.window(), show);

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (frame.window() != nullptr && ::IsDialogMessageW(frame.window(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
