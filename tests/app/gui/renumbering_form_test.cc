#include "app/gui/renumbering_form.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <fstream>
#include <iterator>

#include "app/gui/controls.h"
#include "tests/app/gui/gui_suites.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_dir.h"

namespace konwerter::testing {

using gui::Control;

// The dialog over a renumbering file in a fresh folder, with its messages recorded.
struct DialogFixture {
  explicit DialogFixture(std::vector<platform::MessageAnswer> answers = {})
      : rules(folder.Join("konwerter.gm"), options),
        messages(std::move(answers)),
        form(rules, messages, nullptr) {}

  std::filesystem::path File() const { return folder.path() / "konwerter.gm"; }
  void Write(const std::string& text) const { std::ofstream(File(), std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream file(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  QStringList Rows() {
    QStringList rows;
    gui::GridWidget& grid = form.grid();
    for (int row = 0; row < grid.rowCount(); ++row) {
      const auto* old_number = grid.item(row, 0);
      const auto* new_number = grid.item(row, 1);
      rows << (old_number ? old_number->text() : QString()) + "|" +
                  (new_number ? new_number->text() : QString());
    }
    return rows;
  }
  // Types into a cell the way the operator does: the first key opens the editor.
  void Type(int row, int column, const QString& text) {
    gui::GridWidget& grid = form.grid();
    grid.setFocus();
    grid.setCurrentCell(row, column);
    QTest::keyClick(&grid, text.at(0).toLatin1());
    QCoreApplication::processEvents();  // the key reaches the editor it opened
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor != &grid && grid.isAncestorOf(editor));
    QTest::keyClicks(editor, text.mid(1));
  }
  // Clicks a button, or a check box on its box.
  void Click(const char* name) {
    auto& control = Control<QWidget>(form, name);
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(5, control.height() / 2));
  }

  TempDir folder;
  run::RunOptions options;
  app::window::RenumberingDialog rules;
  RecordedMessages messages;
  gui::RenumberingForm form;
};

class RenumberingFormTest : public QObject {
  Q_OBJECT

