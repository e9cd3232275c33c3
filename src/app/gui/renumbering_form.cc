#include "app/gui/renumbering_form.h"

#include <QCheckBox>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include "app/gui/controls.h"
#include "app/window/option_boxes.h"

namespace konwerter::gui {

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
  for (const app::window::OptionBoxSpec& box : app::window::kRenumberingDialogBoxes) {
    connect(&Control<QCheckBox>(*this, box.control_name), &QCheckBox::clicked, this,
            [this, option = box.box](bool checked) {
              rules_.SetSegmentOption(option, checked, messages_);
            });
  }
  auto& ok = Control<QPushButton>(*this, "BitBtn1");
  ok.setDefault(true);
  connect(&ok, &QPushButton::clicked, this, &RenumberingForm::accept);
  connect(&Control<QPushButton>(*this, "BitBtn2"), &QPushButton::clicked, this,
          &RenumberingForm::reject);
}

void RenumberingForm::ShowRules() {
  grid_->Show(rules_.grid());
  for (const app::window::OptionBoxSpec& box : app::window::kRenumberingDialogBoxes) {
    Control<QCheckBox>(*this, box.control_name)
        .setChecked(app::window::IsChecked(rules_.options(), box.box));
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
