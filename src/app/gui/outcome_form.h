#pragma once

#include <QDialog>
#include <QRect>
#include <QUrl>
#include <functional>
#include <vector>

#include "app/window/outcome_dialog.h"
#include "app/window/outcome_layout.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace konwerter::gui {

// Opens a file in the system's browser (the report); tests put their own in its place.
using UrlOpener = std::function<void(const QUrl&)>;
UrlOpener SystemUrlOpener();

// The dialog at the end of a run (app/window/outcome_dialog.h): the outcome text, the
// counts, the warnings per file in a tree that scrolls, and the buttons "Otwórz raport",
// "Kopiuj" and "Zamknij" (or, for the plain end of a clean run, the text with "Otwórz
// raport" and "OK"). It opens sized to fit `work_area` and lays its parts out again as the
// operator resizes it.
class OutcomeForm final : public QDialog {
 public:
  OutcomeForm(app::window::OutcomeDialog dialog, QRect work_area, UrlOpener open_url,
              QWidget* parent);

  QPlainTextEdit& text() const { return *text_; }
  QLabel& facts() const { return *facts_; }
  QTreeWidget& list() const { return *list_; }
  // The button of that kind. REQUIRES: the dialog has it.
  QPushButton& button(app::window::OutcomeButton kind) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateParts();
  void FillList();
  void Pressed(app::window::OutcomeButton kind);
  app::window::TextMeasures Measures() const;

  app::window::OutcomeDialog dialog_;
  UrlOpener open_url_;
  QLabel* icon_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QLabel* facts_ = nullptr;
  QLabel* list_title_ = nullptr;
  QTreeWidget* list_ = nullptr;
  std::vector<QPushButton*> buttons_;  // in the order of dialog_.buttons
};

}  // namespace konwerter::gui
