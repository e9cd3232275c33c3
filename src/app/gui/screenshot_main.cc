// konwerter-screenshots DIR: draws the main window and the renumbering dialog as the
// operator first sees them and saves them as DIR/okno-glowne.png and DIR/przenumerowanie.png
// (for the README; scripts/screenshots.sh runs it under a virtual X server).
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "app/gui/controls.h"
#include "app/gui/main_form.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"
#include "run/session.h"

namespace {

bool Save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  return window.grab().save(folder.filePath(name));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    fprintf(stderr, "Użycie: konwerter-screenshots KATALOG\n");
    return 2;
  }
  QApplication::setFont(konwerter::gui::WindowFont());
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir program_folder;
  const std::string program = program_folder.filePath(QStringLiteral("konwerter")).toStdString();
  std::ofstream(program + ".gm", std::ios::binary) << "12|345\r\n7|8\r\n1061|1062\r\n";

  konwerter::run::Session session;
  const konwerter::platform::SystemClock clock;
  konwerter::gui::MainForm form(
      {konwerter::platform::Cp1250FromUtf8(program), session, clock, nullptr, {}});
  form.rules().output_folder() = "/opt/konwerter/";
  form.ShowFields();
  konwerter::gui::CentreOnScreen(form);
  const bool saved = Save(form, folder, QStringLiteral("okno-glowne.png")) &&
                     Save(form.renumbering_form(), folder, QStringLiteral("przenumerowanie.png"));
  return saved ? 0 : 1;
}
