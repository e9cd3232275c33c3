#include "app/gui/main_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "app/gui/controls.h"
#include "app/gui/file_dialog.h"
#include "app/gui/qt_text.h"
#include "app/version.h"
#include "tests/app/gui/gui_suites.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::testing {

namespace fs = std::filesystem;
using gui::Control;

// The main window of a program that lies in a fresh folder, with its messages recorded.
struct MainFormFixture {
  explicit MainFormFixture(std::vector<platform::MessageAnswer> answers = {})
      : messages(std::move(answers)),
        form({program_folder.Join("konwerter"),
              session,
              clock,
              &messages,
              [this] { return chosen_file; },
              {}}) {}

  TempDir program_folder;
  run::Session session;
  const platform::FixedClock clock{platform::CalendarDate{2026, 12, 7}};
  RecordedMessages messages;
  std::optional<std::string> chosen_file;
  gui::MainForm form;
};

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryControlStandsWhereTheTableSays();
  void StartsWithTheDefaultsAndTabsInOrder();
  void KonwersjaWithAnEmptyInputFolderDoesNothing();
  void WybierzPutsTheFolderOfTheChosenFile();
  void TheFileDialogSpeaksPolishAndTakesAFolderItself();
  void TheIndexBoxAsksForIndexesRebuiltFromTheTables();
  void RenumberingBoxStaysCheckedOnlyWhenTheDialogEndsWithOk();
  void ConvertsTheSampleSiteAndCloses();
  void AFailedConversionLeavesTheWindowOpen();
  void AnulujClosesTheWindow();
  void MessageBoxesAskWithNoAsTheDefault();
  void TheContextMenuAndF1ShowTheVersion();
};

void MainFormTest::EveryControlStandsWhereTheTableSays() {
  MainFormFixture fixture;
  gui::MainForm& form = fixture.form;
  QCOMPARE(form.objectName(), QStringLiteral("TForm1"));
  QCOMPARE(form.windowTitle(), QStringLiteral("Konwerter"));
  QCOMPARE(form.minimumSize(), QSize(361, 512));
  QCOMPARE(form.maximumSize(), QSize(361, 512));
  QCOMPARE(form.font().pointSize(), 8);

  // name, left, top, width, height, caption
  const struct {
    const char* name;
    QRect bounds;
    const char* caption;
  } expected[] = {
      {"Label1", {32, 12, 302, 13}, "Konwersja danych do systemu TEROKAN WINDOWS"},
      {"Label2", {24, 44, 157, 13}, "Kartoteka z danymi  wejściowymi:"},
      {"Edit1", {24, 68, 249, 21}, ""},
      {"Button1", {280, 68, 61, 21}, "Wybierz"},
      {"Label3", {24, 104, 156, 13}, "Kartoteka z danymi  wyjściowymi:"},
      {"Edit2", {24, 128, 249, 21}, nullptr},
      {"Button2", {280, 128, 61, 21}, "Wybierz"},
      {"cbgmina", {28, 168, 249, 17}, "Konwersja numerów gmin"},
      {"cbosoby", {28, 208, 245, 17}, "Usuń nie powiązane osoby"},
      {"CBkerg", {28, 232, 245, 17}, "Usuń nie powiązane roboty"},
      {"cbasor", {28, 256, 245, 17}, "Usuń nie powiązane asortymenty i cechy"},
      {"cbobreby", {28, 280, 245, 17}, "Usuń nie powiązane obręby"},
      {"cbdzialki", {28, 304, 245, 17}, "Usuń nie powiązane działki"},
      {"Label4", {24, 340, 124, 13}, "Postęp procesu konwersji:"},
      {"lile", {288, 336, 6, 13}, "0"},
      {"ProgressBar1", {24, 360, 317, 16}, nullptr},
      {"Label5", {24, 384, 305, 13}, "Tworzenie tabeli:"},
      {"ProgressBar2", {24, 404, 317, 16}, nullptr},
      {"BitBtn1", {24, 448, 97, 25}, "Konwersja"},
      {"BitBtn2", {244, 448, 97, 25}, "Anuluj"},
      {"cbindeksy", {28, 484, 305, 17}, "Odbuduj indeksy z tabel (pomiń pliki .ntx)"},
  };
  for (const auto& control : expected) {
    const QWidget* widget = form.findChild<QWidget*>(QString::fromLatin1(control.name));
    QVERIFY2(widget != nullptr, control.name);
    const QRect bounds = widget->geometry();
    QCOMPARE(bounds.topLeft(), control.bounds.topLeft());
    QCOMPARE(bounds.height(), control.bounds.height());
    // Labels other than Label5 widen to their caption; everything else keeps its width.
    if (qobject_cast<const QLabel*>(widget) != nullptr && QByteArray(control.name) != "Label5") {
      QVERIFY2(bounds.width() >= control.bounds.width(), control.name);
      QVERIFY2(bounds.right() < form.width(), control.name);
    } else {
      QCOMPARE(bounds.width(), control.bounds.width());
    }
    if (control.caption == nullptr) continue;
    const QString caption = QString::fromUtf8(control.caption);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      QCOMPARE(label->text(), caption);
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      QCOMPARE(button->text(), caption);
    } else {
      QCOMPARE(qobject_cast<const QLineEdit*>(widget)->text(), caption);
    }
  }
  QVERIFY(Control<QLabel>(form, "Label1").font().bold());
  QVERIFY(Control<QLabel>(form, "lile").isHidden());
  QVERIFY(!Control<QPushButton>(form, "BitBtn1").icon().isNull());
  QVERIFY(!Control<QPushButton>(form, "BitBtn2").icon().isNull());
  QCOMPARE(Control<QProgressBar>(form, "ProgressBar1").maximum(), 60);
  QCOMPARE(Control<QProgressBar>(form, "ProgressBar2").maximum(), 100);
}

