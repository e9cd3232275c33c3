#include "app/gui/outcome_form.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/gui/controls.h"
#include "app/gui/main_form.h"
#include "app/gui/message_boxes.h"
#include "app/gui/qt_text.h"
#include "platform/text_encoding.h"
#include "tests/app/gui/gui_suites.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::testing {

namespace fs = std::filesystem;
using app::window::OutcomeButton;
using platform::Cp1250FromUtf8;

namespace {

platform::OperatorMessage Warnings(int count, std::string report_path = {}) {
  platform::OperatorMessage message{
      Cp1250FromUtf8("Konwersja została zakończona z ostrzeżeniami (") + std::to_string(count) +
          ").",
      "Komunikat", platform::MessageButtons::kOk, platform::MessageIcon::kWarning};
  message.facts = {"Tabele: 61", Cp1250FromUtf8("Ostrzeżenia: ") + std::to_string(count)};
  for (int i = 0; i < count; ++i) {
    if (i % 3 == 0) message.details.push_back({"/srv/dos/tabela" + std::to_string(i) + ".dbf", {}});
    message.details.back().lines.push_back(
        Cp1250FromUtf8("odwołania do rekordu spoza tabeli (pominięte): ") + std::to_string(i));
  }
  message.report_path = std::move(report_path);
  return message;
}

// Runs `inspect` on the modal dialog that the next call opens, once it is up (a run
// repaints its window, and so lets timers run, well before its end).
template <typename Inspect>
void WhenModal(QObject* context, Inspect inspect) {
  auto* poll = new QTimer(context);
  QObject::connect(poll, &QTimer::timeout, context, [poll, inspect] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    inspect(*modal);
  });
  poll->start(20);
}

}  // namespace

class OutcomeFormTest : public QObject {
  Q_OBJECT

 private slots:
  void TwoHundredWarningsFitASmallScreenAndScroll();
  void ReportOpensCopyCopiesAndZamknijCloses();
  void EachEndOfARunGetsItsForm();
  void TheSampleSiteEndsInTheOutcomeDialog();
};

void OutcomeFormTest::TwoHundredWarningsFitASmallScreenAndScroll() {
  const QRect screen(0, 0, 1024, 768);
  gui::OutcomeForm form(app::window::OutcomeDialogFor(Warnings(200, "/srv/w/raport.html")),
                        screen.adjusted(0, 0, 0, -40), {}, nullptr);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QVERIFY2(screen.contains(form.frameGeometry()),
           qPrintable(QStringLiteral("%1x%2").arg(form.width()).arg(form.height())));
  QTreeWidget& list = form.list();
  QCOMPARE(list.topLevelItemCount(), 67);
  QCOMPARE(list.topLevelItem(1)->text(0), QStringLiteral("/srv/dos/tabela3.dbf (3)"));
  QVERIFY(list.topLevelItem(1)->isExpanded());
  QVERIFY(list.verticalScrollBar()->isVisible());
  QVERIFY(list.verticalScrollBar()->maximum() > 0);
  for (const OutcomeButton kind :
       {OutcomeButton::kOpenReport, OutcomeButton::kCopy, OutcomeButton::kClose}) {
    const QPushButton& button = form.button(kind);
    QVERIFY(button.isVisible());
    QVERIFY(form.rect().contains(button.geometry()));
    QVERIFY(button.geometry().top() > list.geometry().bottom());
  }
  QCOMPARE(form.facts().text(), QStringLiteral("Tabele: 61\nOstrzeżenia: 200"));
  QCOMPARE(form.text().toPlainText(),
           QStringLiteral("Konwersja została zakończona z ostrzeżeniami (200)."));
  QVERIFY(form.button(OutcomeButton::kClose).isDefault());

  // Made smaller by the operator: down to its least size, the buttons stay in sight.
  form.resize(100, 100);
  QCOMPARE(form.size(), form.minimumSize());
  QVERIFY(form.rect().contains(form.button(OutcomeButton::kClose).geometry()));
  QVERIFY(list.height() >= 4 * list.fontMetrics().lineSpacing());
}

