// konwerter: the operator's window (`konwerter --version` prints its version). Start-up: the
// database engine keeps its fixed settings (language driver db852po0, dBase level 5), Qt's own
// texts are put into Polish, the main window is created, then the renumbering dialog (hidden
// until it is asked for), and the program waits for the operator until the main window closes.
#include <QApplication>
#include <QTranslator>
#include <cstring>
#include <iostream>

#include "app/gui/controls.h"
#include "app/gui/main_form.h"
#include "app/gui/polish_translations.h"
#include "app/version.h"
#include "platform/clock.h"
#include "platform/program_path.h"
#include "run/session.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "konwerter " << konwerter::app::VersionText() << "\n";
    return 0;
  }
  QApplication application(argc, argv);
  QTranslator qt_texts;
  konwerter::gui::InstallPolishTranslations(qt_texts);
  QApplication::setFont(konwerter::gui::WindowFont());
  konwerter::run::Session session;
  const konwerter::platform::SystemClock clock;
  konwerter::gui::MainForm form(
      {konwerter::platform::ProgramPath(), session, clock, nullptr, {}, {}});
  konwerter::gui::CentreOnScreen(form);
  form.show();
  return QApplication::exec();
}