void MainFormTest::StartsWithTheDefaultsAndTabsInOrder() {
  MainFormFixture fixture;
  gui::MainForm& form = fixture.form;
  QCOMPARE(Control<QLineEdit>(form, "Edit1").text(), QString());
  QCOMPARE(Control<QLineEdit>(form, "Edit2").text(),
           gui::FromCp1250(fixture.program_folder.folder()));
  QVERIFY(!Control<QCheckBox>(form, "cbgmina").isChecked());
  QVERIFY(!Control<QCheckBox>(form, "cbindeksy").isChecked());
  for (const char* box : {"cbosoby", "CBkerg", "cbasor", "cbobreby", "cbdzialki"}) {
    QVERIFY2(Control<QCheckBox>(form, box).isChecked(), box);
  }

  QStringList chain;
  QWidget* widget = &Control<QWidget>(form, "Edit1");
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) != 0 && form.isAncestorOf(widget)) {
      chain << widget->objectName();
    }
    widget = widget->nextInFocusChain();
  } while (widget != &Control<QWidget>(form, "Edit1") && chain.size() < 40);
  const QStringList expected = {"Edit1",    "Button1", "Button2",  "Edit2",  "BitBtn1",
                                "BitBtn2",  "cbosoby", "cbasor",   "CBkerg", "cbdzialki",
                                "cbobreby", "cbgmina", "cbindeksy"};
  QCOMPARE(chain, expected);

  gui::CentreOnScreen(form);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  const QPoint screen_centre = form.screen()->availableGeometry().center();
  const QPoint offset = form.geometry().center() - screen_centre;
  const QPoint frame = form.geometry().topLeft() - form.frameGeometry().topLeft();
  QVERIFY2(std::abs(offset.x()) <= frame.x() && std::abs(offset.y()) <= frame.y(),
           qPrintable(QStringLiteral("off by %1, %2 from %3, %4")
                          .arg(offset.x())
                          .arg(offset.y())
                          .arg(screen_centre.x())
                          .arg(screen_centre.y())));
}

