// Runs every QtTest suite of the window in one application; fails when any of them fails.
#include <QApplication>

#include "app/gui/controls.h"
#include "tests/app/gui/gui_suites.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setFont(konwerter::gui::WindowFont());
  int failures = 0;
  failures += konwerter::testing::RunMainFormTests(argc, argv);
  failures += konwerter::testing::RunRenumberingFormTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
