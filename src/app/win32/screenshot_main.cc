// konwerter-screenshots.exe DIR: draws the native windows for the README and saves them in
// DIR as bitmaps: the main window as the operator first sees it (konwerter-windows.bmp),
// the renumbering dialog (przenumerowanie-windows.bmp), and the dialog that ends a
// conversion of the sample site, which has warnings (wynik-konwersji-windows.bmp). The sample
// site is written to C:\TEROKAN and converted to C:\TEROKAN-WIN, so the pictures show plain
// folders. scripts/windows-screenshot.sh runs it under Wine and a virtual X server.

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/win32/main_frame.h"
#include "app/win32/outcome_frame.h"
#include "app/win32/renumbering_frame.h"
#include "app/win32/window_controls.h"
#include "app/window/main_window.h"
#include "app/window/outcome_dialog.h"
#include "platform/clock.h"
#include "run/session.h"
#include "target/table_builder.h"
#include "tools/sample/sample_site.h"

namespace {

using konwerter::platform::MessageAnswer;
using konwerter::platform::OperatorMessage;

// Lets the windows paint what they show.
void Settle() {
  for (int round = 0; round < 20; ++round) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::Sleep(50);
  }
}

// The window as it stands on the screen, frame included, saved as a 24-bit bitmap file.
bool Save(HWND window, const std::filesystem::path& file) {
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Settle();
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const HDC screen = ::GetDC(nullptr);
  const HDC copy = ::CreateCompatibleDC(screen);
  const HBITMAP picture = ::CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ previous = ::SelectObject(copy, picture);
  ::BitBlt(copy, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
  ::SelectObject(copy, previous);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as bitmap files keep their rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int row = (width * 3 + 3) / 4 * 4;
  std::vector<char> pixels(static_cast<std::size_t>(row) * static_cast<std::size_t>(height));
  ::GetDIBits(copy, picture, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  ::DeleteObject(picture);
  ::DeleteDC(copy);
  ::ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file_header{};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof file_header + sizeof header;
  file_header.bfSize = file_header.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file_header), sizeof file_header);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

// Keeps the last message of a run and answers questions with Yes.
class LastMessage final : public konwerter::platform::OperatorMessages {
 public:
  MessageAnswer Show(const OperatorMessage& message) override {
    last = message;
    return MessageAnswer::kYes;
  }
  OperatorMessage last;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    fprintf(stderr, "Użycie: konwerter-screenshots KATALOG\n");
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  konwerter::win32::EnsureCommonControls();
  konwerter::run::Session session;
  konwerter::target::ConfigureEngine(session.engine, false);
  const konwerter::platform::FixedClock clock{{2024, 5, 17}};
  const konwerter::win32::WindowFonts fonts;
  konwerter::app::window::MainWindow rules("C:\\TEROKAN-WIN\\konwerter.exe");
  rules.renumbering_dialog().grid().Assign({{"12", "345"}, {"7", "8"}, {"1061", "1062"}});
  bool saved = true;
  {
    konwerter::win32::MainFrame frame(rules, session, clock, fonts);
    ::ShowWindow(frame.window(), SW_SHOW);
    saved = saved && Save(frame.window(), folder / "konwerter-windows.bmp");
    konwerter::win32::RenumberingFrame dialog(rules.renumbering_dialog(), rules.options(), fonts,
                                              frame.window());
    dialog.ShowRules();
    ::ShowWindow(dialog.window(), SW_SHOW);
    ::SetFocus(dialog.grid().window());
    saved = saved && Save(dialog.window(), folder / "przenumerowanie-windows.bmp");
    ::ShowWindow(dialog.window(), SW_HIDE);

    konwerter::tools::GenerateSampleSite({"C:\\TEROKAN", 1, 1});
    rules.input_folder() = "C:\\TEROKAN\\SYSTEM";
    LastMessage messages;
    rules.StartConversion(frame, {session, frame, messages, clock});
    if (messages.last.text.empty()) return 1;
    konwerter::win32::OutcomeFrame outcome(konwerter::app::window::OutcomeDialogFor(messages.last),
                                           fonts, nullptr, {});
    ::ShowWindow(outcome.window(), SW_SHOW);
    saved = saved && Save(outcome.window(), folder / "wynik-konwersji-windows.bmp");
  }
  return saved ? 0 : 1;
}
