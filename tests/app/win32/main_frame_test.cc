// The Windows window driven as an operator would: needs a display (scripts/windows-check.sh
// runs it under xvfb-run wine). Message boxes are answered by a helper thread, which notes
// what each one said.

#include "app/win32/main_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "app/version.h"
#include "app/win32/glyph_buttons.h"
#include "app/win32/outcome_frame.h"
#include "app/win32/wide_text.h"
#include "app/window/main_window.h"
#include "app/window/window_controls.h"
#include "target/table_builder.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::win32 {
namespace {

namespace fs = std::filesystem;

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(window, text, 1024);
  return text;
}

// Answers every message box of this process with its default button and keeps its text;
// closes the dialog at the end of a run, keeping its text and labels, and the renumbering
// dialog through their close boxes.
class MessageBoxAnswerer {
 public:
  // With `click_during_run`: once the run shows its first table, that button gets a click,
  // as from an operator who does not wait.
  explicit MessageBoxAnswerer(HWND click_during_run = nullptr, HWND table_label = nullptr)
      : click_during_run_(click_during_run),
        table_label_(table_label),
        thread_([this] { Run(); }) {}
  ~MessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::wstring> texts() {
    const std::lock_guard lock(mutex_);
    return texts_;
  }
  // The labels of each window answered (none for a message box).
  std::vector<std::wstring> labels() {
    const std::lock_guard lock(mutex_);
    return labels_;
  }