void MainFormTest::KonwersjaWithAnEmptyInputFolderDoesNothing() {
  MainFormFixture fixture;
  gui::MainForm& form = fixture.form;
  form.show();
  QTest::mouseClick(&Control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
  QVERIFY(fixture.messages.shown.empty());
  QVERIFY(form.isVisible());
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QCOMPARE(Control<QLineEdit>(form, "Edit2").text(),
           gui::FromCp1250(fixture.program_folder.folder()));
  QVERIFY(!fs::exists(fixture.program_folder.path() / "BAZA"));
}

void MainFormTest::WybierzPutsTheFolderOfTheChosenFile() {
  MainFormFixture fixture;
  gui::MainForm& form = fixture.form;
  fixture.chosen_file = "/srv/dane dos/SYSTEM/users.dbf";
  QTest::mouseClick(&Control<QPushButton>(form, "Button1"), Qt::LeftButton);
  QCOMPARE(Control<QLineEdit>(form, "Edit1").text(), QStringLiteral("/srv/dane dos/SYSTEM/"));
  fixture.chosen_file = platform::Cp1250FromUtf8("/srv/wynik/Łódź.txt");
  QTest::mouseClick(&Control<QPushButton>(form, "Button2"), Qt::LeftButton);
  QCOMPARE(Control<QLineEdit>(form, "Edit2").text(), QStringLiteral("/srv/wynik/"));
  QCOMPARE(form.rules().output_folder(), std::string("/srv/wynik/"));
  // A typed folder reaches the rules as the system's text.
  Control<QLineEdit>(form, "Edit1").setText(QStringLiteral("/srv/Żabki"));
  QCOMPARE(form.rules().input_folder(), platform::Cp1250FromUtf8("/srv/Żabki"));
}

void MainFormTest::TheFileDialogSpeaksPolishAndTakesAFolderItself() {
  TempDir folder;
  fs::create_directory(folder.path() / "SYSTEM");
  gui::FileOrFolderDialog dialog(nullptr, QString::fromStdString(folder.path().string()));
  const auto label = [&](const char* name) {
    return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
  };
  QCOMPARE(label("lookInLabel"), QStringLiteral("Szukaj w:"));
  QCOMPARE(label("fileNameLabel"), QStringLiteral("Nazwa &pliku:"));
  QCOMPARE(label("fileTypeLabel"), QStringLiteral("Pliki rodzaju:"));
  QStringList buttons;
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) buttons << button->text();
  buttons.sort();
  QCOMPARE(buttons, (QStringList{"&Otwórz", "Anuluj"}));
  QCOMPARE(dialog.nameFilters(), QStringList{"Wszystkie pliki (*)"});

  // "*.*" as given, confirmed: the folder shown (its file "*.*", as the DOS edition had it).
  dialog.show();
  QCOMPARE(dialog.selectedFiles(),
           QStringList{QString::fromStdString((folder.path() / "*.*").string())});
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  // A folder chosen in the list and confirmed is the answer itself.
  dialog.show();
  dialog.selectFile(QStringLiteral("SYSTEM"));
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  const QString system = QString::fromStdString((folder.path() / "SYSTEM").string());
  QCOMPARE(dialog.selectedFiles(), QStringList{system});
  QCOMPARE(app::window::ChosenFolder(gui::ToCp1250(system)), gui::ToCp1250(system + "/"));
}

void MainFormTest::TheIndexBoxAsksForIndexesRebuiltFromTheTables() {
  MainFormFixture fixture;
  gui::MainForm& form = fixture.form;
  form.show();
  auto& box = Control<QCheckBox>(form, "cbindeksy");
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
  QVERIFY(form.rules().options().rebuild_indexes);
  QVERIFY(form.rules().Request().options.rebuild_indexes);
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
  QVERIFY(!form.rules().options().rebuild_indexes);
  QVERIFY(fixture.messages.shown.empty());
}

void MainFormTest::RenumberingBoxStaysCheckedOnlyWhenTheDialogEndsWithOk() {
  // Leaving the dialog asks; the answer Yes leaves it.
  MainFormFixture fixture({platform::MessageAnswer::kYes});
  gui::MainForm& form = fixture.form;
  form.show();
  auto& box = Control<QCheckBox>(form, "cbgmina");
  bool dialog_was_shown = false;
  QTimer::singleShot(0, &form, [&] {
    dialog_was_shown = form.renumbering_form().isVisible();
    QTest::mouseClick(&Control<QPushButton>(form.renumbering_form(), "BitBtn2"), Qt::LeftButton);
  });
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
  QVERIFY(dialog_was_shown);
  QVERIFY(!box.isChecked());
  QVERIFY(!form.rules().options().renumber_communes);
  QCOMPARE(fixture.messages.shown.size(), std::size_t{1});

  QTimer::singleShot(0, &form, [&] {
    QTest::mouseClick(&Control<QPushButton>(form.renumbering_form(), "BitBtn1"), Qt::LeftButton);
  });
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
  QVERIFY(box.isChecked());
  QVERIFY(form.rules().options().renumber_communes);
  QVERIFY(fs::exists(fixture.program_folder.path() / "konwerter.gm"));
}

