// konwerter-screenshots DIR: draws the operator's windows for the README and saves them in
// DIR: the main window and the renumbering dialog as the operator first sees them
// (okno-glowne.png, przenumerowanie.png), and the dialog that ends a conversion of the
// sample site, which has warnings (wynik-konwersji.png). The folders shown are plain ones,
// not where the pictures were taken. scripts/screenshots.sh runs it under a virtual X server.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTranslator>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/gui/controls.h"
#include "app/gui/main_form.h"
#include "app/gui/outcome_form.h"
#include "app/gui/polish_translations.h"
#include "app/window/outcome_dialog.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"
#include "run/session.h"
#include "tools/sample/sample_site.h"

namespace {

bool Save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  return window.grab().save(folder.filePath(name));
}

// Keeps the last message of a run and answers questions with Yes.
class LastMessage final : public konwerter::platform::OperatorMessages {
 public:
  konwerter::platform::MessageAnswer Show(
      const konwerter::platform::OperatorMessage& message) override {
    last = message;
    return konwerter::platform::MessageAnswer::kYes;
  }
  konwerter::platform::OperatorMessage last;
};

// The sample site converted from the window, in a folder named plainly ("TEROKAN" beside
// "TEROKAN-WIN", relative to the working folder), and its end as the window shows it.
bool SaveOutcome(const QDir& folder, const QTemporaryDir& work) {
  konwerter::tools::GenerateSampleSite(
      {std::filesystem::path(work.path().toStdString()) / "TEROKAN", 1, 1});
  std::filesystem::current_path(work.path().toStdString());
  konwerter::run::Session session;
  const konwerter::platform::FixedClock clock{{2024, 5, 17}};
  LastMessage messages;
  konwerter::gui::MainForm form({"konwerter", session, clock, &messages, {}, {}});
  form.rules().input_folder() = "TEROKAN/SYSTEM";
  form.rules().output_folder() = "TEROKAN-WIN";
  form.ShowFields();
  QMetaObject::invokeMethod(&konwerter::gui::Control<QWidget>(form, "BitBtn1"), "click");
  if (messages.last.text.empty()) return false;
  konwerter::gui::OutcomeForm outcome(konwerter::app::window::OutcomeDialogFor(messages.last),
                                      QRect(0, 0, 1024, 728), {}, nullptr);
  return Save(outcome, folder, QStringLiteral("wynik-konwersji.png"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    fprintf(stderr, "Użycie: konwerter-screenshots KATALOG\n");
    return 2;
  }
  QTranslator qt_texts;
  konwerter::gui::InstallPolishTranslations(qt_texts);
  QApplication::setFont(konwerter::gui::WindowFont());
  const QDir folder(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
  QTemporaryDir program_folder;
  const std::string program = program_folder.filePath(QStringLiteral("konwerter")).toStdString();
  std::ofstream(program + ".gm", std::ios::binary) << "12|345\r\n7|8\r\n1061|1062\r\n";

  konwerter::run::Session session;
  const konwerter::platform::SystemClock clock;
  konwerter::gui::MainForm form(
      {konwerter::platform::Cp1250FromUtf8(program), session, clock, nullptr, {}, {}});
  form.rules().output_folder() = "/srv/TEROKAN-WIN/";
  form.ShowFields();
  konwerter::gui::CentreOnScreen(form);
  const bool saved = Save(form, folder, QStringLiteral("okno-glowne.png")) &&
                     Save(form.renumbering_form(), folder, QStringLiteral("przenumerowanie.png")) &&
                     SaveOutcome(folder, program_folder);
  return saved ? 0 : 1;
}