 private:
  static BOOL CALLBACK Visit(HWND window, LPARAM self) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
    wchar_t window_class[32] = {};
    ::GetClassNameW(window, window_class, 32);
    auto* answerer = reinterpret_cast<MessageBoxAnswerer*>(self);
    const std::wstring kind = window_class;
    if (kind == L"#32770") {
      answerer->Note(TextOf(::GetDlgItem(window, 0xFFFF)), {});
      ::PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);  // the default button
      ::PostMessageW(window, WM_KEYUP, VK_RETURN, 0);
      ::Sleep(500);  // until it has gone
    } else if (kind == OutcomeFrame::kClassName) {
      // The end of a run: its outcome text and the lines of its labels, then the close box.
      answerer->Note(TextOf(::FindWindowExW(window, nullptr, L"Edit", nullptr)), LabelsOf(window));
      ::PostMessageW(window, WM_CLOSE, 0, 0);
      ::Sleep(500);
    } else if (kind == L"KonwerterTForm2" && !answerer->dialog_closed_) {
      answerer->dialog_closed_ = true;
      ::PostMessageW(window, WM_CLOSE, 0, 0);
      ::Sleep(500);
    }
    return TRUE;
  }
  // The texts of the labels of a window, one after another.
  static std::wstring LabelsOf(HWND window) {
    std::wstring labels;
    for (HWND label = ::FindWindowExW(window, nullptr, L"Static", nullptr); label != nullptr;
         label = ::FindWindowExW(window, label, L"Static", nullptr)) {
      labels += TextOf(label) + L"\n";
    }
    return labels;
  }
  void Note(const std::wstring& text, const std::wstring& labels) {
    const std::lock_guard lock(mutex_);
    texts_.push_back(text);
    labels_.push_back(labels);
  }
  void Run() {
    while (!stop_) {
      ClickDuringRun();
      ::EnumWindows(&MessageBoxAnswerer::Visit, reinterpret_cast<LPARAM>(this));
      ::Sleep(50);
    }
  }
  void ClickDuringRun() {
    if (click_during_run_ == nullptr || clicked_) return;
    if (!TextOf(table_label_).starts_with(L"Tworzenie tabeli: ")) return;
    ::PostMessageW(click_during_run_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(click_during_run_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    clicked_ = true;
  }

 public:
  std::atomic<bool> clicked_{false};

 private:
  const HWND click_during_run_;
  const HWND table_label_;
  std::atomic<bool> stop_{false};
  bool dialog_closed_ = false;  // the answering thread's own
  std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::vector<std::wstring> labels_;
  std::thread thread_;
};

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest() { target::ConfigureEngine(session_.engine, false); }
  // A window that closed asked the thread to quit; the next test's loops must not see that.
  ~MainFrameTest() override {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  testing::TempDir dir_;
  run::Session session_;
  const platform::FixedClock clock_{{2024, 5, 17}};
  const WindowFonts fonts_;
  app::window::MainWindow rules_{dir_.Join("konwerter.exe")};
};

TEST_F(MainFrameTest, ShowsEveryControlWhereItBelongsWithItsCaption) {
  MainFrame frame(rules_, session_, clock_, fonts_);
  ::ShowWindow(frame.window(), SW_SHOW);
  RECT client{};
  ::GetClientRect(frame.window(), &client);
  EXPECT_EQ(client.right, 361);
  EXPECT_EQ(client.bottom, 512);
  for (const app::window::ControlSpec& control : app::window::MainWindowSpec().controls) {
    const HWND window = frame.Control(control.name);
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    ::MapWindowPoints(nullptr, frame.window(), reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, control.bounds.left) << control.name;
    EXPECT_EQ(bounds.top, control.bounds.top) << control.name;
    const int width = bounds.right - bounds.left;
    const int to_show = WidthToShow(control, control.bold ? fonts_.bold() : fonts_.normal(),
                                    WideFromCp1250(control.caption));
    if (to_show > 0) {
      EXPECT_EQ(width, std::clamp(to_show, control.bounds.width, 361 - control.bounds.left))
          << control.name;
    } else {
      EXPECT_EQ(width, control.bounds.width) << control.name;
    }
    EXPECT_EQ(bounds.bottom - bounds.top, control.bounds.height) << control.name;
    EXPECT_EQ(::IsWindowVisible(window) != 0, control.visible) << control.name;
    if (control.kind == app::window::ControlKind::kLabel ||
        control.kind == app::window::ControlKind::kButton ||
        control.kind == app::window::ControlKind::kCheckBox) {
      EXPECT_EQ(TextOf(window), WideFromCp1250(control.caption)) << control.name;
    }
  }
  EXPECT_EQ(TextOf(frame.Control("Edit1")), L"");
  EXPECT_EQ(TextOf(frame.Control("Edit2")), WideFromCp1250(dir_.folder()));
  EXPECT_EQ(::SendMessageW(frame.Control("cbosoby"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageW(frame.Control("cbgmina"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(::SendMessageW(frame.Control("cbindeksy"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// Typing goes to Edit1 as soon as the window opens, and again when it comes back.
TEST_F(MainFrameTest, Edit1HasTheFocusWhenTheWindowOpens) {
  MainFrame frame(rules_, session_, clock_, fonts_);
  ::ShowWindow(frame.window(), SW_SHOW);
  ::SetForegroundWindow(frame.window());
  EXPECT_EQ(::GetFocus(), frame.Control("Edit1"));
  ::SetFocus(frame.Control("Edit2"));
  const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                       nullptr, nullptr, nullptr, nullptr);
  ::SetActiveWindow(other);
  ::SetActiveWindow(frame.window());
  EXPECT_EQ(::GetFocus(), frame.Control("Edit2"));
  ::DestroyWindow(other);
}

// The picture buttons draw their pictures themselves, from the program's icons.
TEST_F(MainFrameTest, PictureButtonsCarryTheirGlyphs) {
  MainFrame frame(rules_, session_, clock_, fonts_);
  for (const char* name : {"BitBtn1", "BitBtn2"}) {
    const auto style = ::GetWindowLongPtrW(frame.Control(name), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW) << name;
  }
  EXPECT_EQ(::GetWindowLongPtrW(frame.Control("Button1"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  for (const auto glyph :
       {app::window::ButtonGlyph::kOk, app::window::ButtonGlyph::kCancel,
        app::window::ButtonGlyph::kAddRow, app::window::ButtonGlyph::kDeleteRow}) {
    EXPECT_NE(GlyphIcon(glyph), nullptr);
  }
  EXPECT_EQ(GlyphIcon(app::window::ButtonGlyph::kNone), nullptr);
}

TEST_F(MainFrameTest, TheIndexBoxAsksForIndexesRebuiltFromTheTables) {
  MainFrame frame(rules_, session_, clock_, fonts_);
  ::SendMessageW(frame.Control("cbindeksy"), BM_CLICK, 0, 0);
  EXPECT_TRUE(rules_.options().rebuild_indexes);
  EXPECT_TRUE(rules_.Request().options.rebuild_indexes);
  EXPECT_EQ(TextOf(frame.Control("cbindeksy")), L"Odbuduj indeksy z tabel (pomi\u0144 pliki .ntx)");
}

TEST_F(MainFrameTest, KonwersjaConvertsTheSampleSiteAndTheWindowCloses) {
  tools::GenerateSampleSite({dir_.path() / "dos", 1, 1});
  MainFrame frame(rules_, session_, clock_, fonts_);
  ::ShowWindow(frame.window(), SW_SHOW);
  ::SetWindowTextW(frame.Control("Edit1"), WideFromCp1250(dir_.Join("dos\\SYSTEM")).c_str());
  EXPECT_EQ(rules_.input_folder(), dir_.Join("dos\\SYSTEM"));
  // An output folder beside the site: the default one, the program's folder, holds the site,
  // and a run refuses to write over the DOS data.
  ::SetWindowTextW(frame.Control("Edit2"), WideFromCp1250(dir_.Join("wynik\\")).c_str());

  MessageBoxAnswerer answerer;
  ::SendMessageW(frame.Control("BitBtn1"), BM_CLICK, 0, 0);

  // The sample site is an old site: it converts with a few warnings, which end the run in
  // the outcome dialog with the counts.
  ASSERT_EQ(answerer.texts().size(), 1u);
  EXPECT_TRUE(answerer.texts()[0].starts_with(L"Konwersja zosta\u0142a zako\u0144czona"));
  EXPECT_NE(answerer.labels()[0].find(L"Ostrze\u017Cenia: "), std::wstring::npos)
      << answerer.labels()[0];
  EXPECT_EQ(frame.window(), nullptr);  // closed after success
  EXPECT_TRUE(fs::exists(dir_.path() / "wynik" / "BAZA" / "ADMIN" / "Dostep.dbf"));
}

// A run that fails late keeps the window open; a click on "Konwersja" made while it ran is
// dropped, not taken for a second run afterwards.
TEST_F(MainFrameTest, AFailedRunKeepsTheWindowAndDropsWhatWasClickedMeanwhile) {
  tools::GenerateSampleSite({dir_.path() / "dos", 1, 1});
  fs::remove(dir_.path() / "dos" / "LZ" / "LEC" / "wsprozl.dbf");
  MainFrame frame(rules_, session_, clock_, fonts_);
  ::ShowWindow(frame.window(), SW_SHOW);
  ::SetWindowTextW(frame.Control("Edit1"), WideFromCp1250(dir_.Join("dos\\SYSTEM")).c_str());
  ::SetWindowTextW(frame.Control("Edit2"), WideFromCp1250(dir_.Join("wynik\\")).c_str());

  MessageBoxAnswerer answerer(frame.Control("BitBtn1"), frame.Control("Label5"));
  ::SendMessageW(frame.Control("BitBtn1"), BM_CLICK, 0, 0);
  MSG message;  // what is still queued once the run has ended
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);

  EXPECT_TRUE(answerer.clicked_);
  ASSERT_EQ(answerer.texts().size(), 1u);
  EXPECT_NE(answerer.texts()[0].find(L"wsprozl.dbf"), std::wstring::npos) << answerer.texts()[0];
  // Where the run stopped, though the bars are empty again.
  EXPECT_NE(answerer.labels()[0].find(L"przerwano podczas tworzenia tabeli: "), std::wstring::npos)
      << answerer.labels()[0];
  // The edits show the folders as the run completed them.
  EXPECT_EQ(TextOf(frame.Control("Edit1")), WideFromCp1250(dir_.Join("dos\\SYSTEM\\")));
  EXPECT_NE(frame.window(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(frame.window()));
}

TEST_F(MainFrameTest, LeavingTheRenumberingDialogWithoutOkUnchecksTheBox) {
  MainFrame frame(rules_, session_, clock_, fonts_);
  ::ShowWindow(frame.window(), SW_SHOW);
  MessageBoxAnswerer answerer;
  ::SendMessageW(frame.Control("cbgmina"), BM_CLICK, 0, 0);  // the dialog runs meanwhile

  EXPECT_THAT(answerer.texts(),
              ::testing::ElementsAre(L"Wyj\u015Bcie bez zapisu spowoduje, i\u017C wprowadzone "
                                     L"przenumerowanie nie zostanie zachowane. Kontynuowa\u0107?"));
  EXPECT_EQ(::SendMessageW(frame.Control("cbgmina"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(rules_.options().renumber_communes);
  EXPECT_FALSE(fs::exists(dir_.path() / "konwerter.gm"));
}

TEST_F(MainFrameTest, TheSystemMenuShowsWhatTheProgramIsAndItsVersion) {
  MainFrame frame(rules_, session_, clock_, fonts_);
  ::ShowWindow(frame.window(), SW_SHOW);
  const HMENU menu = ::GetSystemMenu(frame.window(), FALSE);
  const int last = ::GetMenuItemCount(menu) - 1;
  wchar_t entry[64] = {};
  ::GetMenuStringW(menu, static_cast<UINT>(last), entry, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(entry), L"O programie...");

  MessageBoxAnswerer answerer;
  ::SendMessageW(frame.window(), WM_SYSCOMMAND, ::GetMenuItemID(menu, last), 0);
  EXPECT_THAT(answerer.texts(),
              ::testing::ElementsAre(L"konwerter " + WideFromCp1250(app::VersionText()) +
                                     L"\r\nKonwerter danych systemu TEROKAN z wersji DOS do "
                                     L"wersji Windows"));
  EXPECT_NE(frame.window(), nullptr);
}

// Moved to a screen of 144 dots per inch (150 %), the window takes the size Windows suggests
// and draws its controls and fonts half as large again.
TEST_F(MainFrameTest, OnAScreenOfMoreDotsPerInchTheLayoutScales) {
  MainFrame frame(rules_, session_, clock_, fonts_);
  RECT suggested{20, 30, 20 + 560, 30 + 780};
  ::SendMessageW(frame.window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
  RECT outer{};
  ::GetWindowRect(frame.window(), &outer);
  EXPECT_EQ(outer.left, 20);
  EXPECT_EQ(outer.bottom, 30 + 780);
  ASSERT_EQ(frame.fonts().scale(), DisplayScale(144));
  LOGFONTW font{};
  ::GetObjectW(frame.fonts().normal(), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -17);  // 11 pixels at 96 dots per inch, rounded up

  for (const char* name : {"Label2", "Edit1", "Button1", "BitBtn1", "ProgressBar2"}) {
    const app::window::Bounds& spec = app::window::MainWindowSpec().Control(name).bounds;
    RECT bounds{};
    ::GetWindowRect(frame.Control(name), &bounds);
    ::MapWindowPoints(nullptr, frame.window(), reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, spec.left * 3 / 2) << name;
    EXPECT_EQ(bounds.top, spec.top * 3 / 2) << name;
    EXPECT_EQ(bounds.bottom - bounds.top, (spec.height * 3 + 1) / 2) << name;
    EXPECT_EQ(::SendMessageW(frame.Control(name), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(frame.fonts().normal()))
        << name;
  }
}

}  // namespace
}  // namespace konwerter::win32
