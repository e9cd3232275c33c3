#include "app/gui/renumbering_form.h"

#include <QCheckBox>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include "app/gui/controls.h"

namespace konwerter::gui {

namespace {

constexpr const char* kSegmentBoxes[] = {"cboe", "cbob", "cbop", "cbos", "cbz", "cbk"};

}  // namespace

RenumberingForm::RenumberingForm(app::window::RenumberingDialog& rules,
                                 platform::OperatorMessages& messages, QWidget* parent)
    : QDialog(parent), rules_(rules), messages_(messages) {
  BuildWindow(app::window::RenumberingDialogSpec(), *this);
  setModal(true);
  grid_ = &Control<GridWidget>(*this, "StringGrid1");
  connect(&Control<QToolButton>(*this, "SpeedButton1"), &QToolButton::clicked, this, [this] {
    grid_->CommitEdit();
    rules_.AddRow();
    grid_->Show(rules_.grid());
    grid_->setFocus();
  });
  connect(&Control<QToolButton>(*this, "SpeedButton2"), &QToolButton::clicked, this, [this] {
    grid_->CommitEdit();
    rules_.DeleteRow();
    grid_->Show(rules_.grid());
  });
  for (const char* name : kSegmentBoxes) {
    connect(&Control<QCheckBox>(*this, name), &QCheckBox::clicked, this,
            [this, name](bool checked) { rules_.SegmentBoxClicked(name, checked, messages_); });
  }
  auto& ok = Control<QPushButton>(*this, "BitBtn1");
  ok.setDefault(true);
  connect(&ok, &QPushButton::clicked, this, &RenumberingForm::accept);
  connect(&Control<QPushButton>(*this, "BitBtn2"), &QPushButton::clicked, this,
          &RenumberingForm::reject);
}

void RenumberingForm::ShowRules() {
  grid_->Show(rules_.grid());
  const run::SegmentOneOptions& segment = rules_.segment_one();
  const bool states[] = {segment.oper_pr, segment.oper_bu, segment.oper_prz,
                         segment.szkice,  segment.zarysy,  segment.kme};
  for (std::size_t i = 0; i < std::size(kSegmentBoxes); ++i) {
    Control<QCheckBox>(*this, kSegmentBoxes[i]).setChecked(states[i]);
  }
}

void RenumberingForm::showEvent(QShowEvent* event) {
  // The desktop shows the dialog again when it is restored from a minimised state; only a
  // showing by the program starts from the file, so no typing is lost.
  if (event->spontaneous()) {
    QDialog::showEvent(event);
    return;
  }
  rules_.Showing();
  ShowRules();
  CentreOnScreen(*this);
  grid_->setFocus();
  QDialog::showEvent(event);
}

void RenumberingForm::accept() {
  grid_->CommitEdit();
  if (rules_.Accept(messages_)) QDialog::accept();
}

void RenumberingForm::reject() {
  if (rules_.ConfirmLeave(messages_)) QDialog::reject();
}

}  // namespace konwerter::gui
