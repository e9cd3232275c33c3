// Runs every QtTest suite of the window in one application; fails when any of them fails.
#include <QApplication>
#include <QTranslator>

#include "app/gui/controls.h"
#include "app/gui/polish_translations.h"
#include "tests/app/gui/gui_suites.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QTranslator qt_texts;  // as the program does
  if (!konwerter::gui::InstallPolishTranslations(qt_texts)) return 1;
  QApplication::setFont(konwerter::gui::WindowFont());
  int failures = 0;
  failures += konwerter::testing::RunOutcomeFormTests(argc, argv);
  failures += konwerter::testing::RunMainFormTests(argc, argv);
  failures += konwerter::testing::RunRenumberingFormTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