void OutcomeFormTest::ReportOpensCopyCopiesAndZamknijCloses() {
  TempDir output;
  fs::create_directories(output.path() / "RAPORT");
  std::ofstream(output.path() / "RAPORT" / "raport.html") << "<html></html>";
  std::vector<QUrl> opened;
  gui::OutcomeForm form(
      app::window::OutcomeDialogFor(Warnings(4, output.Join("RAPORT\\raport.html"))),
      QRect(0, 0, 1024, 768), [&](const QUrl& url) { opened.push_back(url); }, nullptr);
  form.show();

  QTest::mouseClick(&form.button(OutcomeButton::kOpenReport), Qt::LeftButton);
  QCOMPARE(opened.size(), std::size_t{1});
  QCOMPARE(opened[0], QUrl::fromLocalFile(
                          QString::fromStdString((output.path() / "RAPORT/raport.html").string())));
  QVERIFY(opened[0].isLocalFile() && QFileInfo::exists(opened[0].toLocalFile()));
  QVERIFY(form.isVisible());

  QApplication::clipboard()->clear();
  QTest::mouseClick(&form.button(OutcomeButton::kCopy), Qt::LeftButton);
  const QString copied = QApplication::clipboard()->text();
  QVERIFY2(copied.contains(QStringLiteral("/srv/dos/tabela3.dbf (1)\n    odwołania do rekordu "
                                          "spoza tabeli (pominięte): 3\n")),
           qPrintable(copied));
  QVERIFY(copied.startsWith(QStringLiteral("Komunikat\n\nKonwersja została zakończona")));
  QVERIFY(!copied.contains(QLatin1Char('\r')));
  QVERIFY(form.isVisible());

  QTest::mouseClick(&form.button(OutcomeButton::kClose), Qt::LeftButton);
  QVERIFY(!form.isVisible());
}

void OutcomeFormTest::EachEndOfARunGetsItsForm() {
  QWidget window;
  QList<QUrl> opened;
  gui::MessageBoxes boxes(&window, [&](const QUrl& url) { opened.push_back(url); });

  // The plain end of a clean run: the text and caption as they were, OK and the report.
  platform::OperatorMessage clean{Cp1250FromUtf8("Konwersja została zakończona."), "Komunikat"};
  clean.facts = {"Tabele: 61"};
  clean.report_path = "/srv/wynik/RAPORT/raport.html";
  QStringList seen;
  WhenModal(&window, [&](QWidget& modal) {
    auto* form = dynamic_cast<gui::OutcomeForm*>(&modal);
    QVERIFY(form != nullptr);
    seen << form->windowTitle() << form->text().toPlainText()
         << form->button(OutcomeButton::kOk).text()
         << form->button(OutcomeButton::kOpenReport).text();
    QVERIFY(form->list().isHidden() && form->facts().isHidden());
    QTest::mouseClick(&form->button(OutcomeButton::kOpenReport), Qt::LeftButton);
    QTest::keyClick(form, Qt::Key_Escape);
  });
  QVERIFY(boxes.Show(clean) == platform::MessageAnswer::kOk);
  QCOMPARE(seen,
           (QStringList{"Komunikat", "Konwersja została zakończona.", "OK", "Otwórz raport"}));
  QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile("/srv/wynik/RAPORT/raport.html")});

  // Without a report, the clean end is the message box it always was.
  clean.report_path.clear();
  bool box = false;
  WhenModal(&window, [&](QWidget& modal) {
    box = qobject_cast<QMessageBox*>(&modal) != nullptr;
    QTest::keyClick(&modal, Qt::Key_Return);
  });
  boxes.Show(clean);
  QVERIFY(box);
}

// "Konwersja" over the sample site, which has warnings, with the window's own dialogs: the
// outcome dialog lists them; the window closes once it is closed.
void OutcomeFormTest::TheSampleSiteEndsInTheOutcomeDialog() {
  TempDir program_folder;
  TempDir site;
  TempDir output;
  tools::GenerateSampleSite({site.path(), 1, 1});
  run::Session session;
  const platform::FixedClock clock{platform::CalendarDate{2026, 12, 7}};
  gui::MainForm form({program_folder.Join("konwerter"), session, clock, nullptr, {}, {}});
  gui::Control<QLineEdit>(form, "Edit1").setText(gui::FromCp1250(site.folder()));
  gui::Control<QLineEdit>(form, "Edit2").setText(gui::FromCp1250(output.folder()));
  form.show();
  QStringList headings;
  bool fits = false;
  WhenModal(&form, [&](QWidget& modal) {
    auto* dialog = dynamic_cast<gui::OutcomeForm*>(&modal);
    QVERIFY(dialog != nullptr);
    for (int i = 0; i < dialog->list().topLevelItemCount(); ++i) {
      headings << dialog->list().topLevelItem(i)->text(0);
    }
    fits = gui::WorkArea(&form).contains(dialog->geometry());
    QVERIFY(form.isVisible());  // the window waits for the dialog
    QTest::mouseClick(&dialog->button(OutcomeButton::kClose), Qt::LeftButton);
  });
  QTest::mouseClick(&gui::Control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
  QVERIFY(fits);
  QVERIFY2(headings.filter(QStringLiteral("kerg.ntx (")).size() == 1,
           qPrintable(headings.join(", ")));
  QVERIFY(!form.isVisible());
}

int RunOutcomeFormTests(int argc, char** argv) {
  OutcomeFormTest suite;
  return QTest::qExec(&suite, argc, argv);
}

}  // namespace konwerter::testing

#include "outcome_form_test.moc"
