// The native dialog at the end of a run: needs a display (scripts/windows-check.sh runs it
// under xvfb-run wine).

#include "app/win32/outcome_frame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <utility>

#include "app/win32/message_boxes.h"
#include "app/win32/wide_text.h"
#include "platform/text_encoding.h"

namespace konwerter::win32 {
namespace {

using app::window::OutcomeButton;
using platform::Cp1250FromUtf8;

platform::OperatorMessage Warnings(int count, std::string report_path = {}) {
  platform::OperatorMessage message{Cp1250FromUtf8("Konwersja została zakończona z ostrzeżeniami."),
                                    "Komunikat", platform::MessageButtons::kOk,
                                    platform::MessageIcon::kWarning};
  message.facts = {"Tabele: 61", Cp1250FromUtf8("Ostrzeżenia: ") + std::to_string(count)};
  for (int i = 0; i < count; ++i) {
    if (i % 4 == 0) message.details.push_back({"C:\\TEROKAN\\t" + std::to_string(i) + ".dbf", {}});
    message.details.back().lines.push_back("uszkodzenie " + std::to_string(i));
  }
  message.report_path = std::move(report_path);
  return message;
}

bool Inside(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::wstring Clipboard() {
  std::wstring text;
  if (!::OpenClipboard(nullptr)) return text;
  if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

class OutcomeFrameTest : public ::testing::Test {
 protected:
  ~OutcomeFrameTest() override {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  const WindowFonts fonts_;
};

TEST_F(OutcomeFrameTest, TwoHundredWarningsFitTheScreenAndTheListScrolls) {
  OutcomeFrame frame(app::window::OutcomeDialogFor(Warnings(200, "C:\\W\\RAPORT\\raport.html")),
                     fonts_, nullptr, {});
  ::ShowWindow(frame.window(), SW_SHOW);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT bounds{};
  ::GetWindowRect(frame.window(), &bounds);
  EXPECT_TRUE(Inside(work, bounds));
  EXPECT_EQ(::SendMessageW(frame.list(), TVM_GETCOUNT, 0, 0), 250);  // 50 files, 200 lines
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(::GetScrollInfo(frame.list(), SB_VERT, &scroll));
  EXPECT_GT(scroll.nMax - scroll.nMin + 1, static_cast<int>(scroll.nPage));
  RECT client{};
  ::GetClientRect(frame.window(), &client);
  RECT list{};
  ::GetWindowRect(frame.list(), &list);
  ::MapWindowPoints(nullptr, frame.window(), reinterpret_cast<POINT*>(&list), 2);
  for (const auto kind :
       {OutcomeButton::kOpenReport, OutcomeButton::kCopy, OutcomeButton::kClose}) {
    RECT button{};
    ::GetWindowRect(frame.button(kind), &button);
    ::MapWindowPoints(nullptr, frame.window(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_TRUE(Inside(client, button));
    EXPECT_GT(button.top, list.bottom);
    EXPECT_TRUE(::IsWindowVisible(frame.button(kind)));
  }
  EXPECT_EQ(TextOf(frame.button(OutcomeButton::kOpenReport)), Cp1250FromUtf8("Otwórz raport"));
  EXPECT_NE(::GetWindowLongPtrW(frame.button(OutcomeButton::kClose), GWL_STYLE) & BS_DEFPUSHBUTTON,
            0);
  EXPECT_EQ(TextOf(frame.facts()), Cp1250FromUtf8("Tabele: 61\r\nOstrzeżenia: 200"));

  // The operator makes it as small as it goes: the buttons stay inside.
  ::SetWindowPos(frame.window(), nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
  ::GetClientRect(frame.window(), &client);
  RECT button{};
  ::GetWindowRect(frame.button(OutcomeButton::kClose), &button);
  ::MapWindowPoints(nullptr, frame.window(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_TRUE(Inside(client, button));
}

TEST_F(OutcomeFrameTest, ReportOpensCopyCopiesAndZamknijCloses) {
  std::vector<std::wstring> opened;
  OutcomeFrame frame(app::window::OutcomeDialogFor(Warnings(5, "C:\\W\\RAPORT\\raport.html")),
                     fonts_, nullptr, [&](const std::wstring& path) { opened.push_back(path); });
  ::ShowWindow(frame.window(), SW_SHOW);
  ::SendMessageW(frame.button(OutcomeButton::kOpenReport), BM_CLICK, 0, 0);
  EXPECT_EQ(opened, std::vector<std::wstring>{L"C:\\W\\RAPORT\\raport.html"});
  ::SendMessageW(frame.button(OutcomeButton::kCopy), BM_CLICK, 0, 0);
  const std::wstring copied = Clipboard();
  EXPECT_NE(copied.find(L"C:\\TEROKAN\\t4.dbf (1)\r\n    uszkodzenie 4\r\n"), std::wstring::npos)
      << copied;
  EXPECT_FALSE(frame.closed());
  ::SendMessageW(frame.button(OutcomeButton::kClose), BM_CLICK, 0, 0);
  EXPECT_TRUE(frame.closed());
}

TEST_F(OutcomeFrameTest, TheCleanEndKeepsItsTextWithTheReportBeside) {
  platform::OperatorMessage clean{Cp1250FromUtf8("Konwersja została zakończona."), "Komunikat"};
  clean.report_path = "C:\\W\\RAPORT\\raport.html";
  OutcomeFrame frame(app::window::OutcomeDialogFor(clean), fonts_, nullptr, {});
  EXPECT_EQ(TextOf(frame.window()), "Komunikat");
  EXPECT_EQ(TextOf(frame.text()), clean.text);
  EXPECT_EQ(TextOf(frame.button(OutcomeButton::kOk)), "OK");
  EXPECT_FALSE(::IsWindowVisible(frame.list()));
  EXPECT_EQ(::GetWindowLongPtrW(frame.window(), GWL_STYLE) & WS_THICKFRAME, 0);
  ::SendMessageW(frame.window(), WM_COMMAND, IDOK, 0);  // Enter
  EXPECT_TRUE(frame.closed());
  // Without a report, the plain end stays the message box it always was.
  clean.report_path.clear();
  EXPECT_EQ(app::window::FormOf(clean), app::window::MessageForm::kMessageBox);
}

// Opened over a window on a screen of 144 dots per inch (150 %), the dialog draws its text
// in the larger font and its buttons and margins half as large again.
TEST_F(OutcomeFrameTest, OnAScreenOfMoreDotsPerInchItsPartsScale) {
  const auto button_place = [](const OutcomeFrame& frame) {
    RECT client{};
    ::GetClientRect(frame.window(), &client);
    RECT button{};
    ::GetWindowRect(frame.button(OutcomeButton::kClose), &button);
    ::MapWindowPoints(nullptr, frame.window(), reinterpret_cast<POINT*>(&button), 2);
    // Its size and its distance from the client area's bottom right corner.
    return RECT{button.right - button.left, button.bottom - button.top, client.right - button.right,
                client.bottom - button.bottom};
  };
  const app::window::OutcomeDialog dialog = app::window::OutcomeDialogFor(Warnings(5));
  const OutcomeFrame plain(dialog, fonts_, nullptr, {});
  const RECT at96 = button_place(plain);

  const DisplayScale scale(144);
  const WindowFonts fonts(scale);
  const OutcomeFrame scaled(dialog, fonts, nullptr, {});
  const RECT at144 = button_place(scaled);
  for (const auto& [was, is] :
       {std::pair{at96.left, at144.left}, std::pair{at96.top, at144.top},
        std::pair{at96.right, at144.right}, std::pair{at96.bottom, at144.bottom}}) {
    EXPECT_NEAR(is, scale(was), 1);
  }
  EXPECT_EQ(::SendMessageW(scaled.text(), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(fonts.normal()));
  // The text's field holds its lines in the larger font.
  RECT text{};
  ::GetClientRect(scaled.text(), &text);
  EXPECT_GE(text.bottom, 17 * static_cast<int>(dialog.TextLines().size()));
}

}  // namespace
}  // namespace konwerter::win32