// The positions the two bars and `lile` took during a run.
struct ProgressSpy {
  explicit ProgressSpy(gui::MainForm& form) {
    QObject::connect(&Control<QProgressBar>(form, "ProgressBar1"), &QProgressBar::valueChanged,
                     [this](int value) { run_positions.push_back(value); });
    QObject::connect(
        &Control<QProgressBar>(form, "ProgressBar2"), &QProgressBar::valueChanged,
        [this, &form](int value) {
          if (value > 0 && value == Control<QProgressBar>(form, "ProgressBar2").maximum()) {
            ++full_record_bars;
          }
        });
  }
  std::vector<int> run_positions;
  int full_record_bars = 0;
};

std::string SampleSite(const TempDir& folder) {
  tools::GenerateSampleSite({folder.path(), 1, 1});
  return folder.folder();
}

void MainFormTest::ConvertsTheSampleSiteAndCloses() {
  MainFormFixture fixture;
  gui::MainForm& form = fixture.form;
  TempDir site;
  TempDir output;
  Control<QLineEdit>(form, "Edit1").setText(gui::FromCp1250(SampleSite(site)));
  Control<QLineEdit>(form, "Edit2").setText(QString::fromStdString(output.path().string()));
  form.show();
  ProgressSpy spy(form);
  QTest::mouseClick(&Control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);

  // The sample site is an old site: it converts with a few warnings, listed in the message.
  QCOMPARE(fixture.messages.Texts().size(), std::size_t{1});
  QVERIFY(fixture.messages.Texts()[0].starts_with("Konwersja została zakończona"));
  QVERIFY(!form.isVisible());
  QVERIFY(!form.busy());
  QVERIFY(QApplication::overrideCursor() == nullptr);
  // The run bar moved one step per table, then both bars went back to 0.
  QVERIFY(spy.run_positions.size() >= 4);
  const int tables = spy.run_positions[spy.run_positions.size() - 2];
  for (int i = 0; i < tables; ++i) QCOMPARE(spy.run_positions[static_cast<std::size_t>(i)], i + 1);
  QCOMPARE(spy.run_positions.back(), 0);
  QCOMPARE(Control<QLabel>(form, "lile").text(), QString::number(tables));
  QVERIFY(spy.full_record_bars >= 1);
  QVERIFY(Control<QLabel>(form, "Label5").text().startsWith(QStringLiteral("Tworzenie tabeli: ")));
  QCOMPARE(Control<QProgressBar>(form, "ProgressBar2").value(), 0);
  // The edit shows the folder as the run completed it, with this host's separator.
  QCOMPARE(Control<QLineEdit>(form, "Edit2").text(),
           QString::fromStdString(output.path().string() + "/"));
  QVERIFY(fs::exists(output.path() / "BAZA" / "OSOBY" / "Osoby.dbf"));
}

void MainFormTest::AFailedConversionLeavesTheWindowOpen() {
  MainFormFixture fixture;
  gui::MainForm& form = fixture.form;
  TempDir site;
  TempDir output;
  Control<QLineEdit>(form, "Edit1").setText(gui::FromCp1250(SampleSite(site)));
  Control<QLineEdit>(form, "Edit2").setText(gui::FromCp1250(output.folder()));
  fs::remove(site.path() / "LZ" / "LEC" / "wsprozl.dbf");  // read after a dozen tables
  form.show();
  QTest::mouseClick(&Control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);

  QVERIFY(!fixture.messages.shown.empty());
  const platform::OperatorMessage& last = fixture.messages.shown.back();
  QVERIFY(fixture.messages.Texts().back().starts_with("Wystąpił błąd podczas konwersji:\r\n"));
  QCOMPARE(platform::Utf8FromCp1250(last.caption), std::string("Błąd konwersji"));
  QVERIFY(last.icon == platform::MessageIcon::kStop);
  // Where the run stopped, though the label is back to its last table and the bars to 0.
  QCOMPARE(static_cast<int>(std::count_if(last.facts.begin(), last.facts.end(),
                                          [](const std::string& fact) {
                                            return platform::Utf8FromCp1250(fact).find(
                                                       "przerwano podczas tworzenia tabeli: ") !=
                                                   std::string::npos;
                                          })),
           1);
  QVERIFY(form.isVisible());
  QVERIFY(!form.busy());
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QCOMPARE(Control<QProgressBar>(form, "ProgressBar1").value(), 0);
}

