#include "app/window/outcome_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/window/outcome_layout.h"
#include "app/window/run_watch.h"
#include "platform/text_encoding.h"
#include "tests/support/recorded_messages.h"

namespace konwerter::testing {
namespace {

using app::window::FormOf;
using app::window::MessageForm;
using app::window::OutcomeButton;
using app::window::OutcomeDialogFor;
using platform::Cp1250FromUtf8;
using platform::MessageIcon;
using platform::OperatorMessage;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

OperatorMessage WithWarnings(int warnings, const std::string& report = {}) {
  OperatorMessage message{Cp1250FromUtf8("Konwersja została zakończona z ostrzeżeniami."),
                          "Komunikat", platform::MessageButtons::kOk, MessageIcon::kWarning};
  message.facts = {"Tabele: 61", Cp1250FromUtf8("Ostrzeżenia: ") + std::to_string(warnings)};
  for (int i = 0; i < warnings; ++i) {
    if (i % 10 == 0) message.details.push_back({"F:\\DANE\\plik" + std::to_string(i) + ".dbf", {}});
    message.details.back().lines.push_back("uszkodzenie " + std::to_string(i));
  }
  message.report_path = report;
  return message;
}

OperatorMessage Failure() {
  OperatorMessage message{Cp1250FromUtf8("Wystąpił błąd podczas konwersji:"),
                          Cp1250FromUtf8("Błąd konwersji"), platform::MessageButtons::kOk,
                          MessageIcon::kStop};
  message.facts = {"Tabele: 12"};
  return message;
}

TEST(OutcomeDialogTest, EachMessageGetsTheFormItsContentAsksFor) {
  // Messages that are no end of a run stay message boxes, stop icon or not.
  EXPECT_EQ(FormOf({"Dokonać konwersji ?", "Potwierdzenie", platform::MessageButtons::kYesNo}),
            MessageForm::kMessageBox);
  EXPECT_EQ(FormOf({"Błąd", "Błąd", platform::MessageButtons::kOk, MessageIcon::kStop}),
            MessageForm::kMessageBox);
  EXPECT_EQ(FormOf(WithWarnings(3)), MessageForm::kOutcomeDialog);
  EXPECT_EQ(FormOf(Failure()), MessageForm::kOutcomeDialog);
  OperatorMessage clean{Cp1250FromUtf8("Konwersja została zakończona."), "Komunikat"};
  clean.facts = {"Tabele: 61"};
  EXPECT_EQ(FormOf(clean), MessageForm::kMessageBox);
  clean.report_path = "D:\\WYNIK\\RAPORT\\raport.html";
  EXPECT_EQ(FormOf(clean), MessageForm::kMessageWithReport);

  // The clean end keeps its text and caption, adds the report, and OK stays the default.
  const auto plain = OutcomeDialogFor(clean);
  EXPECT_EQ(plain.text, clean.text);
  EXPECT_EQ(plain.caption, "Komunikat");
  EXPECT_TRUE(plain.facts.empty());
  EXPECT_FALSE(plain.resizable);
  EXPECT_THAT(plain.buttons, ElementsAre(OutcomeButton::kOpenReport, OutcomeButton::kOk));
}

TEST(OutcomeDialogTest, ListsTheWarningsPerFileAndCopiesWhatItShows) {
  const auto dialog = OutcomeDialogFor(WithWarnings(14, "D:\\WYNIK\\RAPORT\\raport.html"));
  EXPECT_TRUE(dialog.resizable);
  EXPECT_THAT(dialog.buttons,
              ElementsAre(OutcomeButton::kOpenReport, OutcomeButton::kCopy, OutcomeButton::kClose));
  EXPECT_EQ(platform::Utf8FromCp1250(app::window::ButtonCaption(OutcomeButton::kOpenReport)),
            "Otwórz raport");
  EXPECT_EQ(platform::Utf8FromCp1250(dialog.list_title), "Ostrzeżenia według plików (14):");
  ASSERT_EQ(dialog.groups.size(), 2u);
  EXPECT_EQ(dialog.GroupHeading(dialog.groups[1]), "F:\\DANE\\plik10.dbf (4)");

  const std::string copied = platform::Utf8FromCp1250(dialog.ClipboardText());
  EXPECT_THAT(copied, HasSubstr("Konwersja została zakończona z ostrzeżeniami.\r\n"));
  EXPECT_THAT(copied, HasSubstr("Ostrzeżenia: 14\r\n"));
  EXPECT_THAT(copied, HasSubstr("F:\\DANE\\plik10.dbf (4)\r\n    uszkodzenie 10\r\n"));
  EXPECT_THAT(copied, HasSubstr("uszkodzenie 13\r\n"));

  // A failure without warnings has no list; without a report, no report button.
  const auto failure = OutcomeDialogFor(Failure());
  EXPECT_TRUE(failure.list_title.empty());
  EXPECT_THAT(failure.buttons, ElementsAre(OutcomeButton::kCopy, OutcomeButton::kClose));
  EXPECT_THAT(failure.ClipboardText(), ::testing::Not(HasSubstr("(0)")));
}

void ExpectInside(const app::window::Bounds& part, app::window::Size client, const char* name) {
  EXPECT_GE(part.left, 0) << name;
  EXPECT_GE(part.top, 0) << name;
  EXPECT_LE(part.left + part.width, client.width) << name;
  EXPECT_LE(part.top + part.height, client.height) << name;
}

TEST(OutcomeLayoutTest, TwoHundredWarningsFitASmallScreenAndTheListScrolls) {
  const app::window::TextMeasures measures{13, 300};
  const auto dialog = OutcomeDialogFor(WithWarnings(200, "D:\\R\\raport.html"));
  const app::window::Size client = OutcomeClientSize(dialog, measures, {1024, 728});
  // Room left for the window's frame and title bar on a 1024 x 768 screen with a task bar.
  EXPECT_LE(client.width, 1024 - 40);
  EXPECT_LE(client.height, 728 - 80);
  const auto layout = LayOutOutcome(dialog, measures, client);
  ExpectInside(layout.text, client, "text");
  ExpectInside(layout.facts, client, "facts");
  ExpectInside(layout.list, client, "list");
  ASSERT_EQ(layout.buttons.size(), 3u);
  for (const auto& button : layout.buttons) ExpectInside(button, client, "button");
  EXPECT_LT(layout.list.top + layout.list.height, layout.buttons[0].top);
  EXPECT_GE(layout.list.top, layout.facts.top + layout.facts.height);
  EXPECT_LT(layout.list.height, 220 * 15);  // far fewer rows than the list holds: it scrolls
  EXPECT_GT(layout.list.height, 4 * 15);

  // Resized to its smallest, every part still shows.
  const app::window::Size smallest = OutcomeMinimumSize(dialog, measures);
  const auto small = LayOutOutcome(dialog, measures, smallest);
  EXPECT_GE(small.list.height, 4 * 15);
  for (const auto& button : small.buttons) ExpectInside(button, smallest, "button");
  // A screen smaller than the smallest dialog still gets the smallest dialog.
  EXPECT_EQ(OutcomeClientSize(dialog, measures, {200, 150}), smallest);
}

TEST(OutcomeLayoutTest, ALongOutcomeTextScrollsAndTheCleanEndFitsItsText) {
  const app::window::TextMeasures measures{13, 180};
  OperatorMessage message = Failure();
  message.text = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12";
  const auto failure = OutcomeDialogFor(message);
  const auto layout = LayOutOutcome(failure, measures, {600, 300});
  EXPECT_LE(layout.text.height, app::window::kOutcomeTextLines * 13 + 10);
  EXPECT_EQ(layout.icon.width, app::window::kOutcomeIconSize);
  EXPECT_GT(layout.text.left, layout.icon.left + layout.icon.width);

  OperatorMessage clean{Cp1250FromUtf8("Konwersja została zakończona."), "Komunikat"};
  clean.report_path = "D:\\R\\raport.html";
  const auto plain = OutcomeDialogFor(clean);
  const app::window::Size size = OutcomeClientSize(plain, measures, {1024, 768});
  EXPECT_GE(size.width, 180 + 22);  // the text whole
  EXPECT_LT(size.height, 100);      // one line and the buttons
  EXPECT_TRUE(LayOutOutcome(plain, measures, size).list.height == 0);
}

TEST(RunWatchTest, AStopMessageAfterATableStartedNamesTheTable) {
  RecordedProgress shown_progress;
  app::window::TableWatch watch(shown_progress);
  RecordedMessages shown;
  app::window::RunMessages messages(shown, watch);

  messages.Show(Failure());  // before any table: as it is
  watch.ShowTable(Cp1250FromUtf8("Tworzenie tabeli: zakr_ras.dbf"), 10);
  EXPECT_EQ(watch.table(), "zakr_ras.dbf");
  messages.Show(WithWarnings(2));  // no failure: as it is
  messages.Show(Failure());
  OperatorMessage named = Failure();
  named.facts.emplace_back("Ostatnia tabela: zakr_ras.dbf");
  messages.Show(named);
  watch.Reset();
  EXPECT_EQ(shown_progress.resets, 1);

  ASSERT_EQ(shown.shown.size(), 4u);
  EXPECT_EQ(shown.shown[0].facts, Failure().facts);
  EXPECT_EQ(shown.shown[1].facts, WithWarnings(2).facts);
  EXPECT_THAT(shown.shown[2].facts,
              ElementsAre("Tabele: 12", Cp1250FromUtf8("Konwersję przerwano podczas tworzenia "
                                                       "tabeli: zakr_ras.dbf")));
  EXPECT_EQ(shown.shown[3].facts, named.facts);  // said once only
}

}  // namespace
}  // namespace konwerter::testing