 private slots:
  void LaysOutTheGridAndTheBoxes();
  void LoadsEditsAddsDeletesAndSaves();
  void RefusesAFaultyRowAndWritesNothing();
  void AsksBeforeLeavingWithoutSaving();
  void WarnsOnceAboutSegmentOne();
  void TypingRightAfterClickingTheCurrentCellKeepsEveryDigit();
};

void RenumberingFormTest::LaysOutTheGridAndTheBoxes() {
  DialogFixture fixture;
  gui::RenumberingForm& form = fixture.form;
  QCOMPARE(form.objectName(), QStringLiteral("TForm2"));
  QCOMPARE(form.windowTitle(), QStringLiteral("Przenumerowanie numerów statystycznych gmin"));
  QCOMPARE(form.minimumSize(), QSize(436, 357));
  QCOMPARE(form.maximumSize(), QSize(436, 357));
  gui::GridWidget& grid = form.grid();
  QCOMPARE(grid.objectName(), QStringLiteral("StringGrid1"));
  QCOMPARE(grid.columnCount(), 2);
  QCOMPARE(grid.horizontalHeaderItem(0)->text(), QStringLiteral("Stary numer"));
  QCOMPARE(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Nowy numer"));
  QCOMPARE(grid.columnWidth(0), 75);
  QCOMPARE(grid.columnWidth(1), 73);
  QCOMPARE(grid.rowHeight(0), 16);
  // Row numbers on the left, as messages name a row; the grid is wider by them.
  QVERIFY(!grid.verticalHeader()->isHidden());
  QCOMPARE(grid.verticalHeader()->width(), app::window::kRowNumberWidth);
  QCOMPARE(grid.geometry(), QRect(8, 24, 169 + app::window::kRowNumberWidth, 289));
  QCOMPARE(grid.rowCount(), 1);
  QVERIFY(grid.tabKeyNavigation());
  QCOMPARE(Control<QLabel>(form, "Label1").text(), QStringLiteral("Przenumerowanie gmin:"));
  QCOMPARE(Control<QLabel>(form, "Label2").text(),
           QStringLiteral("Dodatkowe przenumerowanie członu 1:"));
  const char* boxes[] = {"cboe", "cbob", "cbop", "cbos", "cbz", "cbk"};
  const char* captions[] = {"Operatów ewidencyjnych",
                            "Operatów bazowo-użytkowych",
                            "Operatów przejściowych",
                            "Szkiców polowych",
                            "Zarysów",
                            "KME"};
  int top = 0;
  for (int i = 0; i < 6; ++i) {
    const QCheckBox& box = Control<QCheckBox>(form, boxes[i]);
    QCOMPARE(box.text(), QString::fromUtf8(captions[i]));
    QVERIFY(!box.isChecked());
    QVERIFY(box.geometry().top() > top);  // in the order of the table, top to bottom
    QVERIFY(box.geometry().left() > grid.geometry().right());
    top = box.geometry().top();
  }
  const auto& add = Control<QToolButton>(form, "SpeedButton1");
  const auto& remove = Control<QToolButton>(form, "SpeedButton2");
  QCOMPARE(add.toolTip(), QStringLiteral("Dodaj nowy wiersz"));
  QCOMPARE(remove.toolTip(), QStringLiteral("Usuń wiersz"));
  QVERIFY(add.autoRaise() && remove.autoRaise());
  QVERIFY(add.geometry().top() > grid.geometry().bottom());
  QCOMPARE(Control<QPushButton>(form, "BitBtn1").text(), QStringLiteral("OK"));
  QCOMPARE(Control<QPushButton>(form, "BitBtn2").text(), QStringLiteral("Anuluj"));
}

void RenumberingFormTest::LoadsEditsAddsDeletesAndSaves() {
  DialogFixture fixture;
  fixture.Write("12|345\r\n7|8\r\n");
  fixture.form.show();
  QVERIFY(QTest::qWaitForWindowActive(&fixture.form));
  QCOMPARE(fixture.Rows(), (QStringList{"12|345", "7|8"}));

  fixture.Type(1, 1, QStringLiteral("9"));
  fixture.Click("SpeedButton1");  // the edit in progress is kept
  QCOMPARE(fixture.form.grid().rowCount(), 3);
  QCOMPARE(fixture.form.grid().currentRow(), 2);
  fixture.Type(2, 0, QStringLiteral("100"));
  fixture.Type(2, 1, QStringLiteral("200"));
  fixture.Click("SpeedButton1");
  fixture.Click("SpeedButton2");  // the new empty row goes again
  fixture.form.grid().setCurrentCell(0, 0);
  fixture.Click("SpeedButton2");
  QCOMPARE(fixture.Rows(), (QStringList{"7|9", "100|200"}));

  fixture.Click("BitBtn1");
  QCOMPARE(fixture.form.result(), int(QDialog::Accepted));
  QVERIFY(!fixture.form.isVisible());
  QCOMPARE(fixture.Read(), std::string("7|9\r\n100|200\r\n"));
  QVERIFY(fixture.messages.shown.empty());

  // Shown again: the grid comes from the file; deleting the only row empties it.
  fixture.Write("5|6\r\n");
  fixture.form.show();
  QCOMPARE(fixture.Rows(), QStringList{"5|6"});
  fixture.Click("SpeedButton2");
  QCOMPARE(fixture.Rows(), QStringList{"|"});
  fixture.Click("BitBtn1");  // an empty grid writes an empty file, which loads
  QCOMPARE(fixture.Read(), std::string());
}

void RenumberingFormTest::RefusesAFaultyRowAndWritesNothing() {
  DialogFixture fixture;
  fixture.Write("1|2\r\n");
  fixture.form.show();
  QVERIFY(QTest::qWaitForWindowActive(&fixture.form));
  fixture.Click("SpeedButton1");
  fixture.Type(1, 0, QStringLiteral("12"));
  fixture.Click("BitBtn1");
  QVERIFY(fixture.form.isVisible());
  QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
  QVERIFY(fixture.messages.Texts()[0].starts_with("Wiersz 2:"));
  QCOMPARE(fixture.Read(), std::string("1|2\r\n"));

  fixture.Type(1, 1, QStringLiteral("12345"));
  fixture.Click("BitBtn1");
  QVERIFY(fixture.form.isVisible());
  QVERIFY(fixture.messages.Texts()[1].starts_with("Wiersz 2: numer gminy musi być liczbą"));
  QCOMPARE(fixture.Read(), std::string("1|2\r\n"));
}

void RenumberingFormTest::AsksBeforeLeavingWithoutSaving() {
  DialogFixture fixture(
      {platform::MessageAnswer::kNo, platform::MessageAnswer::kNo, platform::MessageAnswer::kYes});
  fixture.form.show();
  fixture.Click("BitBtn2");  // No: stays
  QVERIFY(fixture.form.isVisible());
  fixture.form.close();  // the close box asks too
  QVERIFY(fixture.form.isVisible());
  QTest::keyClick(&fixture.form, Qt::Key_Escape);  // Yes: leaves without writing
  QVERIFY(!fixture.form.isVisible());
  QCOMPARE(fixture.form.result(), int(QDialog::Rejected));
  QCOMPARE(fixture.messages.shown.size(), std::size_t{3});
  QCOMPARE(platform::Utf8FromCp1250(fixture.messages.shown[0].caption),
           std::string("Potwierdzenie"));
  QVERIFY(!std::filesystem::exists(fixture.File()));
}

void RenumberingFormTest::WarnsOnceAboutSegmentOne() {
  DialogFixture fixture;
  fixture.form.show();
  fixture.Click("cboe");
  fixture.Click("cbk");
  fixture.Click("cboe");
  QCOMPARE(fixture.messages.shown.size(), std::size_t{1});
  QCOMPARE(platform::Utf8FromCp1250(fixture.messages.shown[0].caption),
           std::string("Ostrzeżenie !"));
  QVERIFY(!fixture.options.segment_one.oper_pr);
  QVERIFY(fixture.options.segment_one.kme);
  // The boxes keep their state between showings.
  fixture.form.hide();
  fixture.form.show();
  QVERIFY(Control<QCheckBox>(fixture.form, "cbk").isChecked());
}

// A click on the current cell waited for a possible double click before editing; a digit
// typed meanwhile went to the view's search and was lost ("12" became "2").
void RenumberingFormTest::TypingRightAfterClickingTheCurrentCellKeepsEveryDigit() {
  DialogFixture fixture;
  fixture.form.show();
  QVERIFY(QTest::qWaitForWindowActive(&fixture.form));
  gui::GridWidget& grid = fixture.form.grid();
  grid.setFocus();
  grid.setCurrentCell(0, 1);
  const QPoint cell = grid.visualRect(grid.model()->index(0, 1)).center();
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell);
  QTest::keyClick(QApplication::focusWidget(), '1');
  QTest::qWait(QApplication::doubleClickInterval() + 100);  // a slower second digit
  QTest::keyClick(QApplication::focusWidget(), '2');
  grid.CommitEdit();
  QCOMPARE(fixture.Rows(), QStringList{"|12"});
  QCOMPARE(fixture.rules.grid().Cell(0, 1), std::string("12"));
}

int RunRenumberingFormTests(int argc, char** argv) {
  RenumberingFormTest suite;
  return QTest::qExec(&suite, argc, argv);
}

}  // namespace konwerter::testing

#include "renumbering_form_test.moc"