void MainFormTest::AnulujClosesTheWindow() {
  MainFormFixture fixture;
  fixture.form.show();
  QTest::mouseClick(&Control<QPushButton>(fixture.form, "BitBtn2"), Qt::LeftButton);
  QVERIFY(!fixture.form.isVisible());
  QVERIFY(fixture.messages.shown.empty());
}

void MainFormTest::MessageBoxesAskWithNoAsTheDefault() {
  QWidget window;
  gui::MessageBoxes boxes(&window);
  QMessageBox* shown = nullptr;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString default_button;
  bool ordinary_cursor = false;
  const auto inspect_and_press = [&](QMessageBox::StandardButton press) {
    QTimer::singleShot(0, &window, [&, press] {
      shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (shown == nullptr) return;
      title = shown->windowTitle();
      text = shown->text();
      icon = shown->icon();
      default_button = shown->defaultButton() ? shown->defaultButton()->text() : QString();
      ordinary_cursor = QApplication::overrideCursor() != nullptr &&
                        QApplication::overrideCursor()->shape() == Qt::ArrowCursor;
      QTest::mouseClick(shown->button(press), Qt::LeftButton);
    });
  };
  QApplication::setOverrideCursor(Qt::WaitCursor);  // as during a conversion
  inspect_and_press(QMessageBox::Yes);
  const platform::MessageAnswer answer =
      boxes.Show({platform::Cp1250FromUtf8("Pierwsza linia\r\nDokonać konwersji ?"),
                  platform::Cp1250FromUtf8("Potwierdzenie"), platform::MessageButtons::kYesNo,
                  platform::MessageIcon::kQuestion, platform::MessageAnswer::kNo});
  QVERIFY(shown != nullptr);
  QVERIFY(answer == platform::MessageAnswer::kYes);
  QCOMPARE(title, QStringLiteral("Potwierdzenie"));
  QCOMPARE(text, QStringLiteral("Pierwsza linia\nDokonać konwersji ?"));
  QCOMPARE(icon, QMessageBox::Question);
  QCOMPARE(default_button, QStringLiteral("&Nie"));
  QVERIFY(ordinary_cursor);
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();

  shown = nullptr;
  inspect_and_press(QMessageBox::Ok);
  QVERIFY(boxes.Show({platform::Cp1250FromUtf8("Wystąpił błąd"),
                      platform::Cp1250FromUtf8("Błąd konwersji"), platform::MessageButtons::kOk,
                      platform::MessageIcon::kStop}) == platform::MessageAnswer::kOk);
  QVERIFY(shown != nullptr);
  QCOMPARE(title, QStringLiteral("Błąd konwersji"));
  QCOMPARE(icon, QMessageBox::Critical);
}

void MainFormTest::TheContextMenuAndF1ShowTheVersion() {
  MainFormFixture fixture;
  gui::MainForm& form = fixture.form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(form.contextMenuPolicy(), Qt::ActionsContextMenu);
  QCOMPARE(form.actions().size(), 1);
  QCOMPARE(form.actions().front()->text(), QStringLiteral("O programie..."));
  QTest::keyClick(&form, Qt::Key_F1);
  QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
  const platform::OperatorMessage& about = fixture.messages.shown.front();
  QCOMPARE(about.caption, std::string("O programie"));
  QVERIFY(about.text.starts_with("konwerter " + std::string(app::VersionText()) + "\r\n"));
}

int RunMainFormTests(int argc, char** argv) {
  MainFormTest suite;
  return QTest::qExec(&suite, argc, argv);
}

}  // namespace konwerter::testing

#include "main_form_test.moc"
